#pragma once
// The built-in catalogue of conversion settings: constant, ordered text lists compiled into
// the program. Every accessor returns a new copy of its list; the catalogue never changes.
//
// Option lists end with one hidden entry: the decimal index of the choice selected by
// default. Those lists show all entries but the last (ShownEntries) and select
// DefaultIndex. The per-output-type lists (codec options, formats, extensions) and the
// preset tables are indexed by the output type index 0..4.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace clavenor {

using TTextList = std::vector<std::string>;

// The ten option lists, each with its trailing default entry.
TTextList cstOutputTypes();
TTextList cstQualityLevels();
TTextList cstVideoSizes();
TTextList cstVideoBitrates(); // kbit/s
TTextList cstFrameRates();    // frames per second
TTextList cstAspectRatios();
TTextList cstAudioBitrates(); // kbit/s
TTextList cstAudioSamples();  // Hz
TTextList cstAudioVolumes();  // per cent
TTextList cstAudioChannels();

// Looked up by output type index. cstCodecOptions carries a trailing "0" that nothing reads.
TTextList cstCodecOptions();
TTextList cstFormats();    // "none": the command line names no container
TTextList cstExtensions(); // dot included

// Preset tables: five preset strings each, one per quality level (Low .. Superb).
TTextList cstiPodProfile();
TTextList cstMOVProfile();
TTextList cstAACProfile();
TTextList cstM4AProfile();
TTextList cstMP3Profile();

// The preset table of an output type (0 iPod, 1 MOV, 2 AAC, 3 M4A, 4 MP3); an empty list
// for any other index.
TTextList PresetTableOf(int outputType);

// Entries of an option list that a selector offers: all but the trailing default entry.
TTextList ShownEntries(const TTextList& optionList);

// The default choice named by the trailing entry of an option list; -1 for an empty list.
int DefaultIndex(const TTextList& optionList);

// Number of built-in quality levels; profile indexes from this on are custom profiles.
inline constexpr int cBuiltInLevelCount = 5;

// The six fields of a preset string, in their fixed order.
enum TPresetField {
    pfVideoSize = 0,
    pfFrameRate = 1,
    pfVideoBitrate = 2,
    pfAudioBitrate = 3,
    pfAudioChannels = 4,
    pfAudioSample = 5,
};
inline constexpr int cPresetFieldCount = 6;

// One index per preset field; std::nullopt stands for "none" (leave the option unchanged).
using TPresetIndexes = std::array<std::optional<int>, cPresetFieldCount>;

// The preset string form shared by the built-in presets and stored custom profiles:
// six decimal indexes or "none", joined by "|" without blanks.
std::string PresetString(const TPresetIndexes& indexes);

} // namespace clavenor
