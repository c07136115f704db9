#include "core/CustomProc.h"

#include "foundation/IntegerText.h"
#include "foundation/TextHelpers.h"

#include <cstdint>
#include <filesystem>

namespace clavenor {

namespace {

// Whole seconds of an hh:mm:ss text; counter stays as it is when the text has not three
// fields.
void ReadSeconds(const std::string& timeText, std::int64_t& counter) {
    std::vector<std::string> fields = GetDelimitedField(timeText, ':');
    if (fields.size() != 3)
        return;
    try {
        counter = std::int64_t{TextToInteger(fields[0])} * 3600 +
                  std::int64_t{TextToInteger(fields[1])} * 60 + TextToInteger(fields[2]);
    } catch (const EConvertError& e) {
        throw EConvertError("'" + timeText + "' is not a valid time: " + e.what());
    }
}

std::string EntryOf(const TTextList& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size()))
        return {};
    return list[static_cast<std::size_t>(index)];
}

} // namespace

TCustomProc::TCustomProc(TCommonLib& commonLib, TFileFunc& fileFunc, const TAppFunc& appFunc,
                         ConversionSettings& settings, TRowsSource rows, TTextSource outputFolder)
    : commonLib_(commonLib), fileFunc_(fileFunc), appFunc_(appFunc), settings_(settings),
      rows_(std::move(rows)), outputFolder_(std::move(outputFolder)) {}

TCustomProc::TCustomProc(TCommonLib& commonLib, TFileFunc& fileFunc, const TAppFunc& appFunc,
                         ConversionSettings& settings, const std::vector<TSourceFileRow>& rows,
                         const std::string& outputFolder)
    : TCustomProc(
          commonLib, fileFunc, appFunc, settings, [&rows] { return rows; },
          [&outputFolder] { return outputFolder; }) {}

std::string TCustomProc::GetStartTimeText(const std::string& path) {
    std::string startTime;
    for (const TSourceFileRow& row : rows_()) {
        // Paths name files exactly here: Clip.avi and clip.avi are two files with their own
        // trim times.
        if (row.SourceFileName != path)
            continue;
        startTime = row.SourceFileStartTime;
        // A custom profile picked in the Options dialog holds for every file of a job.
        settings_.ApplyCustomProfile();
    }
    return startTime;
}

std::string TCustomProc::GetCutDuration(const std::string& path) const {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::string duration;
    for (const TSourceFileRow& row : rows_()) {
        if (row.SourceFileName != path)
            continue;
        ReadSeconds(row.SourceFileStartTime, start);
        ReadSeconds(row.SourceFileEndTime, end);
        duration = std::to_string(end - start);
    }
    return duration;
}

std::string TCustomProc::PrepareOutputFolder() const {
    std::string folder = outputFolder_();
    // The encoder runs in the program folder: a relative folder (a hand-edited settings
    // file) is taken from there too, so the free-name check looks where the encoder writes.
    if (!folder.empty() && folder.front() != '/')
        folder = commonLib_.ProgramFolder() + folder;
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    try {
        std::filesystem::create_directories(folder);
        appFunc_.WriteLog("Output directory " + folder);
    } catch (const std::exception&) {
        appFunc_.WriteLog("Output directory error. ->" + folder);
    }
    return folder;
}

void TCustomProc::FillOptionFragments(TConvertParameterStruct& p) const {
    const int type = settings_.OutputType();
    auto text = [this](TAdvancedOption option) { return settings_.SelectedText(option); };
    p.CodecFragment = TCommonLib::MakeCodecFragment(EntryOf(outputTypes_.CodecOptions, type));
    p.VideoBitrateFragment =
        TCommonLib::MakeVideoBitrateFragment(text(TAdvancedOption::VideoBitrate));
    p.VideoSizeFragment = TCommonLib::MakeVideoSizeFragment(text(TAdvancedOption::VideoSize));
    p.FrameRateFragment = TCommonLib::MakeFrameRateFragment(text(TAdvancedOption::FrameRate));
    p.AspectRatioFragment = TCommonLib::MakeAspectRatioFragment(text(TAdvancedOption::AspectRatio));
    p.AudioBitrateFragment =
        TCommonLib::MakeAudioBitrateFragment(text(TAdvancedOption::AudioBitrate));
    p.AudioVolumeFragment = TCommonLib::MakeAudioVolumeFragment(text(TAdvancedOption::AudioVolume));
    p.AudioChannelsFragment =
        TCommonLib::MakeAudioChannelsFragment(text(TAdvancedOption::AudioChannels));
    p.AudioSampleFragment = TCommonLib::MakeAudioSampleFragment(text(TAdvancedOption::AudioSample));
    p.FormatFragment = TCommonLib::MakeFormatFragment(EntryOf(outputTypes_.Formats, type));
}

TBuiltCommandLine TCustomProc::BuildCommandLine(const std::string& path) {
    // Both times are read before anything is stored: a bad time text leaves the last
    // build's state whole.
    const std::string startTime = GetStartTimeText(path);
    const std::string cutDuration = GetCutDuration(path);

    TConvertParameterStruct p;
    TTimeRange range;
    if (!startTime.empty() && !cutDuration.empty()) {
        range = {startTime, cutDuration};
        p.TimeRangeFragment = " -ss " + startTime + " -t " + cutDuration;
    }
    p.InputPath = path;
    FillOptionFragments(p);
    p.OutputFolder = PrepareOutputFolder();
    p.OutputBaseName = TFileFunc::GetBaseName(path);
    p.OutputExtension = EntryOf(outputTypes_.Extensions, settings_.OutputType());
    if (p.OutputExtension.empty())
        p.OutputExtension = ".avi";

    // Written for every file, so it always describes the last one built.
    const std::string script = commonLib_.ProgramFolder() + ScriptFileName;
    WriteScriptFile(script, p.InputPath);

    const std::string extension = TFileFunc::GetExtension(path);
    if (extension == ".rm" || extension == ".rmvb") {
        p.EncoderPath = commonLib_.ProgramFolder() + "revc";
        p.InputPath = script;
    } else {
        p.EncoderPath = commonLib_.ProgramFolder() + "evc";
    }

    startTimeText_ = startTime;
    cutDuration_ = cutDuration;
    commonLib_.ConvertParameter() = p;

    TCommandForm form = ClassifyCodecFragment(p.CodecFragment);
    if (form == TCommandForm::None)
        appFunc_.WriteLog("Create convert parameter failure.");
    if (form == TCommandForm::None || form == TCommandForm::Unknown)
        return {};
    std::string output =
        fileFunc_.MakeUniqueFileName(p.OutputFolder + p.OutputBaseName + p.OutputExtension);
    return JoinCommandLine(form, p, range, output);
}

} // namespace clavenor
