#include "encoder/EncoderOptions.h"

#include <gtest/gtest.h>

using namespace clavenor;

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t blank = line.find(' ', start);
        words.push_back(line.substr(start, blank - start));
        if (blank == std::string::npos)
            break;
        start = blank + 1;
    }
    return words;
}

} // namespace

TEST(EncoderOptions, VideoCommandLineOfTheBuilderIsTakenWhole) {
    auto parsed = ParseEncoderArguments(
        Words("-y -i /in/clip.avi -vcodec mpeg4 -acodec aac -b 128 -s 320x240 -r 15 -aspect 4:3 "
              "-ab 128 -vol 200 -ac 2 -ar 44100 -ss 00:00:10 -t 50 /out/clip.mp4"));
    ASSERT_TRUE(parsed.options) << parsed.error;
    const EncoderOptions& o = *parsed.options;
    EXPECT_TRUE(o.overwrite);
    EXPECT_FALSE(o.noVideo);
    EXPECT_EQ(o.inputPath, "/in/clip.avi");
    EXPECT_EQ(o.videoCodec, "mpeg4");
    EXPECT_EQ(o.audioCodec, "aac");
    EXPECT_EQ(o.videoBitrateKbps, "128");
    EXPECT_EQ(o.frameSize, "320x240");
    EXPECT_EQ(o.frameRate, "15");
    EXPECT_EQ(o.aspectRatio, "4:3");
    EXPECT_EQ(o.audioBitrateKbps, "128");
    EXPECT_EQ(o.volumePercent, "200");
    EXPECT_EQ(o.audioChannels, "2");
    EXPECT_EQ(o.sampleRateHz, "44100");
    EXPECT_FALSE(o.format);
    EXPECT_FALSE(o.target);
    EXPECT_EQ(o.startTime, "00:00:10");
    EXPECT_EQ(o.durationSeconds, "50");
    EXPECT_EQ(o.outputPath, "/out/clip.mp4");
}

