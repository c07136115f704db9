#include "platform/LinuxSpawn.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace clavenor {

TFd& TFd::operator=(TFd&& other) noexcept {
    if (this != &other) {
        Reset();
        Fd = other.Release();
    }
    return *this;
}

int TFd::Release() {
    int fd = Fd;
    Fd = -1;
    return fd;
}

void TFd::Reset() {
    if (Fd >= 0)
        ::close(Fd);
    Fd = -1;
}

namespace {

[[noreturn]] void ReportAndExit(int reportFd) {
    int error = errno;
    ssize_t ignored = ::write(reportFd, &error, sizeof error);
    (void)ignored;
    ::_exit(127);
}

// Only async-signal-safe calls from here on: the parent may have other threads, and one of
// them may have held the allocator's lock at the moment of the fork.
[[noreturn]] void ExecChild(const TSpawnRequest& request, char* const* argv, int devNull,
                            int reportFd, pid_t parent) {
    auto fail = [reportFd]() { ReportAndExit(reportFd); };
    if (request.KillWithParent) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
    }
    // A program started without some of 0, 1 and 2 may have been given one of them for a
    // pipe: move every source above 2 first, so that no dup2 overwrites another source and
    // each dup2 clears close-on-exec on its target.
    int sources[3] = {request.StdinFd >= 0 ? request.StdinFd : devNull, request.StdoutFd,
                      request.StderrFd};
    for (int& fd : sources)
        if (fd >= 0 && fd < 3 && (fd = ::fcntl(fd, F_DUPFD_CLOEXEC, 3)) < 0)
            fail();
    for (int target = 0; target < 3; ++target)
        if (sources[target] >= 0 && ::dup2(sources[target], target) < 0)
            fail();
    if (!request.Folder.empty() && ::chdir(request.Folder.c_str()) != 0)
        fail();
        // Nothing but 0, 1 and 2 reaches the new program (the report pipe closes on exec).
#ifdef SYS_close_range
    ::syscall(SYS_close_range, 3U, ~0U, 4U /* CLOSE_RANGE_CLOEXEC */);
#endif
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        ::sigaction(sig, &dfl, nullptr);
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execve(argv[0], argv, environ);
    ReportAndExit(reportFd);
}

} // namespace

std::optional<pid_t> SpawnChild(const TSpawnRequest& request) {
    if (request.Arguments.empty() || request.Arguments[0].empty())
        return std::nullopt;
    std::vector<std::string> args = request.Arguments;
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    TFd devNull(::open("/dev/null", O_RDWR | O_CLOEXEC));
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return std::nullopt;
    TFd reportRead(report[0]), reportWrite(report[1]);
    const pid_t parent = ::getpid();

    pid_t pid = ::fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        ::setsid(); // no terminal: a session of its own
        if (request.Detached) {
            // The middle child ends at once; the grandchild is adopted by the system.
            pid_t grandchild = ::fork();
            if (grandchild != 0)
                ::_exit(grandchild < 0 ? 127 : 0);
        }
        ExecChild(request, argv.data(), devNull.Get(), reportWrite.Get(), parent);
    }
    reportWrite.Reset();
    // End of file: the exec succeeded. An errno: it failed.
    int error = 0;
    ssize_t got;
    do {
        got = ::read(reportRead.Get(), &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    int status = 0;
    if (request.Detached || got > 0) {
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (got > 0)
        return std::nullopt;
    if (request.Detached && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        return std::nullopt;
    return request.Detached ? 0 : pid;
}

std::string FindExecutable(const std::string& name) {
    if (name.empty())
        return "";
    if (name.find('/') != std::string::npos)
        return name;
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        std::size_t end = dirs.find(':', start);
        std::string dir = dirs.substr(start, end == std::string::npos ? end : end - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            return "";
        start = end + 1;
    }
}

} // namespace clavenor
