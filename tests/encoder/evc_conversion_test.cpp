// evc and revc on real media: sources in the containers Clavenor accepts, converted to each
// of its five output types with the catalogue's options, checked with ffprobe.

#include "EncoderTestSupport.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

using namespace clavenor::test;

namespace {

struct SourceKind {
    const char* extension;
    const char* size;
    std::vector<std::string> codecOptions;
};

// How each container is usually filled; every clip lasts 4 s.
const SourceKind kSources[] = {
    {".avi", "160x120", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}},
    {".mp4", "160x120", {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"}},
    {".mov", "160x120", {"-c:v", "mjpeg", "-c:a", "pcm_s16le"}},
    {".wmv", "160x120", {"-c:v", "wmv2", "-c:a", "wmav2"}},
    {".flv", "160x120", {"-c:v", "flv1", "-c:a", "libmp3lame"}},
    {".3gp", "176x144", {"-c:v", "h263", "-c:a", "aac", "-ac", "1", "-ar", "8000"}},
    {".mpg", "160x120", {"-c:v", "mpeg1video", "-c:a", "mp2"}},
    {".rm", "160x120", {"-c:v", "rv20", "-c:a", "ac3"}},
};

struct OutputType {
    const char* extension;
    std::vector<std::string> options; // the builder's words between input and time range
    const char* format;               // ffprobe's name of the container
    const char* brand;                // ISO files: their major brand
    const char* audioCodec;
    int channels;
    int sampleRate;
    bool video;
};

constexpr const char* kIso = "mov,mp4,m4a,3gp,3g2,mj2";

// The five output types at "Normal Quality", as the command line builder writes them.
const OutputType kOutputTypes[] = {
    {".mp4",
     {"-vcodec", "mpeg4", "-acodec", "aac", "-b",   "128", "-s",  "320x240", "-r",  "15",
      "-aspect", "4:3",   "-ab",     "128", "-vol", "200", "-ac", "2",       "-ar", "44100"},
     kIso,
     "isom",
     "aac",
     2,
     44100,
     true},
    {".mov",
     {"-vcodec", "mpeg4", "-acodec", "aac",   "-b",  "128", "-s",   "320x240",
      "-r",      "15",    "-aspect", "4:3",   "-ab", "128", "-vol", "200",
      "-ac",     "1",     "-ar",     "22050", "-f",  "mov"},
     kIso,
     "qt",
     "aac",
     1,
     22050,
     true},
    {".aac",
     {"-acodec", "aac", "-vn", "-ab", "128", "-vol", "200", "-ac", "2", "-ar", "44100"},
     "aac",
     "",
     "aac",
     2,
     44100,
     false},
    {".m4a",
     {"-acodec", "aac", "-vn", "-ab", "128", "-vol", "200", "-ac", "1", "-ar", "22050"},
     kIso,
     "M4A",
     "aac",
     1,
     22050,
     false},
    {".mp3",
     {"-acodec", "mp3", "-vn", "-ab", "128", "-vol", "200", "-ac", "2", "-ar", "44100"},
     "mp3",
     "",
     "mp3",
     2,
     44100,
     false},
};

std::vector<std::string> CommandLine(const std::string& program, const std::string& input,
                                     const std::vector<std::string>& options,
                                     const std::vector<std::string>& timeRange,
                                     const std::string& output) {
    std::vector<std::string> argv = {program, "-y", "-i", input};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.insert(argv.end(), timeRange.begin(), timeRange.end());
    argv.push_back(output);
    return argv;
}

std::string Trim(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// Checks one converted file against its output type; length is what -t asked for.
void ExpectOutput(const std::string& path, const OutputType& type, double length) {
    SCOPED_TRACE(path);
    MediaFacts facts = Probe(path);
    EXPECT_EQ(facts.formatName, type.format);
    if (*type.brand) {
        EXPECT_EQ(Trim(facts.majorBrand), type.brand);
    }
    const StreamFacts* audio = facts.First("audio");
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(audio->codec, type.audioCodec);
    EXPECT_EQ(audio->channels, type.channels);
    EXPECT_EQ(audio->sampleRate, type.sampleRate);
    EXPECT_EQ(facts.Count("audio"), 1);
    if (audio->codec == "mp3") {
        EXPECT_EQ(audio->bitRate, 128000); // "-ab 128" is kbit/s
    }
    if (type.video) {
        const StreamFacts* video = facts.First("video");
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->codec, "mpeg4");
        EXPECT_EQ(video->width, 320);
        EXPECT_EQ(video->height, 240);
        EXPECT_NEAR(video->frameRate, 15.0, 0.01);
    } else {
        EXPECT_EQ(facts.Count("video"), 0);
    }
    EXPECT_NEAR(facts.length, length, 0.15);
}

void PrintTo(const SourceKind& kind, std::ostream* out) {
    *out << kind.extension;
}

class EveryOutputType : public ::testing::TestWithParam<SourceKind> {};

} // namespace

TEST_P(EveryOutputType, SourceIsConvertedToEachOutputTypeAtTheTrimmedLength) {
    const SourceKind& source = GetParam();
    TempFolder folder;
    std::string input = folder / (std::string("source") + source.extension);
    MakeClip(input, 4, source.size, source.codecOptions);
    for (const OutputType& type : kOutputTypes) {
        std::string output = folder / (std::string("out") + type.extension);
        ProcessResult run = RunProgram(
            CommandLine(EvcPath(), input, type.options, {"-ss", "00:00:01", "-t", "2"}, output));
        ASSERT_EQ(run.exitStatus, 0) << type.extension << ": " << run.err;
        // Only ffmpeg's error messages reach standard error: no banner, no stream report.
        // (After a seek into MPEG program streams its audio decoder does report a few.)
        EXPECT_EQ(run.err.find("ffmpeg version"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("Stream mapping"), std::string::npos) << run.err;
        EXPECT_FALSE(ProgressSeconds(run.out, type.video).empty() &&
                     run.out.find("time=10000000000.00") == std::string::npos)
            << "no progress line: " << run.out;
        ExpectOutput(output, type, 2.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Containers, EveryOutputType, ::testing::ValuesIn(kSources),
                         [](const ::testing::TestParamInfo<SourceKind>& info) {
                             return std::string(info.param.extension + 1);
                         });

TEST(EvcConversion, VolumeIsPerCentOfTheSourceLoudness) {
    TempFolder folder;
    std::string input = folder / "source.avi";
    MakeClip(input, 2, "160x120", {"-c:v", "mpeg4", "-c:a", "pcm_s16le"});
    auto convert = [&](const std::string& percent) {
        std::string output = folder / ("vol" + percent + ".mp3");
        ProcessResult run =
            RunProgram({EvcPath(), "-y", "-i", input, "-acodec", "mp3", "-vn", "-ab", "128", "-vol",
                        percent, "-ac", "2", "-ar", "44100", output});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        return MeanVolumeDb(output);
    };
    // 100 per cent keeps the loudness (up to the mono-to-stereo mix); the others change it
    // by 20 * log10(percent / 100) dB.
    double normal = convert("100");
    EXPECT_NEAR(normal, MeanVolumeDb(input), 4.0);
    for (const char* percent : {"25", "50", "200"}) {
        double expected = normal + 20.0 * std::log10(std::atof(percent) / 100.0);
        EXPECT_NEAR(convert(percent), expected, 1.0) << percent << "%";
    }
}

TEST(EvcConversion, EveryCatalogueFrameRateIsKept) {
    TempFolder folder;
    std::string input = folder / "source.avi";
    MakeClip(input, 1, "160x120", {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
    for (const char* rate : {"14.985", "15", "23.967", "24", "25", "29.97", "30"}) {
        std::string output = folder / (std::string("rate") + rate + ".mp4");
        ProcessResult run =
            RunProgram({EvcPath(), "-y",  "-i",  input,     "-vcodec", "mpeg4", "-acodec", "aac",
                        "-b",      "512", "-s",  "320x240", "-r",      rate,    "-aspect", "4:3",
                        "-ab",     "224", "-ac", "2",       "-ar",     "48000", output});
        ASSERT_EQ(run.exitStatus, 0) << rate << ": " << run.err;
        const StreamFacts* video = Probe(output).First("video");
        ASSERT_NE(video, nullptr);
        EXPECT_NEAR(video->frameRate, std::atof(rate), 0.01) << rate;
    }
}

TEST(RevcConversion, ScriptSourceIsConvertedAtItsFrameRateAndLength) {
    TempFolder folder;
    // The script carries the path between quotes; Linux names may hold quotes themselves.
    std::string input = folder / "show \"live\", fps=1.rm";
    MakeClip(input, 4, "160x120", {"-c:v", "rv20", "-c:a", "ac3"});
    std::string script = folder / "VideoFile.avs";
    std::ofstream(script, std::ios::binary)
        << "DirectShowSource(\"" << input << "\", fps=10, convertfps=true)\r\n";

    // With a frame rate on the command line, that is the output's; without, the script's.
    struct Case {
        std::vector<std::string> options;
        double frameRate;
    };
    const Case cases[] = {
        {kOutputTypes[0].options, 15.0},
        {{"-vcodec", "mpeg4", "-acodec", "aac", "-b", "128", "-s", "320x240"}, 10.0},
    };
    for (const Case& c : cases) {
        std::string output = folder / "show.mp4";
        ProcessResult run = RunProgram(
            CommandLine(RevcPath(), script, c.options, {"-ss", "00:00:01", "-t", "2"}, output));
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        MediaFacts facts = Probe(output);
        EXPECT_EQ(Trim(facts.majorBrand), "isom");
        const StreamFacts* video = facts.First("video");
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->codec, "mpeg4");
        EXPECT_NEAR(video->frameRate, c.frameRate, 0.01);
        ASSERT_NE(facts.First("audio"), nullptr);
        EXPECT_EQ(facts.First("audio")->codec, "aac");
        EXPECT_NEAR(facts.length, 2.0, 0.15);
    }

    // An audio-only output of a RealMedia source goes the same way.
    std::string mp3 = folder / "show.mp3";
    ProcessResult run = RunProgram(CommandLine(RevcPath(), script, kOutputTypes[4].options,
                                               {"-ss", "00:00:01", "-t", "2"}, mp3));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    ExpectOutput(mp3, kOutputTypes[4], 2.0);
}
