#include "encoder/EncoderProgram.h"

#include "encoder/ChildProcess.h"
#include "encoder/EncoderOptions.h"
#include "encoder/FfmpegCommand.h"
#include "encoder/FfmpegLocator.h"
#include "encoder/ProgressReport.h"
#include "encoder/SourceScript.h"
#include "foundation/ProgramFolder.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sstream>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace clavenor {

namespace {

// ffmpeg writes its progress blocks on this descriptor of its own.
constexpr int kChildProgressFd = 3;
constexpr int kUsageError = 2;
constexpr int kCannotRunFfmpeg = 127;
constexpr int kNothingEncoded = 1;

class Messages {
public:
    explicit Messages(EncoderRole role) : prefix_(RoleName(role) + ": ") {}
    void Say(const std::string& text) const { WriteAll(2, prefix_ + text + "\n"); }

private:
    std::string prefix_;
};

std::string ProgramFolderOrNone() {
    try {
        return ExecutableFolder();
    } catch (const std::exception&) {
        return {};
    }
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

int ExitStatusOf(int waitStatus) {
    if (WIFEXITED(waitStatus))
        return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return 1;
}

// Whether this ffmpeg has an encoder of the given name, from its "-encoders" list, whose
// lines read " V..... libxvid   libxvidcore MPEG-4 part 2 (codec mpeg4)".
bool HasEncoder(const std::string& ffmpeg, const std::string& name) {
    PipeEnds out = MakePipe();
    StartedChild child = StartChild(ffmpeg, {"-hide_banner", "-loglevel", "error", "-encoders"},
                                    ChildDescriptors{out.write.Get(), -1});
    out.write.Reset();
    if (child.error != 0)
        return false;
    std::string text;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(out.read.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    WaitFor(child.pid);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string flags, encoder;
        if (words >> flags >> encoder && encoder == name)
            return true;
    }
    return false;
}

// SIGTERM, SIGINT and SIGHUP end ffmpeg at once, then this program by the same signal;
// SIGCHLD tells that ffmpeg is done. All four arrive on a descriptor that the loop polls.
class SignalChannel {
public:
    SignalChannel() {
        sigemptyset(&set_);
        for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGCHLD})
            sigaddset(&set_, sig);
        ::sigprocmask(SIG_BLOCK, &set_, &previous_);
        fd_.Reset(::signalfd(-1, &set_, SFD_CLOEXEC | SFD_NONBLOCK));
        if (!fd_.Valid())
            throw std::system_error(errno, std::generic_category(), "signalfd");
    }
    ~SignalChannel() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    SignalChannel(const SignalChannel&) = delete;
    SignalChannel& operator=(const SignalChannel&) = delete;

    int Fd() const { return fd_.Get(); }

    // The ending signal among those pending, or 0.
    int TakeEndingSignal() {
        int ending = 0;
        signalfd_siginfo info{};
        while (::read(fd_.Get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info))
            if (info.ssi_signo != SIGCHLD && ending == 0)
                ending = static_cast<int>(info.ssi_signo);
        return ending;
    }

private:
    sigset_t set_{};
    sigset_t previous_{};
    UniqueFd fd_;
};

