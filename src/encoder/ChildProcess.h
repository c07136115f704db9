#pragma once
// Starting ffmpeg as a child that cannot outlive evc and sees only the descriptors it needs.

#include <string>
#include <sys/types.h>
#include <vector>

namespace clavenor {

// Owns one file descriptor and closes it.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release();
    void Reset(int fd = -1);

private:
    int fd_ = -1;
};

struct PipeEnds {
    UniqueFd read;
    UniqueFd write;
};

// A pipe whose two ends are closed on exec. Throws std::system_error on failure.
PipeEnds MakePipe();

struct ChildDescriptors {
    int standardOutput = -1; // becomes the child's descriptor 1; -1 keeps the parent's
    int progress = -1;       // becomes the child's descriptor 3; -1 for none
};

struct StartedChild {
    pid_t pid = -1; // valid when error is 0
    int error = 0;  // errno of a failed fork or exec
};

// Starts program with argv = {program, args...}. In the child: SIGKILL when the parent dies
// (and an immediate end if it already has), no blocked signals, standard input from
// /dev/null, standard error the parent's, the descriptors above, every other one closed.
// An exec failure is reported here, not by the child.
StartedChild StartChild(const std::string& program, const std::vector<std::string>& args,
                        const ChildDescriptors& descriptors);

// Writes all of text to fd, retrying after interruptions; false on a write error.
bool WriteAll(int fd, const std::string& text);

// Makes sure descriptors 0, 1 and 2 are open (on /dev/null when they were closed), so
// that no pipe made later can land on them.
void EnsureStandardDescriptors();

} // namespace clavenor
