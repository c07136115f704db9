#include "core/CustomProc.h"
#include "core/JobCommandBuilder.h"
#include "foundation/TextHelpers.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace clavenor;
using clavenor_test::TempFolder;
using O = TAdvancedOption;

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// A program folder, a source folder and an output folder under one temp folder, with the
// settings right after start-up and one trimmed row for <in>clip.avi.
class BuildCommandLineTest : public ::testing::Test {
protected:
    TempFolder tmp;
    const std::string prog = tmp.Path() + "Clavenor/";
    const std::string in = tmp.Path() + "in/";
    const std::string out = tmp.Path() + "out";

    TCommonLib commonLib{prog};
    TFileFunc fileFunc;
    TAppFunc appFunc{prog};
    ConversionSettings settings;
    std::vector<TSourceFileRow> rows;
    std::string outputFolder = out;
    TCustomProc proc{commonLib, fileFunc, appFunc, settings, rows, outputFolder};

    void SetUp() override {
        std::filesystem::create_directories(prog);
        settings.ApplyProfile();
        AddRow(in + "clip.avi", "00:00:10", "00:01:00");
    }

    void AddRow(const std::string& path, const std::string& start, const std::string& end) {
        TSourceFileRow row;
        row.CheckStatus = "True";
        row.SourceFileName = path;
        row.SourceFileStartTime = start;
        row.SourceFileEndTime = end;
        rows.push_back(row);
    }

    // The messages of the log, without the date and time in front of them.
    std::vector<std::string> LogMessages() const {
        std::vector<std::string> messages;
        std::istringstream log(clavenor_test::ReadWholeFile(prog + "log.txt"));
        for (std::string line; std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            messages.push_back(line.substr(line.find('|') + 1));
        }
        return messages;
    }

    // A text written for /opt/Clavenor/, /in/ and /out/, moved into the temp folders.
    std::string Localise(std::string text) const {
        for (auto [from, to] : {std::pair<std::string, std::string>{"/opt/Clavenor/", prog},
                                {"\"/in/", "\"" + in},
                                {"\"/out/", "\"" + out + "/"}}) {
            for (std::size_t pos = text.find(from); pos != std::string::npos;
                 pos = text.find(from, pos + to.size()))
                text.replace(pos, from.size(), to);
        }
        return text;
    }

    std::string Script() const {
        return clavenor_test::ReadWholeFile(prog + TCustomProc::ScriptFileName);
    }
};

} // namespace

TEST_F(BuildCommandLineTest, VideoExample) {
    TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
    EXPECT_EQ(line.Text,
              Localise("/opt/Clavenor/evc -y -i \"/in/clip.avi\" -vcodec mpeg4 -acodec aac -b 128 "
                       "-s 320x240 -r 15 -aspect 4:3 -ab 128 -vol 200 -ac 2 -ar 44100 -ss "
                       "00:00:10 -t 50 \"/out/clip.mp4\""));
    const std::vector<std::string> expected = {prog + "evc",
                                               "-y",
                                               "-i",
                                               in + "clip.avi",
                                               "-vcodec",
                                               "mpeg4",
                                               "-acodec",
                                               "aac",
                                               "-b",
                                               "128",
                                               "-s",
                                               "320x240",
                                               "-r",
                                               "15",
                                               "-aspect",
                                               "4:3",
                                               "-ab",
                                               "128",
                                               "-vol",
                                               "200",
                                               "-ac",
                                               "2",
                                               "-ar",
                                               "44100",
                                               "-ss",
                                               "00:00:10",
                                               "-t",
                                               "50",
                                               out + "/clip.mp4"};
    EXPECT_EQ(line.Arguments, expected);
    EXPECT_EQ(proc.StartTimeText(), "00:00:10");
    EXPECT_EQ(proc.CutDuration(), "50");
    EXPECT_EQ(commonLib.ConvertParameter().OutputFolder, out + "/");
    EXPECT_EQ(commonLib.ConvertParameter().OutputExtension, ".mp4");
    EXPECT_TRUE(commonLib.ConvertParameter().Unused.empty());
    EXPECT_TRUE(std::filesystem::is_directory(out));
}

