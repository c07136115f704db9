#include "encoder/FfmpegCommand.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace clavenor;

namespace {

EncoderOptions Parse(std::vector<std::string> args) {
    auto parsed = ParseEncoderArguments(args);
    if (!parsed.options)
        throw std::runtime_error(parsed.error);
    return *parsed.options;
}

// The value that follows option name in args, or "(absent)".
std::string ValueOf(const std::vector<std::string>& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end() || it + 1 == args.end())
        return "(absent)";
    return *(it + 1);
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& args, const std::string& word) {
    return std::find(args.begin(), args.end(), word) - args.begin();
}

} // namespace

TEST(FfmpegCommand, VideoLineBecomesExplicitModernOptions) {
    EncoderOptions o =
        Parse({"-y",  "-i",    "/in/clip.avi", "-vcodec",  "mpeg4", "-acodec", "aac",
               "-b",  "128",   "-s",           "320x240",  "-r",    "15",      "-aspect",
               "4:3", "-ab",   "128",          "-vol",     "200",   "-ac",     "2",
               "-ar", "44100", "-ss",          "00:00:10", "-t",    "50",      "/out/clip.mp4"});
    std::vector<std::string> expected = {
        "-hide_banner", "-nostdin", "-nostats", "-loglevel", "error", "-stats_period", "0.25",
        "-progress", "pipe:3", "-y",
        // the start seeks the input, before it is opened
        "-ss", "00:00:10", "-i", "/in/clip.avi", "-c:v", "mpeg4", "-c:a", "aac", "-b:v", "128k",
        "-s", "320x240", "-r", "15", "-aspect", "4:3", "-b:a", "128k", "-af", "volume=2", "-ac",
        "2", "-ar", "44100",
        // the length bounds the output
        "-t", "50", "/out/clip.mp4"};
    EXPECT_EQ(BuildFfmpegArguments(o, std::nullopt, false, 3), expected);
}

TEST(FfmpegCommand, VolumePerCentBecomesAFactor) {
    const std::pair<const char*, const char*> cases[] = {
        {"200", "volume=2"}, {"100", "volume=1"},    {"25", "volume=0.25"},
        {"0", "volume=0"},   {"175", "volume=1.75"}, {"12.5", "volume=0.125"},
    };
    for (auto [percent, filter] : cases) {
        EncoderOptions o =
            Parse({"-i", "/in/c.avi", "-acodec", "mp3", "-vn", "-vol", percent, "/out/c.mp3"});
        EXPECT_EQ(ValueOf(BuildFfmpegArguments(o, std::nullopt, false, 3), "-af"), filter);
    }
}

TEST(FfmpegCommand, XvidUsesTheXvidEncoderOrTaggedMpeg4) {
    auto args = [](const char* out, bool hasXvid, std::vector<std::string> extra = {}) {
        std::vector<std::string> words = {"-y", "-i", "/in/c.mpg", "-vcodec", "xvid"};
        words.insert(words.end(), extra.begin(), extra.end());
        words.push_back(out);
        EncoderOptions o = Parse(words);
        EXPECT_TRUE(NeedsXvidEncoderCheck(o));
        return BuildFfmpegArguments(o, std::nullopt, hasXvid, 3);
    };
    EXPECT_EQ(ValueOf(args("/out/c.avi", true), "-c:v"), "libxvid");
    EXPECT_EQ(ValueOf(args("/out/c.avi", true), "-tag:v"), "(absent)");
    EXPECT_EQ(ValueOf(args("/out/c.avi", false), "-c:v"), "mpeg4");
    EXPECT_EQ(ValueOf(args("/out/c.AVI", false), "-tag:v"), "XVID");
    EXPECT_EQ(ValueOf(args("/out/c", false, {"-f", "avi"}), "-tag:v"), "XVID");
    // MP4 and QuickTime refuse the XVID fourcc: plain MPEG-4 part 2 there
    EXPECT_EQ(ValueOf(args("/out/c.mp4", false), "-c:v"), "mpeg4");
    EXPECT_EQ(ValueOf(args("/out/c.mp4", false), "-tag:v"), "(absent)");
    EXPECT_EQ(ValueOf(args("/out/c.avi", false, {"-f", "mov"}), "-tag:v"), "(absent)");
    EXPECT_FALSE(NeedsXvidEncoderCheck(Parse({"-i", "/in/c.avi", "-vcodec", "mpeg4", "/o.mp4"})));
}

TEST(FfmpegCommand, OtherOptionsKeepTheirNamesAndPlaces) {
    EncoderOptions o = Parse({"-i", "/in/c.avi", "-target", "pal-vcd", "-acodec", "mp3", "-vn",
                              "-f", "mov", "/out/c.mov"});
    auto args = BuildFfmpegArguments(o, std::nullopt, false, 3);
    // without -y an existing output is never overwritten (and never asked about)
    EXPECT_EQ(IndexOf(args, "-y"), static_cast<std::ptrdiff_t>(args.size()));
    EXPECT_LT(IndexOf(args, "-n"), IndexOf(args, "-i"));
    EXPECT_EQ(ValueOf(args, "-target"), "pal-vcd");
    EXPECT_EQ(ValueOf(args, "-c:a"), "mp3");
    EXPECT_EQ(ValueOf(args, "-f"), "mov");
    EXPECT_LT(IndexOf(args, "-i"), IndexOf(args, "-target"));
    EXPECT_LT(IndexOf(args, "-target"), IndexOf(args, "-c:a"));
    EXPECT_LT(IndexOf(args, "-vn"), static_cast<std::ptrdiff_t>(args.size()));
    EXPECT_EQ(ValueOf(args, "-ss"), "(absent)");
    EXPECT_EQ(ValueOf(args, "-t"), "(absent)");
    EXPECT_EQ(args.back(), "/out/c.mov");
}

TEST(FfmpegCommand, RelativePathsCannotBeTakenForProtocols) {
    EncoderOptions o = Parse({"-y", "-i", "concat:a.avi|b.avi", "-vn", "http:x.mp3"});
    auto args = BuildFfmpegArguments(o, std::nullopt, false, 3);
    EXPECT_EQ(ValueOf(args, "-i"), "./concat:a.avi|b.avi");
    EXPECT_EQ(args.back(), "./http:x.mp3");
    EXPECT_EQ(AsPlainFilePath("/abs/x:y.avi"), "/abs/x:y.avi");
    EXPECT_EQ(AsPlainFilePath("-"), "./-");
}

TEST(FfmpegCommand, ScriptSourceIsConvertedAtItsConstantFrameRate) {
    EncoderOptions o = Parse({"-y", "-i", "/app/VideoFile.avs", "-vcodec", "mpeg4", "-s", "320x240",
                              "-r", "15", "-ss", "00:00:01", "-t", "2", "/out/c.mp4"});
    SourceScript script{"/in/show.rm", "29.9700898503294"};
    auto args = BuildFfmpegArguments(o, script, false, 3);
    EXPECT_EQ(ValueOf(args, "-i"), "/in/show.rm");
    EXPECT_EQ(ValueOf(args, "-vf"), "fps=29.9700898503294");
    EXPECT_EQ(ValueOf(args, "-ss"), "00:00:01");
    EXPECT_LT(IndexOf(args, "-ss"), IndexOf(args, "-i"));
    EXPECT_EQ(ValueOf(args, "-r"), "15");

    EncoderOptions audio =
        Parse({"-y", "-i", "/app/VideoFile.avs", "-acodec", "mp3", "-vn", "/out/c.mp3"});
    EXPECT_EQ(ValueOf(BuildFfmpegArguments(audio, script, false, 3), "-vf"), "(absent)");
}
