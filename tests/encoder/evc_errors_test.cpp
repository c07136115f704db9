// What evc and revc do with a command line, a script or a system they cannot work with:
// one clear message, a failure status, and no file left behind.

#include "EncoderTestSupport.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using namespace clavenor::test;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kMp3Options = {"-acodec", "mp3", "-vn", "-ab", "128",  "-vol",
                                              "200",     "-ac", "2",   "-ar", "44100"};

std::vector<std::string> Evc(const std::string& input, std::vector<std::string> options,
                             const std::string& output) {
    std::vector<std::string> argv = {EvcPath(), "-y", "-i", input};
    argv.insert(argv.end(), options.begin(), options.end());
    if (!output.empty())
        argv.push_back(output);
    return argv;
}

} // namespace

TEST(EvcErrors, UnusableRunsSayWhatIsWrongAndLeaveNothing) {
    TempFolder folder;
    std::string input = folder / "source.avi";
    MakeClip(input, 1, "160x120", {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
    std::ofstream(folder / "a-file") << "not a folder";
    std::string out = folder / "out.mp3";

    struct Case {
        const char* what;
        std::vector<std::string> argv;
        std::string output;  // must not exist afterwards
        int status;          // -1: any failure but 2
        std::string message; // exact for evc's own messages, else a part of ffmpeg's
    };
    std::vector<std::string> withFoo = kMp3Options;
    withFoo.insert(withFoo.begin(), {"-foo", "1"});
    std::vector<std::string> negative = kMp3Options;
    negative.insert(negative.end(), {"-ss", "00:00:00", "-t", "-5"});
    std::vector<std::string> badRate = kMp3Options;
    badRate.back() = "12345"; // no AAC or MP3 encoder takes it
    const Case cases[] = {
        {"unknown option", Evc(input, withFoo, out), out, 2, "evc: unknown option '-foo'\n"},
        {"negative length", Evc(input, negative, out), out, 2,
         "evc: option -t needs a duration in seconds (a number that is not negative), "
         "not '-5'\n"},
        {"missing output", Evc(input, kMp3Options, ""), out, 2,
         "evc: no output file given (it comes last)\n"},
        {"missing value", Evc(input, {"-acodec", "mp3", "-vn", "-ab"}, ""), out, 2,
         "evc: option -ab needs a value\n"},
        {"missing input file", Evc(folder / "missing.avi", kMp3Options, out), out, -1,
         folder / "missing.avi: No such file or directory"},
        {"output folder missing", Evc(input, kMp3Options, folder / "no/such/out.mp3"),
         folder / "no", -1, folder / "no/such/out.mp3: No such file or directory"},
        {"output folder is a file", Evc(input, kMp3Options, folder / "a-file/out.mp3"),
         folder / "a-file/out.mp3", -1, "Not a directory"},
        {"encoder refuses the rate", Evc(input, badRate, out), out, -1, "12345"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProcessResult run = RunProgram(c.argv);
        if (c.status >= 0) {
            EXPECT_EQ(run.exitStatus, c.status);
            EXPECT_EQ(run.err, c.message);
        } else {
            EXPECT_NE(run.exitStatus, 0);
            EXPECT_NE(run.exitStatus, 2);
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        }
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(FileExists(c.output)) << c.output;
    }
}

TEST(EvcErrors, RunThatEncodesNothingIsAFailure) {
    // ffmpeg ends with 0 and an empty file when the time range holds no media: a trim that
    // starts past the end of the source, or one of no length.
    TempFolder folder;
    std::string input = folder / "source.avi";
    MakeClip(input, 1, "160x120", {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
    const std::vector<std::string> video = {"-vcodec", "mpeg4", "-acodec", "aac", "-b",
                                            "128",     "-s",    "320x240", "-r",  "15"};
    const std::vector<std::string> pastTheEnd = {"-ss", "00:00:05", "-t", "3"};
    const std::vector<std::string> noLength = {"-ss", "00:00:00", "-t", "0"};
    struct Case {
        const char* what;
        const std::vector<std::string>& options;
        const std::vector<std::string>& timeRange;
        std::string output;
    };
    const Case cases[] = {
        {"video, start past the end", video, pastTheEnd, folder / "out.mp4"},
        {"video, no length", video, noLength, folder / "out.mp4"},
        {"audio only, start past the end", kMp3Options, pastTheEnd, folder / "out.mp3"},
        {"audio only, no length", kMp3Options, noLength, folder / "out.mp3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> options = c.options;
        options.insert(options.end(), c.timeRange.begin(), c.timeRange.end());
        ProcessResult run = RunProgram(Evc(input, options, c.output));
        EXPECT_NE(run.exitStatus, 0);
        EXPECT_NE(run.exitStatus, 2);
        EXPECT_EQ(run.err, "evc: nothing was encoded: the time range holds no media\n");
        EXPECT_FALSE(FileExists(c.output));
    }
}

TEST(EvcErrors, WithoutOverwriteAnExistingFileIsKept) {
    TempFolder folder;
    std::string input = folder / "source.avi";
    MakeClip(input, 1, "160x120", {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
    std::string output = folder / "kept.mp3";
    std::ofstream(output) << "precious";
    std::vector<std::string> argv = {EvcPath(), "-i", input};
    argv.insert(argv.end(), kMp3Options.begin(), kMp3Options.end());
    argv.push_back(output);
    ProcessResult run = RunProgram(argv);
    EXPECT_NE(run.exitStatus, 0);
    EXPECT_NE(run.err.find("already exists"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(output), "precious");
}

TEST(EvcErrors, FfmpegIsLookedForBesideTheProgramThenOnPath) {
    TempFolder folder;
    std::string input = folder / "source.avi";
    MakeClip(input, 1, "160x120", {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
    // A copy of the program folder with nothing but evc, and a PATH without ffmpeg.
    fs::create_directories(folder / "app");
    fs::create_directories(folder / "empty");
    fs::copy_file(EvcPath(), folder / "app/evc");
    std::vector<std::string> env = {"PATH=" + (folder / "empty")};
    std::string output = folder / "out.mp3";
    std::vector<std::string> argv = Evc(input, kMp3Options, output);
    argv[0] = folder / "app/evc";

    ProcessResult missing = RunProgram(argv, env);
    EXPECT_EQ(missing.exitStatus, 127);
    EXPECT_EQ(missing.err, "evc: ffmpeg not found\n");
    EXPECT_FALSE(FileExists(output));

    // Beside the program, but it cannot be started.
    std::ofstream(folder / "app/ffmpeg") << "#!/nonexistent/interpreter\n";
    fs::permissions(folder / "app/ffmpeg", fs::perms(0755));
    ProcessResult broken = RunProgram(argv, env);
    EXPECT_EQ(broken.exitStatus, 127);
    EXPECT_EQ(broken.err,
              "evc: cannot start " + (folder / "app/ffmpeg") + ": No such file or directory\n");
    EXPECT_FALSE(FileExists(output));

    // The same PATH with ffmpeg beside the program.
    fs::remove(folder / "app/ffmpeg");
    fs::create_symlink(FfmpegPath(), folder / "app/ffmpeg");
    ProcessResult beside = RunProgram(argv, env);
    EXPECT_EQ(beside.exitStatus, 0) << beside.err;
    EXPECT_TRUE(FileExists(output));
}

TEST(RevcErrors, UnusableScriptsAreRefused) {
    TempFolder folder;
    std::string badScript = folder / "VideoFile.avs";
    std::ofstream(badScript) << "DirectShowSource(\"/in/show.rm\")\r\n";
    std::string output = folder / "out.mp3";
    const std::pair<std::string, std::string> cases[] = {
        {badScript, "revc: " + badScript +
                        ": the script is not one line DirectShowSource(\"PATH\", fps=F, "
                        "convertfps=true)\n"},
        {folder / "missing.avs", "revc: cannot read the script '" + (folder / "missing.avs") +
                                     "': No such file or directory\n"},
    };
    for (const auto& [script, message] : cases) {
        std::vector<std::string> argv = {RevcPath(), "-y", "-i", script};
        argv.insert(argv.end(), kMp3Options.begin(), kMp3Options.end());
        argv.push_back(output);
        ProcessResult run = RunProgram(argv);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.err, message);
        EXPECT_FALSE(FileExists(output));
    }
    // A script that names a missing source fails as that source would with evc.
    std::ofstream(badScript) << "DirectShowSource(\"" << (folder / "gone.rm")
                             << "\", fps=25, convertfps=true)\r\n";
    std::vector<std::string> argv = {RevcPath(), "-y", "-i", badScript};
    argv.insert(argv.end(), kMp3Options.begin(), kMp3Options.end());
    argv.push_back(output);
    ProcessResult run = RunProgram(argv);
    EXPECT_NE(run.exitStatus, 0);
    EXPECT_NE(run.err.find(folder / "gone.rm: No such file or directory"), std::string::npos)
        << run.err;
    EXPECT_FALSE(FileExists(output));
}