TEST_F(BuildCommandLineTest, AudioExample) {
    settings.SetOutputType(4);
    settings.ApplyProfile();
    TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
    EXPECT_EQ(line.Text,
              Localise("/opt/Clavenor/evc -y -i \"/in/clip.avi\" -acodec mp3 -vn -ab 128 -vol 200 "
                       "-ac 2 -ar 44100 -ss 00:00:10 -t 50 \"/out/clip.mp3\""));
    EXPECT_EQ(line.Arguments.back(), out + "/clip.mp3");
    EXPECT_EQ(line.Arguments.size(), 20u);
}

// Every fragment with a text and without one (its default).
TEST(OptionFragments, TextOrDefault) {
    struct Case {
        std::string (*make)(std::string_view);
        const char* text;
        const char* withText;
        const char* withoutText;
    };
    const Case cases[] = {
        {TCommonLib::MakeCodecFragment, "-acodec aac -vn", " -acodec aac -vn",
         " -vcodec xvid -acodec mp3"},
        {TCommonLib::MakeVideoBitrateFragment, "256", " -b 256", " -b 512"},
        {TCommonLib::MakeVideoSizeFragment, "320x240", " -s 320x240", " -s 320x240"},
        {TCommonLib::MakeFrameRateFragment, "29.97", " -r 29.97", " -r 25"},
        {TCommonLib::MakeAspectRatioFragment, "16:9", " -aspect 16:9", " -aspect 4:3"},
        {TCommonLib::MakeAudioBitrateFragment, "224", " -ab 224", " -ab 64"},
        {TCommonLib::MakeAudioVolumeFragment, "0", " -vol 0", " "},
        {TCommonLib::MakeAudioChannelsFragment, "1 channel, Mono", " -ac 1", " -ac 2"},
        {TCommonLib::MakeAudioChannelsFragment, "2 channels, Stereo", " -ac 2", " -ac 2"},
        {TCommonLib::MakeAudioSampleFragment, "22050", " -ar 22050", " -ar 44100"},
        {TCommonLib::MakeFormatFragment, "mov", " -f mov", ""},
        {TCommonLib::MakeFormatFragment, "none", "", ""},
        // Texts go on unchanged, blanks and all.
        {TCommonLib::MakeVideoBitrateFragment, " 1 ", " -b  1 ", " -b 512"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.make(c.text), c.withText);
        EXPECT_EQ(c.make(""), c.withoutText);
    }
}

// The six forms, reached by giving output type 0 other lists.
TEST_F(BuildCommandLineTest, CommandFormsByCodecOption) {
    struct Case {
        const char* codec;
        const char* format;
        const char* extension;
        const char* middle; // between the quoted input and the quoted output; "" for none
        const char* output;
        bool failureLogged;
    };
    const Case cases[] = {
        {"-vcodec h264", "none", ".mp4",
         " -vcodec h264 -b 128 -s 320x240 -r 15 -aspect 4:3 -ab 128 -vol 200 -ac 2 -ar 44100"
         " -ss 00:00:10 -t 50 ",
         "clip.mp4", false},
        {"-target ntsc-dvd", "mov", ".mpg", " -target ntsc-dvd -ss 00:00:10 -t 50 ", "clip.mpg",
         false},
        {"-acodec amr_nb", "amr", ".3gp",
         " -acodec amr_nb -s 320x240 -b 128 -ab 128 -vol 200 -ac 1 -ar 8000 -f amr"
         " -ss 00:00:10 -t 50 ",
         "clip.3gp", false},
        {"-acodec libopencore_amrnb", "none", ".amr",
         " -acodec libopencore_amrnb -s 320x240 -b 128 -ab 128 -vol 200 -ac 1 -ar 8000"
         " -ss 00:00:10 -t 50 ",
         "clip.amr", false},
        {"-acodec aac -vn", "mov", ".m4a",
         " -acodec aac -vn -ab 128 -vol 200 -ac 2 -ar 44100 -f mov -ss 00:00:10 -t 50 ", "clip.m4a",
         false},
        {"\t -acodec aac", "none", ".3GP",
         " \t -acodec aac -ab 128 -vol 200 -ac 2 -ar 44100 -ss 00:00:10 -t 50 ", "clip.3GP", false},
        {"", "none", "",
         " -vcodec xvid -acodec mp3 -b 128 -s 320x240 -r 15 -aspect 4:3 -ab 128 -vol 200 -ac 2"
         " -ar 44100 -ss 00:00:10 -t 50 ",
         "clip.avi", false},
        {"-none", "none", ".mp4", "", "", true},
        {"-nonesuch", "none", ".mp4", "", "", true},
        {"xvid", "none", ".mp4", "", "", false},
        {"-vcode", "none", ".mp4", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codec);
        std::filesystem::remove(prog + "log.txt");
        proc.SetOutputTypeTable({{c.codec}, {c.format}, {c.extension}});
        TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
        std::vector<std::string> log = LogMessages();
        EXPECT_EQ(std::count(log.begin(), log.end(), "Create convert parameter failure."),
                  c.failureLogged ? 1 : 0);
        // The output folder is made and the record filled whatever the form.
        EXPECT_EQ(log.front(), "Output directory " + out + "/");
        EXPECT_EQ(commonLib.ConvertParameter().InputPath, in + "clip.avi");
        if (std::string(c.middle).empty()) {
            EXPECT_EQ(line.Text, "");
            EXPECT_TRUE(line.Arguments.empty());
            continue;
        }
        std::string output = out + "/" + c.output;
        EXPECT_EQ(line.Text,
                  prog + "evc -y -i \"" + in + "clip.avi\"" + c.middle + "\"" + output + "\"");
        std::vector<std::string> args = {prog + "evc", "-y", "-i", in + "clip.avi"};
        for (const std::string& w : Words(c.middle))
            args.push_back(w);
        args.push_back(output);
        EXPECT_EQ(line.Arguments, args);
    }
}

