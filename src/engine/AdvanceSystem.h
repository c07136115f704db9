#pragma once
// The encoder runner: runs one encoder command as a child process, captures what it prints
// on stdout and stderr, and hands the latest piece of it to a callback, at most one piece
// per 500 ms. TAdvanceSystem does this on a worker thread of its own, one file per runner.

#include "engine/JobPorts.h"
#include "platform/ProcessServices.h"

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace clavenor {

using TOutputCallback = std::function<void(const std::string& piece)>;

enum class TRunOutcome {
    Pending,     // not tried yet
    Running,     // the encoder runs
    NotStarted,  // a termination request came first: nothing was started
    StartFailed, // the encoder could not be started
    Ended,       // the encoder ran to its end (ExitStatus is known)
};

// What a runner's thread and the UI thread share about one run. Thread-safe.
class TRunControl {
public:
    // Called on the runner's thread whenever the outcome changes (the job wakes its wait).
    explicit TRunControl(std::function<void()> onChange = {}) : OnChange(std::move(onChange)) {}

    // Keeps a run that has not started from starting; kills (SIGKILL) a started encoder.
    void Terminate();
    bool TerminateRequested() const;
    TRunOutcome Outcome() const;
    // The exit code, or 128 + signal; -1 unless the outcome is Ended, and for a run that an
    // error in the output callback broke off.
    int ExitStatus() const;

private:
    friend bool RunCapturedProcess(IProcessServices&, const std::vector<std::string>&,
                                   const std::string&, const TOutputCallback&, TRunControl*);
    void Settle(TRunOutcome outcome, IChildProcess* child, int exitStatus);
    void Notify();

    mutable std::mutex Mutex;
    std::function<void()> OnChange;
    bool Terminating = false;
    TRunOutcome State = TRunOutcome::Pending;
    IChildProcess* Child = nullptr;
    int Status = -1;
};

// Runs arguments (arguments[0]: the encoder's path) with folder as its current folder, and
// calls callback on this thread with pieces of its output: each pass drains what is waiting
// in 1023-byte reads and passes on only the last read, then pauses 500 ms, a pause cut short
// when the encoder ends; what is waiting when the end is seen is passed on at once, and the
// call returns without a tail. Blocks on the pipe and the child's end, never spins.
// True when the encoder was started and ran to its end; false, without any callback, when it
// could not be started (or control asked to terminate before the start).
bool RunCapturedProcess(IProcessServices& processes, const std::vector<std::string>& arguments,
                        const std::string& folder, const TOutputCallback& callback,
                        TRunControl* control = nullptr);

class TAdvanceSystem {
public:
    // Created suspended. callback runs on the UI thread (through uiThread); the runner waits
    // until it has run there. onChange is called on the runner's thread when the encoder has
    // started or failed to start and when the run is over.
    TAdvanceSystem(std::vector<std::string> arguments, std::string folder, TOutputCallback callback,
                   IProcessServices& processes, IUiHandOff& uiThread,
                   std::function<void()> onChange = {});
    // Waits until the thread has ended. Release a started runner only once Finished() holds
    // (or from a thread other than the UI thread): a pending hand-off needs the UI thread.
    ~TAdvanceSystem();
    TAdvanceSystem(const TAdvanceSystem&) = delete;
    TAdvanceSystem& operator=(const TAdvanceSystem&) = delete;

    void Start();     // starts the thread; once
    void Terminate(); // see TRunControl::Terminate; UI thread
    // The start is settled: the encoder runs, failed to start or was kept from starting.
    bool StartSettled() const;
    // RunCapturedProcess has returned: every piece has been handled on the UI thread.
    bool Finished() const;
    TRunOutcome Outcome() const { return Control.Outcome(); }
    int ExitStatus() const { return Control.ExitStatus(); }

private:
    void Execute();

    std::vector<std::string> Arguments;
    std::string Folder;
    TOutputCallback Callback;
    IProcessServices& Processes;
    IUiHandOff& UiThread;
    std::function<void()> OnChange;
    TRunControl Control;
    std::thread Thread;
    mutable std::mutex FinishMutex;
    bool Done = false;
};

} // namespace clavenor
