#include "foundation/TextHelpers.h"
#include "settings/ConversionSettings.h"

#include <gtest/gtest.h>

#include <map>

using namespace clavenor;
using O = TAdvancedOption;

namespace {

// The six preset options as (index) in preset field order.
std::array<int, 6> PresetIndexes(const ConversionSettings& s) {
    return {s.Index(O::VideoSize),    s.Index(O::FrameRate),     s.Index(O::VideoBitrate),
            s.Index(O::AudioBitrate), s.Index(O::AudioChannels), s.Index(O::AudioSample)};
}

// Custom profiles as the Options dialog will keep them.
class FakeProfiles : public ICustomProfileSource {
public:
    std::vector<std::string> values;
    int selected = -1;
    int reads = 0;

    void SelectCustomProfile(int index) override {
        selected = index >= 0 && index < static_cast<int>(values.size()) ? index : -1;
    }
    std::string SelectedProfileValue() const override {
        ++const_cast<FakeProfiles*>(this)->reads;
        return selected < 0 ? "" : values[static_cast<std::size_t>(selected)];
    }
};

} // namespace

TEST(ConversionSettings, StartUpSelectsEveryDefaultAndAppliesNormalQuality) {
    ConversionSettings s;
    EXPECT_EQ(s.OutputType(), 0);
    EXPECT_EQ(s.OutputTypeChoices().size(), 5u);
    EXPECT_EQ(s.Profile(), 2);
    EXPECT_EQ(s.ProfileChoices()[2], "Normal Quality");
    EXPECT_EQ(s.SelectedText(O::VideoSize), "320x240");
    EXPECT_EQ(s.SelectedText(O::AudioBitrate), "48");
    EXPECT_EQ(s.Choices(O::AudioVolume).size(), 21u);

    s.ApplyProfile();
    const std::map<O, std::string> expected = {
        {O::VideoSize, ""},       {O::FrameRate, "15"},
        {O::VideoBitrate, "128"}, {O::AspectRatio, "4:3"},
        {O::AudioBitrate, "128"}, {O::AudioSample, "44100"},
        {O::AudioVolume, "200"},  {O::AudioChannels, "2 channels, Stereo"},
    };
    for (const auto& [option, text] : expected)
        EXPECT_EQ(s.SelectedText(option), text) << static_cast<int>(option);
    EXPECT_EQ(s.Index(O::VideoSize), -1);
}

// Every output type at every level selects the table's six indexes (the video size field 1
// names no entry, so it ends with none) and leaves the aspect ratio and volume as the user
// set them.
TEST(ConversionSettings, BuiltInPresetsForEveryOutputTypeAndLevel) {
    const std::array<int, 6> stereo[] = {{-1, 0, 0, 2, 0, 0},
                                         {-1, 0, 1, 4, 1, 1},
                                         {-1, 1, 2, 5, 1, 2},
                                         {-1, 1, 3, 7, 1, 2},
                                         {-1, 1, 4, 8, 1, 3}};
    const std::array<int, 6> mono[] = {{-1, 0, 0, 2, 0, 0},
                                       {-1, 0, 1, 4, 0, 0},
                                       {-1, 1, 2, 5, 0, 0},
                                       {-1, 1, 3, 7, 0, 0},
                                       {-1, 1, 4, 8, 0, 0}};
    const std::array<int, 6>* tables[] = {stereo, mono, stereo, mono, stereo};
    for (int type = 0; type < 5; ++type) {
        for (int level = 0; level < 5; ++level) {
            SCOPED_TRACE("type " + std::to_string(type) + " level " + std::to_string(level));
            ConversionSettings s;
            s.Select(O::AspectRatio, 1);
            s.Select(O::AudioVolume, 3);
            s.Select(O::VideoSize, 0);
            s.SetOutputType(type);
            s.SetProfile(level);
            s.ApplyProfile();
            EXPECT_EQ(PresetIndexes(s), tables[type][level]);
            EXPECT_EQ(s.SelectedText(O::AspectRatio), "16:9");
            EXPECT_EQ(s.SelectedText(O::AudioVolume), "75");
        }
    }
}

TEST(ConversionSettings, SuperbMovIsMonoAt22050) {
    ConversionSettings s;
    s.SetOutputType(1);
    s.SetProfile(4);
    s.ApplyProfile();
    EXPECT_EQ(s.SelectedText(O::FrameRate), "15");
    EXPECT_EQ(s.SelectedText(O::VideoBitrate), "512");
    EXPECT_EQ(s.SelectedText(O::AudioBitrate), "224");
    EXPECT_EQ(s.SelectedText(O::AudioChannels), "1 channel, Mono");
    EXPECT_EQ(s.SelectedText(O::AudioSample), "22050");
}