TEST_F(BuildCommandLineTest, TrimTimesFromTheLastMatchingRow) {
    struct Case {
        const char* what;
        std::vector<std::array<std::string, 3>> rows;
        const char* start;
        const char* cut;
        const char* fragment;
    };
    const Case cases[] = {
        {"125 seconds",
         {{"clip.avi", "00:00:00", "00:02:05"}},
         "00:00:00",
         "125",
         " -ss 00:00:00 -t 125"},
        {"end before start",
         {{"clip.avi", "00:01:00", "00:00:10"}},
         "00:01:00",
         "-50",
         " -ss 00:01:00 -t -50"},
        {"same path twice",
         {{"clip.avi", "00:00:10", "00:01:00"}, {"clip.avi", "00:00:20", "00:00:30"}},
         "00:00:20",
         "10",
         " -ss 00:00:20 -t 10"},
        // Linux paths are case-sensitive: another file's trim never applies.
        {"a path differing only in case is another file",
         {{"clip.avi", "00:00:10", "00:01:00"}, {"CLIP.AVI", "00:00:20", "00:00:30"}},
         "00:00:10",
         "50",
         " -ss 00:00:10 -t 50"},
        {"no row", {{"other.avi", "00:00:10", "00:01:00"}}, "", "", ""},
        {"hours",
         {{"clip.avi", "01:00:00", "100:00:01"}},
         "01:00:00",
         "356401",
         " -ss 01:00:00 -t 356401"},
        // A text that is not three fields keeps its counter at what it was.
        {"start not a time", {{"clip.avi", "10", "00:01:00"}}, "10", "60", " -ss 10 -t 60"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rows.clear();
        for (const auto& [name, start, end] : c.rows)
            AddRow(in + name, start, end);
        TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
        EXPECT_EQ(proc.StartTimeText(), c.start);
        EXPECT_EQ(proc.CutDuration(), c.cut);
        EXPECT_EQ(commonLib.ConvertParameter().TimeRangeFragment, c.fragment);
        EXPECT_NE(line.Text.find(std::string(c.fragment) + " \"" + out + "/clip"),
                  std::string::npos)
            << line.Text;
        if (*c.fragment) {
            auto ss = std::find(line.Arguments.begin(), line.Arguments.end(), "-ss");
            ASSERT_GE(line.Arguments.end() - ss, 5);
            EXPECT_EQ(ss[1], c.start);
            EXPECT_EQ(ss[2], "-t");
            EXPECT_EQ(ss[3], c.cut);
        } else {
            EXPECT_EQ(std::count(line.Arguments.begin(), line.Arguments.end(), "-ss"), 0);
        }
    }
}

TEST_F(BuildCommandLineTest, BadTimeFieldStopsTheBuildAndKeepsTheLastOne) {
    TBuiltCommandLine first = proc.BuildCommandLine(in + "clip.avi");
    ASSERT_FALSE(first.Text.empty());
    const std::string script = Script();
    const std::size_t logLines = LogMessages().size();

    AddRow(in + "bad.avi", "00:00:20", "00:0x:00");
    try {
        proc.BuildCommandLine(in + "bad.avi");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_NE(std::string(e.what()).find("00:0x:00"), std::string::npos) << e.what();
    }
    EXPECT_EQ(proc.StartTimeText(), "00:00:10");
    EXPECT_EQ(proc.CutDuration(), "50");
    EXPECT_EQ(commonLib.ConvertParameter().InputPath, in + "clip.avi");
    EXPECT_EQ(commonLib.ConvertParameter().OutputBaseName, "clip");
    EXPECT_EQ(Script(), script);
    EXPECT_EQ(LogMessages().size(), logLines);
}

TEST_F(BuildCommandLineTest, RealMediaGoesThroughTheScript) {
    struct Case {
        const char* name;
        bool real;
    };
    const Case cases[] = {
        {"show.rm", true},    {"show.rmvb", true}, {"show.RM", false},
        {"show.Rmvb", false}, {"show.avi", false}, {"rm", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string source = in + c.name;
        TBuiltCommandLine line = proc.BuildCommandLine(source);
        // Every build rewrites the script with its source, used or not.
        EXPECT_EQ(Script(), "DirectShowSource(\"" + source +
                                "\", fps=29.9700898503294, convertfps=true)\r\n");
        const std::string encoder = prog + (c.real ? "revc" : "evc");
        const std::string input = c.real ? prog + "VideoFile.avs" : source;
        EXPECT_EQ(commonLib.ConvertParameter().EncoderPath, encoder);
        EXPECT_EQ(commonLib.ConvertParameter().InputPath, input);
        EXPECT_EQ(line.Text.rfind(encoder + " -y -i \"" + input + "\" -vcodec", 0), 0u)
            << line.Text;
        EXPECT_EQ(line.Arguments[0], encoder);
        EXPECT_EQ(line.Arguments[3], input);
    }
}

TEST_F(BuildCommandLineTest, OutputFolderTexts) {
    TempFolder other;
    clavenor_test::WriteWholeFile(other.Path() + "file.txt", "");
    struct Case {
        std::string text;
        std::string folder;
        bool created;
    };
    const Case cases[] = {
        {out, out + "/", true},
        {out + "/", out + "/", true},
        {out + "/a/b", out + "/a/b/", true},
        {"", "/", true},
        {"rel/out", prog + "rel/out/", true},
        {other.Path() + "file.txt/sub", other.Path() + "file.txt/sub/", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::filesystem::remove(prog + "log.txt");
        outputFolder = c.text;
        TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
        EXPECT_EQ(commonLib.ConvertParameter().OutputFolder, c.folder);
        EXPECT_EQ(std::filesystem::is_directory(c.folder), c.created);
        EXPECT_EQ(LogMessages(),
                  std::vector<std::string>{
                      (c.created ? "Output directory " : "Output directory error. ->") + c.folder});
        // The build goes on: the encoder meets the missing folder.
        EXPECT_EQ(line.Arguments.back(), c.folder + "clip.mp4");
    }
}

TEST_F(BuildCommandLineTest, UnwritableScriptNamesTheFile) {
    std::filesystem::create_directory(prog + "VideoFile.avs");
    try {
        proc.BuildCommandLine(in + "clip.avi");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(prog + "VideoFile.avs"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(commonLib.ConvertParameter().InputPath.empty());
    EXPECT_TRUE(proc.StartTimeText().empty());
}

TEST_F(BuildCommandLineTest, OutputNamesCountUpInTheOutputFolder) {
    std::filesystem::create_directories(out);
    std::ofstream(out + "/CLIP.mp4") << "x";
    EXPECT_EQ(proc.BuildCommandLine(in + "clip.avi").Arguments.back(), out + "/clip_1.mp4");
    std::ofstream(out + "/clip_1.mp4") << "x";
    EXPECT_EQ(proc.BuildCommandLine(in + "clip.avi").Arguments.back(), out + "/clip_2.mp4");
    AddRow(in + "take_3.avi", "00:00:00", "00:00:01");
    std::ofstream(out + "/take_3.mp4") << "x";
    EXPECT_EQ(proc.BuildCommandLine(in + "take_3.avi").Arguments.back(), out + "/take_3_1.mp4");
}

TEST_F(BuildCommandLineTest, MissingVolumeLeavesTwoBlanksAndNoArgument) {
    settings.Select(O::AudioVolume, -1);
    settings.Select(O::AudioChannels, 0);
    TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
    EXPECT_NE(line.Text.find(" -ab 128  -ac 1 -ar"), std::string::npos) << line.Text;
    EXPECT_EQ(std::count(line.Arguments.begin(), line.Arguments.end(), ""), 0);
    EXPECT_EQ(std::count(line.Arguments.begin(), line.Arguments.end(), "-vol"), 0);
}

// Whatever a name holds, each path is one argument and the list keeps its shape.
TEST_F(BuildCommandLineTest, HostileNamesStayOneArgument) {
    const std::vector<std::string> plain = proc.BuildCommandLine(in + "clip.avi").Arguments;
    const std::string utf8 = "Ünïcödé 映画 \xF0\x9F\x8E\xAC";
    const std::vector<std::string> names = {
        "a \"b\".avi",      "-i.avi",
        "x\ny.avi",         std::string(300, 'n') + ".avi",
        utf8 + ".avi",      "two  blanks -vn .avi",
        "'; rm -rf ~'.avi",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string source = in + name;
        AddRow(source, "00:00:10", "00:01:00");
        TBuiltCommandLine line = proc.BuildCommandLine(source);
        std::vector<std::string> expected = plain;
        expected[3] = source;
        expected.back() = out + "/" + TFileFunc::GetBaseName(name) + ".mp4";
        EXPECT_EQ(line.Arguments, expected);
        EXPECT_NE(line.Text.find("-i \"" + source + "\" -vcodec"), std::string::npos);
    }
    // A start time from a row is one argument too.
    rows.clear();
    AddRow(in + "clip.avi", "1 -f mp3", "00:01:00");
    TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
    auto ss = std::find(line.Arguments.begin(), line.Arguments.end(), "-ss");
    ASSERT_NE(ss, line.Arguments.end());
    EXPECT_EQ(ss[1], "1 -f mp3");
    EXPECT_EQ(std::count(line.Arguments.begin(), line.Arguments.end(), "-f"), 0);
}

// A custom profile picked in the Options dialog is set again for every file.
TEST_F(BuildCommandLineTest, SelectedCustomProfileIsAppliedPerMatchingRow) {
    struct Profiles : ICustomProfileSource {
        int reads = 0;
        void SelectCustomProfile(int) override {}
        std::string SelectedProfileValue() const override {
            ++const_cast<Profiles*>(this)->reads;
            return "0|6|0|8|0|3";
        }
    } profiles;
    settings.SetCustomProfileSource(&profiles);
    AddRow(in + "clip.avi", "00:00:20", "00:00:30");
    TBuiltCommandLine line = proc.BuildCommandLine(in + "clip.avi");
    EXPECT_EQ(profiles.reads, 2);
    EXPECT_NE(line.Text.find("-b 40 -s 320x240 -r 30 -aspect 4:3 -ab 224 -vol 200 -ac 1 -ar 48000"),
              std::string::npos)
        << line.Text;
}

// The job sees the build and what it left behind through its port.
TEST_F(BuildCommandLineTest, JobPortShowsTheLastBuild) {
    TJobCommandBuilder builder(proc, commonLib);
    EXPECT_EQ(builder.OutputFolder(), "");
    TJobCommandLine line = builder.BuildCommandLine(in + "show.rm");
    EXPECT_EQ(line.Arguments.front(), prog + "revc");
    EXPECT_EQ(line.Text.substr(0, line.Arguments.front().size()), prog + "revc");
    EXPECT_EQ(builder.EncoderPath(), prog + "revc");
    EXPECT_EQ(builder.InputPath(), prog + "VideoFile.avs");
    EXPECT_EQ(builder.OutputFolder(), out + "/");
    EXPECT_EQ(builder.StartTime(), "");
    EXPECT_EQ(builder.CutDuration(), "");
    builder.BuildCommandLine(in + "clip.avi");
    EXPECT_EQ(builder.InputPath(), in + "clip.avi");
    EXPECT_EQ(builder.StartTime(), "00:00:10");
    EXPECT_EQ(builder.CutDuration(), "50");
}
