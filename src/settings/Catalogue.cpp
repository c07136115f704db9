#include "settings/Catalogue.h"

#include <charconv>

namespace clavenor {

TTextList cstOutputTypes() {
    return {"iPod MPEG-4 Video Files (*.mp4)", "MOV Video Files (*.mov)", "AAC Audio Files (*.aac)",
            "M4A MPEG Audio Files (*.m4a)",    "MP3 Files (*.mp3)",       "0"};
}

TTextList cstQualityLevels() {
    return {"Low Quality",       "Acceptable Quality", "Normal Quality",
            "Excellent Quality", "Superb Quality",     "2"};
}

TTextList cstVideoSizes() {
    return {"320x240", "0"};
}

TTextList cstVideoBitrates() {
    return {"40", "80", "128", "256", "512", "2"};
}

TTextList cstFrameRates() {
    return {"14.985", "15", "23.967", "24", "25", "29.97", "30", "1"};
}

TTextList cstAspectRatios() {
    return {"4:3", "16:9", "0"};
}

TTextList cstAudioBitrates() {
    return {"16", "32", "48", "64", "80", "128", "160", "192", "224", "2"};
}

TTextList cstAudioSamples() {
    return {"22050", "32000", "44100", "48000", "2"};
}

TTextList cstAudioVolumes() {
    TTextList list;
    for (int percent = 0; percent <= 500; percent += 25)
        list.push_back(std::to_string(percent));
    list.push_back("8"); // 200 %
    return list;
}

TTextList cstAudioChannels() {
    return {"1 channel, Mono", "2 channels, Stereo", "1"};
}

TTextList cstCodecOptions() {
    return {"-vcodec mpeg4 -acodec aac", "-vcodec mpeg4 -acodec aac", "-acodec aac -vn",
            "-acodec aac -vn",           "-acodec mp3 -vn",           "0"};
}

TTextList cstFormats() {
    return {"none", "mov", "none", "none", "none"};
}

TTextList cstExtensions() {
    return {".mp4", ".mov", ".aac", ".m4a", ".mp3"};
}

namespace {

// The iPod, AAC and MP3 tables keep stereo from the second level on; MOV and M4A stay mono
// at 22050 Hz throughout.
TTextList StereoPresets() {
    return {"1|0|0|2|0|0", "1|0|1|4|1|1", "1|1|2|5|1|2", "1|1|3|7|1|2", "1|1|4|8|1|3"};
}

TTextList MonoPresets() {
    return {"1|0|0|2|0|0", "1|0|1|4|0|0", "1|1|2|5|0|0", "1|1|3|7|0|0", "1|1|4|8|0|0"};
}

} // namespace

TTextList cstiPodProfile() {
    return StereoPresets();
}
TTextList cstMOVProfile() {
    return MonoPresets();
}
TTextList cstAACProfile() {
    return StereoPresets();
}
TTextList cstM4AProfile() {
    return MonoPresets();
}
TTextList cstMP3Profile() {
    return StereoPresets();
}

TTextList PresetTableOf(int outputType) {
    switch (outputType) {
    case 0:
        return cstiPodProfile();
    case 1:
        return cstMOVProfile();
    case 2:
        return cstAACProfile();
    case 3:
        return cstM4AProfile();
    case 4:
        return cstMP3Profile();
    default:
        return {};
    }
}

TTextList ShownEntries(const TTextList& optionList) {
    if (optionList.size() < 2)
        return {};
    return TTextList(optionList.begin(), optionList.end() - 1);
}

int DefaultIndex(const TTextList& optionList) {
    if (optionList.empty())
        return -1;
    const std::string& last = optionList.back();
    int value = -1;
    auto [end, ec] = std::from_chars(last.data(), last.data() + last.size(), value);
    if (ec != std::errc() || end != last.data() + last.size())
        return -1;
    return value;
}

std::string PresetString(const TPresetIndexes& indexes) {
    std::string text;
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        if (i > 0)
            text += '|';
        text += indexes[i] ? std::to_string(*indexes[i]) : std::string("none");
    }
    return text;
}

} // namespace clavenor