TEST(EncoderOptions, OtherFormsOfTheBuilderAreAccepted) {
    const char* lines[] = {
        // audio only, no volume selected (its fragment is a lone blank: no word at all)
        "-y -i /in/clip.avi -acodec mp3 -vn -ab 128 -vol 200 -ac 2 -ar 44100 /out/clip.mp3",
        "-y -i /in/clip.avi -acodec aac -vn -ab 48 -ac 1 -ar 22050 /out/clip.m4a",
        // QuickTime with its container option, the catalogue's odd rates, a long trim
        "-y -i /in/a.avi -vcodec mpeg4 -acodec aac -b 40 -s 320x240 -r 14.985 -aspect 16:9 "
        "-ab 224 -vol 0 -ac 1 -ar 22050 -f mov -ss 123:59:59 -t 0 /out/a.mov",
        "-y -i /in/clip.avi -target ntsc-vcd /out/clip.mpg",
        "-y -i /in/clip.avi -acodec amr_nb -s 176x144 -b 64 -ab 12.2 -vol 100 -ac 1 -ar 8000 "
        "/out/clip.3gp",
        "-y -i /in/clip.avi -vcodec xvid -acodec mp3 -b 512 -r 23.967 -aspect 1.7778 /out/c.avi",
    };
    for (const char* line : lines) {
        auto parsed = ParseEncoderArguments(Words(line));
        EXPECT_TRUE(parsed.options) << line << " -> " << parsed.error;
    }
    // Paths are single arguments whatever they hold, a leading "-" included.
    auto parsed = ParseEncoderArguments({"-y", "-i", "-in dir/\"x\".avi", "-vn", "/out/a b.mp3"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->inputPath, "-in dir/\"x\".avi");
    EXPECT_EQ(parsed.options->outputPath, "/out/a b.mp3");
}

TEST(EncoderOptions, BadCommandLinesAreRefusedWithWhatIsWrong) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"-y -i /in/c.avi -foo 1 /out/c.mp4", "unknown option '-foo'"},
        {"-y -i /in/c.avi -sameq /out/c.mp4", "unknown option '-sameq'"},
        {"-y -i /in/c.avi -b", "option -b needs a value"},
        {"-y -i", "option -i needs a value"},
        {"-y -i /in/c.avi -t -5 /out/c.mp4", "option -t needs a duration in seconds"},
        {"-y -i /in/c.avi -t 5s /out/c.mp4", "not '5s'"},
        {"-y -i /in/c.avi -t abc /out/c.mp4", "not 'abc'"},
        {"-y -i /in/c.avi -s 320 /out/c.mp4", "option -s needs a frame size"},
        {"-y -i /in/c.avi -s 0x240 /out/c.mp4", "not '0x240'"},
        {"-y -i /in/c.avi -s 320x /out/c.mp4", "not '320x'"},
        {"-y -i /in/c.avi -s -1x240 /out/c.mp4", "not '-1x240'"},
        {"-y -i /in/c.avi -b 0 /out/c.mp4", "option -b needs a video bitrate"},
        {"-y -i /in/c.avi -b 128k /out/c.mp4", "not '128k'"},
        {"-y -i /in/c.avi -r 1e3 /out/c.mp4", "option -r needs a frame rate"},
        {"-y -i /in/c.avi -aspect 4:0 /out/c.mp4", "option -aspect needs"},
        {"-y -i /in/c.avi -vol -50 /out/c.mp4", "option -vol needs"},
        {"-y -i /in/c.avi -ac two /out/c.mp4", "option -ac needs"},
        {"-y -i /in/c.avi -ar 44.1 /out/c.mp4", "option -ar needs"},
        {"-y -i /in/c.avi -ss 00:60:00 /out/c.mp4", "option -ss needs a start time"},
        {"-y -i /in/c.avi -ss 10 /out/c.mp4", "not '10'"},
        {"-y -i /in/c.avi -vcodec -vn /out/c.mp4", "option -vcodec needs a codec name"},
        {"-y -i /in/c.avi -f mp4;rm /out/c.mp4", "option -f needs"},
        {"-y -i /in/c.avi -vcodec mpeg4", "no output file given"},
        {"-y -i /in/c.avi", "no output file given"},
        {"-y -i /in/c.avi -vn", "no output file given"},
        {"-y /out/c.mp4", "no input file given"},
        {"-y -i /in/c.avi /out/c.mp4 -vn", "unexpected argument '/out/c.mp4'"},
        {"-y -i /in/c.avi stray /out/c.mp4", "unexpected argument 'stray'"},
        {"-y -y -i /in/c.avi /out/c.mp4", "option -y is given twice"},
        {"-y -i /in/c.avi -r 15 -r 25 /out/c.mp4", "option -r is given twice"},
        {"-y -i /in/a.avi -i /in/b.avi /out/c.mp4", "option -i is given twice"},
        {"", "no input file given"},
    };
    for (const Case& c : cases) {
        auto parsed = ParseEncoderArguments(Words(c.line));
        EXPECT_FALSE(parsed.options) << c.line;
        EXPECT_NE(parsed.error.find(c.error), std::string::npos)
            << c.line << " -> " << parsed.error;
    }
}

TEST(EncoderOptions, EmptyPathsAreRefused) {
    EXPECT_EQ(ParseEncoderArguments({"-y", "-i", "", "/out/c.mp4"}).error,
              "option -i needs an input file name");
    EXPECT_EQ(ParseEncoderArguments({"-y", "-i", "/in/c.avi", ""}).error,
              "the output file name is empty");
}

TEST(EncoderOptions, RoleFollowsTheNameTheProgramWasStartedUnder) {
    EXPECT_EQ(RoleFromProgramName("/opt/Clavenor/revc"), EncoderRole::Revc);
    EXPECT_EQ(RoleFromProgramName("revc"), EncoderRole::Revc);
    EXPECT_EQ(RoleFromProgramName("/opt/Clavenor/evc"), EncoderRole::Evc);
    EXPECT_EQ(RoleFromProgramName("/opt/revc/evc"), EncoderRole::Evc);
    EXPECT_EQ(RoleFromProgramName(""), EncoderRole::Evc);
    EXPECT_EQ(RoleName(EncoderRole::Revc), "revc");
    EXPECT_EQ(RoleName(EncoderRole::Evc), "evc");
}