[[noreturn]] void EndBySignal(int sig) {
    ::signal(sig, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(sig);
    ::_exit(128 + sig);
}

class ProgressRelay {
public:
    explicit ProgressRelay(bool hasVideo) : printer_(hasVideo) {}

    void Take(std::string_view bytes) {
        for (const ProgressFigures& block : reader_.Feed(bytes)) {
            if (block.last)
                finalBlock_ = block;
            std::string line = printer_.Take(block, ProgressPrinter::Clock::now());
            if (!line.empty())
                WriteAll(1, line);
        }
    }
    // ffmpeg's closing block shows no frame and no output time: it wrote an empty file (the
    // time range lay past the end of the source, or had no length), and yet ends with 0.
    bool NothingEncoded() const {
        return finalBlock_ && finalBlock_->frame == 0 &&
               finalBlock_->outTimeMicroseconds.value_or(0) <= 0;
    }
    // Ends the last line, so that a terminal keeps it.
    void Finish() {
        if (printer_.PrintedAny())
            WriteAll(1, "\n");
    }

private:
    ProgressBlockReader reader_;
    ProgressPrinter printer_;
    std::optional<ProgressFigures> finalBlock_;
};

// Reads what is in fd now; false at its end or on an error.
bool ReadAvailable(int fd, ProgressRelay& relay) {
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            relay.Take(std::string_view(buffer, static_cast<std::size_t>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && errno == EAGAIN;
    }
}

// Runs ffmpeg to its end, relaying its progress. Returns the wait status, or nothing when
// ffmpeg could not be started (said here); ends this program by a signal that asks it to stop.
std::optional<int> RunFfmpeg(const std::string& ffmpeg, const std::vector<std::string>& args,
                             ProgressRelay& relay, const Messages& messages) {
    SignalChannel signals;
    PipeEnds progress = MakePipe();
    ::fcntl(progress.read.Get(), F_SETFL, O_NONBLOCK);
    StartedChild child = StartChild(ffmpeg, args, ChildDescriptors{-1, progress.write.Get()});
    progress.write.Reset();
    if (child.error != 0) {
        messages.Say("cannot start " + ffmpeg + ": " + std::strerror(child.error));
        return std::nullopt;
    }

    bool progressOpen = true;
    for (;;) {
        pollfd fds[2] = {{signals.Fd(), POLLIN, 0}, {progress.read.Get(), POLLIN, 0}};
        if (::poll(fds, progressOpen ? 2 : 1, -1) < 0 && errno != EINTR)
            break;
        if (progressOpen && fds[1].revents != 0)
            progressOpen = ReadAvailable(progress.read.Get(), relay);
        if (int sig = signals.TakeEndingSignal(); sig != 0) {
            ::kill(child.pid, SIGKILL);
            WaitFor(child.pid);
            EndBySignal(sig);
        }
        int status = 0;
        if (::waitpid(child.pid, &status, WNOHANG) == child.pid) {
            // Whatever ffmpeg wrote before it ended is still in the pipe.
            if (progressOpen)
                ReadAvailable(progress.read.Get(), relay);
            relay.Finish();
            return status;
        }
    }
    ::kill(child.pid, SIGKILL);
    int status = WaitFor(child.pid);
    relay.Finish();
    return status;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

int Run(EncoderRole role, const std::vector<std::string>& args, const Messages& messages) {
    ParsedArguments parsed = ParseEncoderArguments(args);
    if (!parsed.options) {
        messages.Say(parsed.error);
        return kUsageError;
    }
    const EncoderOptions& options = *parsed.options;

    std::optional<SourceScript> script;
    if (role == EncoderRole::Revc) {
        ParsedScript read = ReadSourceScript(options.inputPath);
        if (!read.script) {
            messages.Say(read.error);
            return kUsageError;
        }
        script = read.script;
    }

    std::optional<std::string> ffmpeg = FindFfmpeg(ProgramFolderOrNone(), std::getenv("PATH"));
    if (!ffmpeg) {
        messages.Say("ffmpeg not found");
        return kCannotRunFfmpeg;
    }
    bool hasXvid = NeedsXvidEncoderCheck(options) && HasEncoder(*ffmpeg, "libxvid");
    std::vector<std::string> ffmpegArgs =
        BuildFfmpegArguments(options, script, hasXvid, kChildProgressFd);

    bool outputExisted = Exists(options.outputPath);
    ProgressRelay relay(!options.noVideo);
    std::optional<int> status = RunFfmpeg(*ffmpeg, ffmpegArgs, relay, messages);
    if (!status)
        return kCannotRunFfmpeg;
    int exitStatus = ExitStatusOf(*status);
    if (exitStatus == 0 && relay.NothingEncoded()) {
        messages.Say("nothing was encoded: the time range holds no media");
        exitStatus = kNothingEncoded;
    }
    // A failed run leaves no half-made file that could pass for a result; a file that was
    // there before is not ours to remove.
    if (exitStatus != 0 && !outputExisted && IsRegularFile(options.outputPath))
        ::unlink(options.outputPath.c_str());
    return exitStatus;
}

} // namespace

int RunEncoder(int argc, char** argv) {
    EnsureStandardDescriptors();
    EncoderRole role = RoleFromProgramName(argc > 0 && argv[0] ? argv[0] : "");
    Messages messages(role);
    try {
        std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
        return Run(role, args, messages);
    } catch (const std::exception& error) {
        messages.Say(error.what());
        return 1;
    }
}

} // namespace clavenor
