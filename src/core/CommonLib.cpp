#include "core/CommonLib.h"

namespace clavenor {

namespace {

std::string Fragment(std::string_view prefix, std::string_view text, std::string_view def) {
    if (text.empty())
        return std::string(def);
    std::string fragment(prefix);
    fragment += text;
    return fragment;
}

} // namespace

std::string TCommonLib::MakeCodecFragment(std::string_view codecOption) {
    return Fragment(" ", codecOption, " -vcodec xvid -acodec mp3");
}

std::string TCommonLib::MakeVideoBitrateFragment(std::string_view text) {
    return Fragment(" -b ", text, " -b 512");
}

std::string TCommonLib::MakeVideoSizeFragment(std::string_view text) {
    return Fragment(" -s ", text, " -s 320x240");
}

std::string TCommonLib::MakeFrameRateFragment(std::string_view text) {
    return Fragment(" -r ", text, " -r 25");
}

std::string TCommonLib::MakeAspectRatioFragment(std::string_view text) {
    return Fragment(" -aspect ", text, " -aspect 4:3");
}

std::string TCommonLib::MakeAudioBitrateFragment(std::string_view text) {
    return Fragment(" -ab ", text, " -ab 64");
}

std::string TCommonLib::MakeAudioVolumeFragment(std::string_view text) {
    return Fragment(" -vol ", text, " ");
}

std::string TCommonLib::MakeAudioChannelsFragment(std::string_view text) {
    // The entries read "1 channel, Mono" and "2 channels, Stereo": the count leads.
    return Fragment(" -ac ", text.substr(0, 1), " -ac 2");
}

std::string TCommonLib::MakeAudioSampleFragment(std::string_view text) {
    return Fragment(" -ar ", text, " -ar 44100");
}

std::string TCommonLib::MakeFormatFragment(std::string_view format) {
    return Fragment(" -f ", format == "none" ? std::string_view() : format, "");
}

} // namespace clavenor
