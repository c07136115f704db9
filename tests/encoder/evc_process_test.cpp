// evc while it runs: the progress it prints and what is left when it is stopped. The source
// is a live stream that ffmpeg writes into a named pipe at its natural pace, so a conversion
// lasts as long as the clip whatever the machine's speed.

#include "EncoderTestSupport.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace clavenor::test;
using namespace std::chrono_literals;

namespace {

// A writer of a live NUT stream (test picture and tone) of the given seconds into a FIFO.
class LiveSource {
public:
    LiveSource(const std::string& fifo, int seconds) {
        if (::mkfifo(fifo.c_str(), 0600) != 0)
            throw std::runtime_error("mkfifo " + fifo);
        std::string length = std::to_string(seconds);
        pid_ = StartProgram({FfmpegPath(),
                             "-hide_banner",
                             "-nostdin",
                             "-loglevel",
                             "error",
                             "-re",
                             "-f",
                             "lavfi",
                             "-i",
                             "testsrc=size=160x120:rate=25:duration=" + length,
                             "-re",
                             "-f",
                             "lavfi",
                             "-i",
                             "sine=frequency=440:sample_rate=44100:duration=" + length,
                             "-c:v",
                             "mpeg4",
                             "-c:a",
                             "pcm_s16le",
                             "-f",
                             "nut",
                             "-y",
                             fifo},
                            "", "");
    }
    ~LiveSource() {
        ::kill(pid_, SIGKILL);
        int status;
        ::waitpid(pid_, &status, 0);
    }

private:
    pid_t pid_ = -1;
};

template <typename Predicate> bool WaitUntil(Predicate done, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

int WaitStatus(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

} // namespace

TEST(EvcProgress, LinesHaveTheLegacyShapeAndTheirTimeNeverGoesBack) {
    struct Case {
        const char* extension;
        std::vector<std::string> options;
        bool video;
        const char* line; // one progress line, "\r" excluded
    };
    const Case cases[] = {
        {".mp4",
         {"-vcodec", "mpeg4", "-acodec", "aac", "-b",   "128", "-s",  "320x240", "-r",  "15",
          "-aspect", "4:3",   "-ab",     "128", "-vol", "200", "-ac", "2",       "-ar", "44100"},
         true,
         R"(frame= {0,4}\d+ q=-?\d+\.\d size= {0,7}\d+kB time=\d+\.\d\d bitrate= {0,5}\d+\.\dkbits/s)"},
        {".mp3",
         {"-acodec", "mp3", "-vn", "-ab", "128", "-vol", "200", "-ac", "2", "-ar", "44100"},
         false,
         R"(size= {0,7}\d+kB time=\d+\.\d\d bitrate= {0,5}\d+\.\dkbits/s)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        TempFolder folder;
        LiveSource live(folder / "live.nut", 4);
        std::vector<std::string> argv = {EvcPath(), "-y", "-i", folder / "live.nut"};
        argv.insert(argv.end(), c.options.begin(), c.options.end());
        argv.push_back(folder / (std::string("out") + c.extension));
        ProcessResult run = RunProgram(argv);
        ASSERT_EQ(run.exitStatus, 0) << run.err;

        // Lines end in "\r"; the last one is followed by a newline for a terminal's sake.
        ASSERT_FALSE(run.out.empty());
        EXPECT_EQ(run.out.substr(run.out.size() - 2), "\r\n");
        std::string lines = run.out.substr(0, run.out.size() - 1);
        std::regex shape(c.line);
        std::size_t start = 0;
        int count = 0;
        while (start < lines.size()) {
            std::size_t end = lines.find('\r', start);
            ASSERT_NE(end, std::string::npos) << "line without its carriage return";
            std::string line = lines.substr(start, end - start);
            EXPECT_TRUE(std::regex_match(line, shape) ||
                        line.find("time=10000000000.00") != std::string::npos)
                << line;
            start = end + 1;
            ++count;
        }

        // Read as the progress window reads them.
        std::vector<long long> seconds = ProgressSeconds(run.out, c.video);
        ASSERT_GE(seconds.size(), 3u) << run.out;
        EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end())) << run.out;
        EXPECT_LE(seconds.back(), 4);
        EXPECT_GE(seconds.back(), 2);
    }
}

TEST(EvcProcess, StoppingEvcLeavesNoFfmpegBehind) {
    // Orphans are handed to this process, so that an ffmpeg that outlived evc is seen here.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    for (int sig : {SIGKILL, SIGTERM, SIGINT}) {
        SCOPED_TRACE(strsignal(sig));
        TempFolder folder;
        LiveSource live(folder / "live.nut", 60);
        // A descriptor left open by whoever starts evc must not reach ffmpeg.
        std::ofstream(folder / "marker") << "x";
        int opened = ::open((folder / "marker").c_str(), O_RDONLY);
        int marker = ::fcntl(opened, F_DUPFD, 50);
        ::close(opened);
        ASSERT_GE(marker, 50);
        std::string input = folder / "live.nut";
        std::string output = folder / "out.mp3";
        pid_t evc = StartProgram(
            {EvcPath(), "-y", "-i", input, "-acodec", "mp3", "-vn", "-ab", "128", output},
            folder / "stdout", "");
        ::close(marker);

        // Once a progress line is out, ffmpeg is at work.
        ASSERT_TRUE(WaitUntil([&] { return !ReadFile(folder / "stdout").empty(); }, 30s));
        std::vector<pid_t> children = ChildrenOf(evc);
        ASSERT_EQ(children.size(), 1u);
        pid_t ffmpeg = children[0];
        // ffmpeg holds the standard three, its progress pipe as 3, and what it opened itself.
        std::string fds = "/proc/" + std::to_string(ffmpeg) + "/fd/";
        EXPECT_TRUE(std::filesystem::read_symlink(fds + "3").string().starts_with("pipe:"));
        for (const auto& entry : std::filesystem::directory_iterator(fds)) {
            if (std::stoi(entry.path().filename().string()) <= 3)
                continue;
            std::error_code ignored;
            std::string target = std::filesystem::read_symlink(entry.path(), ignored).string();
            EXPECT_TRUE(target == input || target == output) << entry.path() << " -> " << target;
        }

        ASSERT_EQ(::kill(evc, sig), 0);
        int status = WaitStatus(evc);
        EXPECT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), sig);

        // SIGTERM and SIGINT: evc has already waited for ffmpeg. SIGKILL: the kernel ends
        // ffmpeg, which then comes to this process to be reaped.
        bool gone = WaitUntil(
            [&] {
                int ignored;
                pid_t reaped = ::waitpid(ffmpeg, &ignored, WNOHANG);
                return reaped == ffmpeg || (reaped < 0 && errno == ECHILD);
            },
            20s);
        EXPECT_TRUE(gone) << "ffmpeg " << ffmpeg << " outlived evc";
        if (!gone)
            ::kill(ffmpeg, SIGKILL);
    }
}
