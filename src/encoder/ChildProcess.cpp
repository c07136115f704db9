#include "encoder/ChildProcess.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace clavenor {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other)
        Reset(other.Release());
    return *this;
}

int UniqueFd::Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::Reset(int fd) {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

PipeEnds MakePipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe");
    return PipeEnds{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void EnsureStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

namespace {

void CloseFrom(int lowest, int keep) {
    // keep lies above lowest; close [lowest, keep) and (keep, max].
    if (::close_range(static_cast<unsigned>(lowest), static_cast<unsigned>(keep - 1), 0) == 0 &&
        ::close_range(static_cast<unsigned>(keep + 1), UINT_MAX, 0) == 0)
        return;
    long max = ::sysconf(_SC_OPEN_MAX);
    for (int fd = lowest; fd < (max > 0 ? max : 1024); ++fd)
        if (fd != keep)
            ::close(fd);
}

[[noreturn]] void RunChild(const char* program, char* const* argv, const ChildDescriptors& d,
                           pid_t parent, int errorPipe) {
    // Killing evc, even with SIGKILL, must end ffmpeg. The check after the request catches
    // a parent that died before it was made.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent)
        ::_exit(127);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);

    // Move everything out of the way first, so that no dup2 below overwrites a source.
    constexpr int kHigh = 10;
    int out = d.standardOutput >= 0 ? ::fcntl(d.standardOutput, F_DUPFD, kHigh) : -1;
    int progress = d.progress >= 0 ? ::fcntl(d.progress, F_DUPFD, kHigh) : -1;
    int error = ::fcntl(errorPipe, F_DUPFD_CLOEXEC, kHigh);
    int input = ::open("/dev/null", O_RDONLY);
    bool ok = error >= 0 && input >= 0 && ::dup2(input, 0) == 0 &&
              (d.standardOutput < 0 || (out >= 0 && ::dup2(out, 1) == 1)) &&
              (d.progress < 0 || (progress >= 0 && ::dup2(progress, 3) == 3));
    if (ok) {
        CloseFrom(d.progress >= 0 ? 4 : 3, error);
        ::execv(program, argv);
    }
    int code = errno;
    if (error >= 0) {
        ssize_t ignored = ::write(error, &code, sizeof code);
        (void)ignored;
    }
    ::_exit(127);
}

} // namespace

StartedChild StartChild(const std::string& program, const std::vector<std::string>& args,
                        const ChildDescriptors& descriptors) {
    // Everything the child needs is prepared before fork.
    std::vector<std::string> owned;
    owned.reserve(args.size() + 1);
    owned.push_back(program);
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    PipeEnds status = MakePipe();
    pid_t parent = ::getpid();
    pid_t pid = ::fork();
    if (pid < 0)
        return StartedChild{-1, errno};
    if (pid == 0)
        RunChild(program.c_str(), argv.data(), descriptors, parent, status.write.Get());
    status.write.Reset();

    int code = 0;
    ssize_t n;
    do {
        n = ::read(status.read.Get(), &code, sizeof code);
    } while (n < 0 && errno == EINTR);
    if (n <= 0)
        return StartedChild{pid, 0};
    int ignored;
    while (::waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
    }
    return StartedChild{-1, code};
}

} // namespace clavenor
