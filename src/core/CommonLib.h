#pragma once
// TCommonLib: the program folder, the conversion parameter record of the file being built,
// and the option fragment builders that turn one setting into command-line text.

#include <string>
#include <string_view>
#include <utility>

namespace clavenor {

// The texts of one encoder run, overwritten field by field for every file. Every fragment
// carries its own leading blank.
struct TConvertParameterStruct {
    std::string EncoderPath;           // program folder + "evc", or + "revc" for RealMedia
    std::string InputPath;             // source path, or the script path for RealMedia
    std::string CodecFragment;         // " " + codec option of the output type
    std::string VideoBitrateFragment;  // " -b 128"
    std::string VideoSizeFragment;     // " -s 320x240"
    std::string FrameRateFragment;     // " -r 15"
    std::string AspectRatioFragment;   // " -aspect 4:3"
    std::string Unused;                // nothing fills or reads it
    std::string AudioBitrateFragment;  // " -ab 128"
    std::string AudioVolumeFragment;   // " -vol 200", or " " without a volume
    std::string AudioChannelsFragment; // " -ac 2"
    std::string AudioSampleFragment;   // " -ar 44100"
    std::string FormatFragment;        // " -f mov", or "" for the format "none"
    std::string TimeRangeFragment;     // " -ss <start> -t <seconds>", or ""
    std::string OutputFolder;          // always ends in "/"
    std::string OutputBaseName;        // source file name without its extension
    std::string OutputExtension;       // dot included
};

class TCommonLib {
public:
    // programFolder: the folder of the running executable, ending in "/".
    explicit TCommonLib(std::string programFolder) : programFolder_(std::move(programFolder)) {}

    const std::string& ProgramFolder() const { return programFolder_; }

    // The record of the last file built; it keeps its values until the next build.
    TConvertParameterStruct& ConvertParameter() { return convertParameter_; }
    const TConvertParameterStruct& ConvertParameter() const { return convertParameter_; }

    // Option fragments: prefix + text when the text is non-empty, else the fixed default.
    // The texts are taken unchanged.
    static std::string MakeCodecFragment(std::string_view codecOption);  // " -vcodec xvid ..."
    static std::string MakeVideoBitrateFragment(std::string_view text);  // " -b 512"
    static std::string MakeVideoSizeFragment(std::string_view text);     // " -s 320x240"
    static std::string MakeFrameRateFragment(std::string_view text);     // " -r 25"
    static std::string MakeAspectRatioFragment(std::string_view text);   // " -aspect 4:3"
    static std::string MakeAudioBitrateFragment(std::string_view text);  // " -ab 64"
    static std::string MakeAudioVolumeFragment(std::string_view text);   // " "
    static std::string MakeAudioChannelsFragment(std::string_view text); // " -ac 2"; first char
    static std::string MakeAudioSampleFragment(std::string_view text);   // " -ar 44100"
    // " -f " + format; empty for "none" and for an empty text (no format to name).
    static std::string MakeFormatFragment(std::string_view format);

private:
    std::string programFolder_;
    TConvertParameterStruct convertParameter_;
};

} // namespace clavenor
