#include "platform/LinuxProcessServices.h"

#include "platform/LinuxSpawn.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_map>

namespace clavenor {

namespace {

int StatusFromWait(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

class TLinuxChildProcess : public IChildProcess {
public:
    TLinuxChildProcess(pid_t pid, TFd pidFd, TFd output, TFd input)
        : ChildPid(pid), PidFd(std::move(pidFd)), Output(std::move(output)),
          Input(std::move(input)) {}

    ~TLinuxChildProcess() override {
        if (!Status) {
            // Not reaped yet, so the pid still names our child.
            ::kill(ChildPid, SIGKILL);
            int status = 0;
            while (::waitpid(ChildPid, &status, 0) < 0 && errno == EINTR) {
            }
        }
    }

    int Pid() const override { return ChildPid; }

    void WaitForOutputOrEnd(int timeoutMs) override { Wait(timeoutMs, true); }
    void WaitForEnd(int timeoutMs) override { Wait(timeoutMs, false); }

    std::size_t BytesWaiting() override {
        int count = 0;
        if (::ioctl(Output.Get(), FIONREAD, &count) < 0 || count < 0)
            return 0;
        return static_cast<std::size_t>(count);
    }

    std::size_t Read(char* buffer, std::size_t size) override {
        for (;;) {
            ssize_t n = ::read(Output.Get(), buffer, size);
            if (n >= 0)
                return static_cast<std::size_t>(n);
            if (errno != EINTR)
                return 0; // EAGAIN: nothing waiting
        }
    }

    std::optional<int> ExitStatus() override {
        if (!Status) {
            int status = 0;
            pid_t r;
            do {
                r = ::waitpid(ChildPid, &status, WNOHANG);
            } while (r < 0 && errno == EINTR);
            if (r == ChildPid)
                Status = StatusFromWait(status);
            else if (r < 0)
                Status = -1; // reaped elsewhere; nothing left to wait for
            if (Status)
                Reaped.store(true);
        }
        return Status;
    }

    void Kill() override {
#ifdef SYS_pidfd_send_signal
        // The pidfd names this child for good, so a reused pid cannot be hit.
        if (PidFd.Get() >= 0) {
            ::syscall(SYS_pidfd_send_signal, PidFd.Get(), SIGKILL, nullptr, 0);
            return;
        }
#endif
        if (!Reaped.load())
            ::kill(ChildPid, SIGKILL);
    }

private:
    // Blocks on the pipe (when wanted) and the pidfd. Without a pidfd (kernels before 5.3)
    // the end is checked every 20 ms.
    void Wait(int timeoutMs, bool wantOutput) {
        const bool hasPidFd = PidFd.Get() >= 0;
        int remaining = timeoutMs;
        for (;;) {
            if (ExitStatus())
                return;
            pollfd fds[2];
            nfds_t count = 0;
            int outputSlot = -1;
            if (wantOutput && !OutputHungUp) {
                outputSlot = static_cast<int>(count);
                fds[count++] = {Output.Get(), POLLIN, 0};
            }
            if (hasPidFd)
                fds[count++] = {PidFd.Get(), POLLIN, 0};
            int slice = remaining;
            if (!hasPidFd && (slice < 0 || slice > 20))
                slice = 20;
            int r = ::poll(fds, count, slice);
            if (r < 0 && errno != EINTR)
                return;
            if (r > 0) {
                if (outputSlot >= 0) {
                    short ev = fds[outputSlot].revents;
                    if (ev & POLLIN)
                        return;
                    // Every writer closed the pipe and nothing is left: from now on only the
                    // child's end is waited for, or poll would report the hang-up again and
                    // again.
                    if (ev & (POLLHUP | POLLERR)) {
                        OutputHungUp = true;
                        return;
                    }
                }
                if (hasPidFd && (fds[count - 1].revents & POLLIN))
                    return;
            }
            if (r == 0 && remaining >= 0) {
                remaining -= slice;
                if (remaining <= 0)
                    return;
            }
        }
    }

    pid_t ChildPid;
    TFd PidFd;
    TFd Output;
    TFd Input; // held and never written: the child's stdin sees no end of file
    std::optional<int> Status;
    std::atomic<bool> Reaped{false};
    bool OutputHungUp = false;
};

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

bool ParseStat(const std::string& text, TProcessEntry& entry, char& state) {
    std::size_t open = text.find('(');
    std::size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return false;
    entry.CommandName = text.substr(open + 1, close - open - 1);
    std::istringstream rest(text.substr(close + 1));
    int ppid = 0;
    if (!(rest >> state >> ppid))
        return false;
    entry.ParentPid = ppid;
    return true;
}

std::string ReadArgv0(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string argv0;
    std::getline(in, argv0, '\0');
    return argv0;
}

} // namespace

std::vector<TProcessEntry> ReadProcessTable(bool withArgv0) {
    std::vector<TProcessEntry> table;
    DIR* dir = ::opendir("/proc");
    if (!dir)
        return table;
    while (dirent* item = ::readdir(dir)) {
        char* end = nullptr;
        long pid = std::strtol(item->d_name, &end, 10);
        if (pid <= 0 || *end != '\0')
            continue;
        std::ifstream in(std::string("/proc/") + item->d_name + "/stat");
        std::string text;
        if (!std::getline(in, text))
            continue; // gone meanwhile
        TProcessEntry entry;
        entry.Pid = static_cast<int>(pid);
        char state = '?';
        if (!ParseStat(text, entry, state) || state == 'Z' || state == 'X')
            continue;
        if (withArgv0)
            entry.Argv0 = ReadArgv0(entry.Pid);
        table.push_back(std::move(entry));
    }
    ::closedir(dir);
    return table;
}

std::vector<TProcessEntry> DescendantsOf(const std::vector<TProcessEntry>& table, int ancestor) {
    std::unordered_multimap<int, std::size_t> children;
    for (std::size_t i = 0; i < table.size(); ++i)
        children.emplace(table[i].ParentPid, i);
    std::vector<TProcessEntry> found;
    std::vector<int> pending{ancestor};
    while (!pending.empty()) {
        int parent = pending.back();
        pending.pop_back();
        auto [first, last] = children.equal_range(parent);
        for (auto it = first; it != last; ++it) {
            const TProcessEntry& child = table[it->second];
            if (child.Pid == ancestor)
                continue;
            found.push_back(child);
            pending.push_back(child.Pid);
        }
    }
    return found;
}

std::vector<TProcessEntry> TLinuxProcessServices::OwnDescendants() const {
    std::vector<TProcessEntry> mine = DescendantsOf(ReadProcessTable(false), ::getpid());
    for (TProcessEntry& entry : mine)
        entry.Argv0 = ReadArgv0(entry.Pid);
    return mine;
}

bool TLinuxProcessServices::Kill(int pid) {
    if (pid <= 0)
        return false;
    // Pin the process first, then check that it is ours: a pid that was freed and reused
    // after the check can then not be hit.
    TFd pinned(OpenPidFd(pid));
    bool mine = false;
    for (const TProcessEntry& entry : DescendantsOf(ReadProcessTable(false), ::getpid()))
        mine = mine || entry.Pid == pid;
    if (!mine)
        return false;
#ifdef SYS_pidfd_send_signal
    if (pinned.Get() >= 0)
        return ::syscall(SYS_pidfd_send_signal, pinned.Get(), SIGKILL, nullptr, 0) == 0;
#endif
    return ::kill(pid, SIGKILL) == 0;
}

std::unique_ptr<IChildProcess>
TLinuxProcessServices::Start(const std::vector<std::string>& arguments, const std::string& folder) {
    if (arguments.empty() || arguments[0].empty())
        return nullptr;
    int inPipe[2], outPipe[2];
    if (::pipe2(inPipe, O_CLOEXEC) != 0)
        return nullptr;
    TFd inRead(inPipe[0]), inWrite(inPipe[1]);
    if (::pipe2(outPipe, O_CLOEXEC) != 0)
        return nullptr;
    TFd outRead(outPipe[0]), outWrite(outPipe[1]);

    TSpawnRequest request;
    request.Arguments = arguments;
    request.Folder = folder;
    request.StdinFd = inRead.Get();
    request.StdoutFd = outWrite.Get();
    request.StderrFd = outWrite.Get();
    request.KillWithParent = true;
    std::optional<pid_t> pid = SpawnChild(request);
    if (!pid)
        return nullptr;
    inRead.Reset();
    outWrite.Reset();
    ::fcntl(outRead.Get(), F_SETFL, ::fcntl(outRead.Get(), F_GETFL) | O_NONBLOCK);
    TFd pidFd(OpenPidFd(*pid));
    return std::make_unique<TLinuxChildProcess>(*pid, std::move(pidFd), std::move(outRead),
                                                std::move(inWrite));
}

} // namespace clavenor
