#pragma once
// Child processes and the process table, as the conversion engine needs them. The Linux
// implementation is LinuxProcessServices.h; tests may wire FakeProcessServices.h.
//
// Every lookup and every kill covers only this program's own descendants: another
// program's process of the same name is never seen, waited for or killed.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clavenor {

// One process of the table. A process is known by its command name (`comm`, at most 15
// characters on Linux) and by its argv[0].
struct TProcessEntry {
    int Pid = 0;
    int ParentPid = 0;
    std::string CommandName; // "evc"
    std::string Argv0;       // "/opt/Clavenor/evc": the whole executable name
};

// A name matches an entry when it equals its command name or the base name of its argv[0]
// (ASCII letters compared without regard to case).
bool ProcessNameMatches(const TProcessEntry& entry, std::string_view name);
// A name matches the whole executable name when it equals argv[0] (same comparison).
bool ProcessFullNameMatches(const TProcessEntry& entry, std::string_view name);

// A started child. It is owned by one thread at a time (the runner's); destroying it kills
// (SIGKILL) and reaps a child that still runs, so no child outlives its handle.
class IChildProcess {
public:
    virtual ~IChildProcess() = default;
    virtual int Pid() const = 0;
    // Blocks until output is waiting, the child has ended, or timeoutMs has passed
    // (timeoutMs < 0: no limit). Returns at once when either is already the case.
    virtual void WaitForOutputOrEnd(int timeoutMs) = 0;
    // Blocks until the child has ended or timeoutMs has passed; ignores output.
    virtual void WaitForEnd(int timeoutMs) = 0;
    // Bytes waiting in the shared stdout/stderr pipe.
    virtual std::size_t BytesWaiting() = 0;
    // Reads at most size bytes that are already waiting; never waits for more. Returns the
    // count read (0 when nothing is waiting).
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // The exit status once the child has ended (reaping it), nullopt while it runs. The
    // status is the exit code, or 128 + the signal number when a signal ended it.
    virtual std::optional<int> ExitStatus() = 0;
    // SIGKILL to the child, unless it has already been reaped. May be called from any thread
    // while the handle lives.
    virtual void Kill() = 0;
};

class IProcessServices {
public:
    virtual ~IProcessServices() = default;
    // Starts arguments[0] (a path; no PATH search) with the arguments, in folder, with the
    // program's environment, in a session of its own (no terminal); stdin is a pipe that is
    // never written, stdout and stderr share one pipe. Returns nullptr when it cannot start
    // (missing or not executable file, empty list). Thread-safe.
    virtual std::unique_ptr<IChildProcess> Start(const std::vector<std::string>& arguments,
                                                 const std::string& folder) = 0;
    // This program's running descendants (zombies left out). Thread-safe.
    virtual std::vector<TProcessEntry> OwnDescendants() const = 0;
    // SIGKILL to pid, only when it is one of this program's descendants. True when sent.
    virtual bool Kill(int pid) = 0;
};

} // namespace clavenor