TEST(ConversionSettings, SwitchingOutputTypeBackAndForth) {
    ConversionSettings s;
    s.ApplyProfile();
    s.SetOutputType(1);
    s.ApplyProfile();
    EXPECT_EQ(s.SelectedText(O::AudioChannels), "1 channel, Mono");
    EXPECT_EQ(s.SelectedText(O::AudioSample), "22050");
    s.SetOutputType(0);
    s.ApplyProfile();
    EXPECT_EQ(s.SelectedText(O::AudioChannels), "2 channels, Stereo");
    EXPECT_EQ(s.SelectedText(O::AudioSample), "44100");
}

TEST(ConversionSettings, SelectionsOutsideTheirListSelectNone) {
    ConversionSettings s;
    for (int bad : {-5, -1, 2, 100}) {
        s.Select(O::AspectRatio, 0);
        s.Select(O::AspectRatio, bad);
        EXPECT_EQ(s.Index(O::AspectRatio), -1) << bad;
        EXPECT_EQ(s.SelectedText(O::AspectRatio), "") << bad;
    }
    s.SetOutputType(5);
    EXPECT_EQ(s.OutputType(), -1);
    // Without an output type or a level there is no preset: nothing changes.
    const auto before = PresetIndexes(s);
    s.ApplyProfile();
    EXPECT_EQ(PresetIndexes(s), before);
    s.SetOutputType(0);
    s.SetProfile(-1);
    s.ApplyProfile();
    EXPECT_EQ(PresetIndexes(s), before);
}

TEST(ConversionSettings, CustomProfileChangesNothingUntilASourceExists) {
    ConversionSettings s;
    s.FillProfileChoices({"Mine"});
    s.SetProfile(5);
    const auto before = PresetIndexes(s);
    s.ApplyProfile();
    s.ApplyCustomProfile();
    EXPECT_EQ(PresetIndexes(s), before);
}

TEST(ConversionSettings, CustomProfilesFromTheSource) {
    struct Case {
        const char* value;
        std::array<int, 6> expected; // from start-up defaults {0, 1, 2, 2, 1, 2}
    };
    const Case cases[] = {
        {"0|3|4|8|0|3", {0, 3, 4, 8, 0, 3}},
        {"-1|-1|0|0|0|0", {-1, -1, 0, 0, 0, 0}}, // stored "-1": no selection
        {"|5||1||", {0, 1, 2, 2, 1, 2}},         // ends in "|": five fields, nothing
        {"|5||1||0", {0, 5, 2, 1, 1, 0}},        // empty fields leave their option
        {"", {0, 1, 2, 2, 1, 2}},
        {"1|2|3", {0, 1, 2, 2, 1, 2}},
        {"1|2|3|4|5|6|7", {0, 1, 2, 2, 1, 2}},
        {"0|99|0|0|0|0", {0, -1, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        FakeProfiles profiles;
        profiles.values = {"unused", c.value};
        ConversionSettings s;
        s.SetCustomProfileSource(&profiles);
        s.FillProfileChoices({"First", "Second"});
        ASSERT_EQ(s.ProfileChoices().size(), 7u);
        EXPECT_EQ(s.Profile(), 2);
        s.SetProfile(6);
        s.ApplyProfile();
        EXPECT_EQ(profiles.selected, 1);
        EXPECT_EQ(PresetIndexes(s), c.expected);
    }
}

TEST(ConversionSettings, BadCustomProfileFieldNamesItAndChangesNothing) {
    FakeProfiles profiles;
    profiles.values = {"1|2|x3|4|0|0"};
    profiles.selected = 0;
    ConversionSettings s;
    s.SetCustomProfileSource(&profiles);
    const auto before = PresetIndexes(s);
    try {
        s.ApplyCustomProfile();
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_NE(std::string(e.what()).find("'x3'"), std::string::npos) << e.what();
    }
    EXPECT_EQ(PresetIndexes(s), before);
}

TEST(ConversionSettings, ChangesAreAnnounced) {
    ConversionSettings s;
    int notices = 0;
    s.SetOnChanged([&] { ++notices; });
    s.SetOutputType(1);
    s.SetProfile(0);
    s.Select(O::AudioVolume, 4);
    s.ApplyProfile();
    s.FillProfileChoices({});
    EXPECT_EQ(notices, 5);
}
