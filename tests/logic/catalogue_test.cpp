#include "settings/Catalogue.h"

#include <gtest/gtest.h>

using namespace clavenor;

namespace {

struct OptionListCase {
    const char* name;
    TTextList (*list)();
    std::size_t shown;
    const char* defaultText;
};

const OptionListCase kOptionLists[] = {
    {"output types", cstOutputTypes, 5, "iPod MPEG-4 Video Files (*.mp4)"},
    {"quality levels", cstQualityLevels, 5, "Normal Quality"},
    {"video sizes", cstVideoSizes, 1, "320x240"},
    {"video bitrates", cstVideoBitrates, 5, "128"},
    {"frame rates", cstFrameRates, 7, "15"},
    {"aspect ratios", cstAspectRatios, 2, "4:3"},
    {"audio bitrates", cstAudioBitrates, 9, "48"},
    {"audio samples", cstAudioSamples, 4, "44100"},
    {"audio volumes", cstAudioVolumes, 21, "200"},
    {"audio channels", cstAudioChannels, 2, "2 channels, Stereo"},
};

} // namespace

// Each option list shows one entry fewer than it holds, and its hidden last entry names the
// default choice.
TEST(Catalogue, OptionListsShowAllButTheDefaultEntryAndSelectIt) {
    for (const auto& c : kOptionLists) {
        SCOPED_TRACE(c.name);
        TTextList list = c.list();
        TTextList shown = ShownEntries(list);
        ASSERT_EQ(shown.size(), c.shown);
        EXPECT_EQ(list.size(), c.shown + 1);
        int def = DefaultIndex(list);
        ASSERT_GE(def, 0);
        ASSERT_LT(def, static_cast<int>(shown.size()));
        EXPECT_EQ(shown[static_cast<std::size_t>(def)], c.defaultText);
    }
}

TEST(Catalogue, AudioVolumesRunInStepsOf25) {
    TTextList shown = ShownEntries(cstAudioVolumes());
    ASSERT_EQ(shown.size(), 21u);
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], std::to_string(i * 25));
}

TEST(Catalogue, PerOutputTypeListsLineUp) {
    const TTextList ext = cstExtensions();
    const TTextList fmt = cstFormats();
    const TTextList codec = cstCodecOptions();
    ASSERT_EQ(ext, (TTextList{".mp4", ".mov", ".aac", ".m4a", ".mp3"}));
    ASSERT_EQ(fmt, (TTextList{"none", "mov", "none", "none", "none"}));
    ASSERT_EQ(codec.size(), 6u);
    EXPECT_EQ(codec[0], "-vcodec mpeg4 -acodec aac");
    EXPECT_EQ(codec[1], "-vcodec mpeg4 -acodec aac");
    EXPECT_EQ(codec[2], "-acodec aac -vn");
    EXPECT_EQ(codec[3], "-acodec aac -vn");
    EXPECT_EQ(codec[4], "-acodec mp3 -vn");
    EXPECT_EQ(codec[5], "0");
}

TEST(Catalogue, PresetTablesByOutputType) {
    const TTextList stereo = {"1|0|0|2|0|0", "1|0|1|4|1|1", "1|1|2|5|1|2", "1|1|3|7|1|2",
                              "1|1|4|8|1|3"};
    const TTextList mono = {"1|0|0|2|0|0", "1|0|1|4|0|0", "1|1|2|5|0|0", "1|1|3|7|0|0",
                            "1|1|4|8|0|0"};
    EXPECT_EQ(cstiPodProfile(), stereo);
    EXPECT_EQ(cstAACProfile(), stereo);
    EXPECT_EQ(cstMP3Profile(), stereo);
    EXPECT_EQ(cstMOVProfile(), mono);
    EXPECT_EQ(cstM4AProfile(), mono);
    const TTextList byType[] = {stereo, mono, stereo, mono, stereo};
    for (int type = 0; type < 5; ++type)
        EXPECT_EQ(PresetTableOf(type), byType[type]) << type;
    EXPECT_TRUE(PresetTableOf(-1).empty());
    EXPECT_TRUE(PresetTableOf(5).empty());
}

TEST(Catalogue, PresetStringJoinsIndexesAndNone) {
    EXPECT_EQ(PresetString({1, 1, 4, 8, 0, 0}), "1|1|4|8|0|0");
    EXPECT_EQ(PresetString({}), "none|none|none|none|none|none");
    EXPECT_EQ(PresetString({-1, std::nullopt, 12, 0, std::nullopt, 3}), "-1|none|12|0|none|3");
}

TEST(Catalogue, DefaultIndexOfMalformedListsIsNone) {
    EXPECT_EQ(DefaultIndex({}), -1);
    EXPECT_EQ(DefaultIndex({"a", "x"}), -1);
    EXPECT_EQ(DefaultIndex({"a", "1 "}), -1);
    EXPECT_TRUE(ShownEntries({"0"}).empty());
}
