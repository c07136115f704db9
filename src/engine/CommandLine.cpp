#include "engine/CommandLine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace clavenor {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsPhoneExtension(std::string_view extension) {
    return extension == ".3gp" || extension == ".3g2" || extension == ".amr";
}

// Collects the text and the argument list side by side.
class TLineBuilder {
public:
    // A fragment: its text as it is, its words as arguments.
    void Fragment(std::string_view fragment) {
        text_ += fragment;
        std::size_t pos = 0;
        while (pos < fragment.size()) {
            std::size_t start = fragment.find_first_not_of(" \t", pos);
            if (start == std::string_view::npos)
                break;
            std::size_t end = fragment.find_first_of(" \t", start);
            if (end == std::string_view::npos)
                end = fragment.size();
            arguments_.emplace_back(fragment.substr(start, end - start));
            pos = end;
        }
    }
    // A path: quoted in the text, one argument.
    void QuotedPath(std::string_view path) {
        text_ += '"';
        text_ += path;
        text_ += '"';
        arguments_.emplace_back(path);
    }
    void Text(std::string_view text) { text_ += text; }
    void Argument(std::string_view word) { arguments_.emplace_back(word); }

    TBuiltCommandLine Result() && { return {std::move(text_), std::move(arguments_)}; }

private:
    std::string text_;
    std::vector<std::string> arguments_;
};

void AddTimeRange(TLineBuilder& line, const TConvertParameterStruct& parameter,
                  const TTimeRange& timeRange) {
    if (parameter.TimeRangeFragment.empty())
        return;
    // The start time comes from a source row: it stays one argument whatever it holds.
    line.Text(parameter.TimeRangeFragment);
    line.Argument("-ss");
    line.Argument(timeRange.StartTime);
    line.Argument("-t");
    line.Argument(timeRange.Duration);
}

} // namespace

TCommandForm ClassifyCodecFragment(std::string_view codecFragment) {
    std::string_view head = Trimmed(codecFragment).substr(0, 7);
    if (head == "-vcodec")
        return TCommandForm::Video;
    if (head == "-target")
        return TCommandForm::Target;
    if (head == "-acodec")
        return TCommandForm::Audio;
    if (head.substr(0, 5) == "-none")
        return TCommandForm::None;
    return TCommandForm::Unknown;
}

TBuiltCommandLine JoinCommandLine(TCommandForm form, const TConvertParameterStruct& p,
                                  const TTimeRange& timeRange, const std::string& outputPath) {
    if (form == TCommandForm::None || form == TCommandForm::Unknown)
        return {};
    TLineBuilder line;
    line.Text(p.EncoderPath);
    line.Argument(p.EncoderPath);
    line.Fragment(" -y -i ");
    line.QuotedPath(p.InputPath);
    line.Fragment(p.CodecFragment);
    switch (form) {
    case TCommandForm::Video:
        for (const std::string* f :
             {&p.VideoBitrateFragment, &p.VideoSizeFragment, &p.FrameRateFragment,
              &p.AspectRatioFragment, &p.AudioBitrateFragment, &p.AudioVolumeFragment,
              &p.AudioChannelsFragment, &p.AudioSampleFragment, &p.FormatFragment})
            line.Fragment(*f);
        break;
    case TCommandForm::Target:
        break;
    case TCommandForm::Audio:
        if (IsPhoneExtension(p.OutputExtension)) {
            // Phones take mono at 8000 Hz whatever is selected; size comes before bitrate.
            for (const std::string* f : {&p.VideoSizeFragment, &p.VideoBitrateFragment,
                                         &p.AudioBitrateFragment, &p.AudioVolumeFragment})
                line.Fragment(*f);
            line.Fragment(" -ac 1 -ar 8000");
        } else {
            for (const std::string* f : {&p.AudioBitrateFragment, &p.AudioVolumeFragment,
                                         &p.AudioChannelsFragment, &p.AudioSampleFragment})
                line.Fragment(*f);
        }
        line.Fragment(p.FormatFragment);
        break;
    case TCommandForm::None:
    case TCommandForm::Unknown:
        break;
    }
    AddTimeRange(line, p, timeRange);
    line.Text(" ");
    line.QuotedPath(outputPath);
    return std::move(line).Result();
}

std::string ScriptLine(std::string_view sourcePath) {
    std::string line = "DirectShowSource(\"";
    line += sourcePath;
    line += "\", fps=29.9700898503294, convertfps=true)";
    return line;
}

void WriteScriptFile(const std::string& fileName, std::string_view sourcePath) {
    std::string content = ScriptLine(sourcePath) + "\r\n";
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file)
        throw std::runtime_error("Cannot write " + fileName + ": " + std::strerror(errno));
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    int writeErrno = errno;
    bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        throw std::runtime_error("Cannot write " + fileName + ": " +
                                 std::strerror(written ? errno : writeErrno));
}

} // namespace clavenor
