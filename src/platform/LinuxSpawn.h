#pragma once
// Low-level process start for the Linux services: fork and exec with everything the child
// needs prepared beforehand, so the child between fork and exec only makes async-signal-safe
// calls, and an O_CLOEXEC pipe that reports a failed exec.

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace clavenor {

// An owned file descriptor (-1: none).
class TFd {
public:
    TFd() = default;
    explicit TFd(int fd) : Fd(fd) {}
    TFd(TFd&& other) noexcept : Fd(other.Release()) {}
    TFd& operator=(TFd&& other) noexcept;
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd() { Reset(); }
    int Get() const { return Fd; }
    int Release();
    void Reset();

private:
    int Fd = -1;
};

struct TSpawnRequest {
    std::vector<std::string> Arguments; // Arguments[0] is the executable's path
    std::string Folder;                 // current folder of the child; "" keeps ours
    int StdinFd = -1;                   // -1: /dev/null
    int StdoutFd = -1;                  // -1: ours
    int StderrFd = -1;                  // -1: ours
    bool KillWithParent = false;        // SIGKILL when the starting thread ends
    bool Detached = false;              // double fork: the child is not ours to reap
};

// Starts the child in a session of its own, with our environment, default signal handling
// and no inherited descriptors beyond 0, 1 and 2. Returns its pid once the exec succeeded
// (a detached child's pid is not known: 0), or nullopt when it failed.
std::optional<pid_t> SpawnChild(const TSpawnRequest& request);

// The path of an executable named name, searched through PATH; name itself when it holds a
// "/"; "" when none is found.
std::string FindExecutable(const std::string& name);

} // namespace clavenor
