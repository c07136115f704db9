// The argument list that BuildCommandLine makes, for every output type at every quality
// level, run through the real evc on a tiny clip: each run must succeed and give a file of
// that output type with the level's figures, as ffprobe reads them.

#include "core/CustomProc.h"

#include "temp_folder.h"
#include "test_media.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace clavenor;
using clavenor_test::TempFolder;

namespace {

// Runs arguments with standard output and error into logFile; the exit code, or -1 when a
// signal ended it.
int RunLogged(const std::vector<std::string>& arguments, const std::string& logFile) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int log = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (log < 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(log, 1);
        ::dup2(log, 2);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(log);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// What ffprobe says of a file: "format.<key>" and "<stream type>.<key>" for the first stream
// of each type.
std::map<std::string, std::string> ProbeFile(const std::string& path, const std::string& report) {
    std::map<std::string, std::string> facts;
    if (RunLogged({"ffprobe", "-v", "error", "-show_entries",
                   "format=format_name,duration:stream=codec_type,codec_name,width,height,"
                   "r_frame_rate,sample_rate,channels",
                   "-of", "default=noprint_wrappers=0", path},
                  report) != 0)
        return facts;
    std::istringstream in(clavenor_test::ReadWholeFile(report));
    std::string section;
    std::map<std::string, std::string> stream;
    for (std::string line; std::getline(in, line);) {
        if (line == "[FORMAT]" || line == "[STREAM]") {
            section = line;
            stream.clear();
        } else if (line == "[/STREAM]") {
            const std::string type = stream["codec_type"];
            for (const auto& [key, value] : stream)
                facts.emplace(type + "." + key, value);
        } else if (std::size_t eq = line.find('='); eq != std::string::npos) {
            if (section == "[FORMAT]")
                facts["format." + line.substr(0, eq)] = line.substr(eq + 1);
            else
                stream[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return facts;
}

double Rate(const std::string& fraction) {
    std::size_t slash = fraction.find('/');
    if (slash == std::string::npos)
        return std::atof(fraction.c_str());
    double denominator = std::atof(fraction.c_str() + slash + 1);
    return denominator == 0 ? 0 : std::atof(fraction.substr(0, slash).c_str()) / denominator;
}

struct TOutputKind {
    const char* Format; // ffprobe's format_name
    const char* AudioCodec;
    bool Video;
};

// Indexed by output type: .mp4, .mov, .aac, .m4a, .mp3.
const TOutputKind kKinds[] = {
    {"mov,mp4,m4a,3gp,3g2,mj2", "aac", true},
    {"mov,mp4,m4a,3gp,3g2,mj2", "aac", true},
    {"aac", "aac", false},
    {"mov,mp4,m4a,3gp,3g2,mj2", "aac", false},
    {"mp3", "mp3", false},
};

class BuilderThroughEvc : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(BuilderThroughEvc, EveryQualityLevelGivesAPlayableFileOfItsType) {
    const std::string builtEncoder = std::string(CLAVENOR_PROGRAM_DIR) + "evc";
    ASSERT_TRUE(std::filesystem::exists(builtEncoder)) << "the encoder is not built";
    const int type = GetParam();
    const TOutputKind& kind = kKinds[type];

    TempFolder tmp;
    const std::string program = tmp.Path() + "Clavenor/";
    const std::string source = tmp.Path() + "clip.avi";
    std::filesystem::create_directories(program);
    ASSERT_TRUE(clavenor_test::RunQuietly({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi",
                                           "-i", "testsrc=size=160x120:rate=25:duration=2", "-f",
                                           "lavfi", "-i", "sine=sample_rate=44100:duration=2",
                                           "-c:v", "mpeg4", "-c:a", "pcm_s16le", source}));

    TCommonLib commonLib(program);
    TFileFunc fileFunc;
    TAppFunc log(program);
    ConversionSettings settings;
    std::vector<TSourceFileRow> rows = {
        {"True", source, "", "00:00:02", "00:00:00", "00:00:01", "00:00:01"}};
    std::string outputFolder = tmp.Path() + "out";
    TCustomProc proc(commonLib, fileFunc, log, settings, rows, outputFolder);

    settings.SetOutputType(type);
    for (int level = 0; level < cBuiltInLevelCount; ++level) {
        settings.SetProfile(level);
        settings.ApplyProfile();
        TBuiltCommandLine line = proc.BuildCommandLine(source);
        SCOPED_TRACE(line.Text);
        ASSERT_FALSE(line.Arguments.empty());
        std::vector<std::string> arguments = line.Arguments;
        arguments[0] = builtEncoder;
        const std::string output = arguments.back();

        ASSERT_EQ(RunLogged(arguments, tmp.Path() + "evc.txt"), 0)
            << clavenor_test::ReadWholeFile(tmp.Path() + "evc.txt");
        std::map<std::string, std::string> facts = ProbeFile(output, tmp.Path() + "probe.txt");
        EXPECT_EQ(facts["format.format_name"], kind.Format);
        EXPECT_NEAR(std::atof(facts["format.duration"].c_str()), 1.0, 0.2);
        EXPECT_EQ(facts["audio.codec_name"], kind.AudioCodec);
        EXPECT_EQ(facts["audio.sample_rate"], settings.SelectedText(TAdvancedOption::AudioSample));
        EXPECT_EQ(facts["audio.channels"],
                  settings.SelectedText(TAdvancedOption::AudioChannels).substr(0, 1));
        if (kind.Video) {
            EXPECT_EQ(facts["video.codec_name"], "mpeg4");
            EXPECT_EQ(facts["video.width"] + "x" + facts["video.height"], "320x240");
            EXPECT_NEAR(Rate(facts["video.r_frame_rate"]),
                        std::atof(settings.SelectedText(TAdvancedOption::FrameRate).c_str()), 0.01);
        } else {
            EXPECT_EQ(facts.count("video.codec_type"), 0u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(OutputTypes, BuilderThroughEvc, ::testing::Range(0, 5));
