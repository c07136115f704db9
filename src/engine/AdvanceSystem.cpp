#include "engine/AdvanceSystem.h"

#include <algorithm>
#include <cstring>

namespace clavenor {

namespace {

constexpr std::size_t kBufferSize = 1025; // room for 1023 bytes and a terminator
constexpr std::size_t kPieceSize = 1023;
constexpr int kPauseMs = 500;

// One pass's read: the bytes waiting now, drained in 1023-byte reads; only the last read is
// kept, so the piece is always the newest output and no backlog builds up.
std::string ReadLatestPiece(IChildProcess& child, std::size_t waiting) {
    char buffer[kBufferSize];
    std::memset(buffer, 0, sizeof buffer);
    if (waiting <= kPieceSize)
        return std::string(buffer, child.Read(buffer, kPieceSize));
    std::string piece;
    std::size_t left = waiting;
    std::size_t got = 0;
    do {
        // Never more than was waiting, so no read waits for bytes not written yet.
        got = child.Read(buffer, std::min(kPieceSize, left));
        piece.assign(buffer, got);
        left -= got;
    } while (got == kPieceSize && left > 0);
    return piece;
}

} // namespace

void TRunControl::Terminate() {
    std::lock_guard lock(Mutex);
    Terminating = true;
    if (Child)
        Child->Kill();
}

bool TRunControl::TerminateRequested() const {
    std::lock_guard lock(Mutex);
    return Terminating;
}

TRunOutcome TRunControl::Outcome() const {
    std::lock_guard lock(Mutex);
    return State;
}

int TRunControl::ExitStatus() const {
    std::lock_guard lock(Mutex);
    return State == TRunOutcome::Ended ? Status : -1;
}

void TRunControl::Settle(TRunOutcome outcome, IChildProcess* child, int exitStatus) {
    {
        std::lock_guard lock(Mutex);
        State = outcome;
        Child = child;
        Status = exitStatus;
    }
    Notify();
}

void TRunControl::Notify() {
    if (OnChange)
        OnChange();
}

bool RunCapturedProcess(IProcessServices& processes, const std::vector<std::string>& arguments,
                        const std::string& folder, const TOutputCallback& callback,
                        TRunControl* control) {
    std::unique_ptr<IChildProcess> child;
    if (control) {
        // Held across the start, so a termination request either comes first and nothing
        // starts, or comes after and finds the child to kill.
        {
            std::lock_guard lock(control->Mutex);
            if (!control->Terminating)
                child = processes.Start(arguments, folder);
            control->State = control->Terminating ? TRunOutcome::NotStarted
                             : child              ? TRunOutcome::Running
                                                  : TRunOutcome::StartFailed;
            control->Child = child.get();
        }
        control->Notify();
    } else {
        child = processes.Start(arguments, folder);
    }
    if (!child)
        return false;

    try {
        for (;;) {
            const bool ended = child->ExitStatus().has_value();
            const std::size_t waiting = child->BytesWaiting();
            if (waiting > 0) {
                std::string piece = ReadLatestPiece(*child, waiting);
                if (!piece.empty())
                    callback(piece);
                if (ended)
                    break;
                child->WaitForEnd(kPauseMs);
                continue;
            }
            if (ended)
                break; // what a stray grandchild may still write is not ours to wait for
            child->WaitForOutputOrEnd(-1);
        }
    } catch (...) {
        // The control must not keep pointing at a child that is about to be destroyed (and
        // with it killed and reaped); the run is over, with no exit status of its own.
        if (control) {
            {
                std::lock_guard lock(control->Mutex);
                control->Child = nullptr;
            }
            child.reset();
            control->Settle(TRunOutcome::Ended, nullptr, -1);
        }
        throw;
    }
    if (control)
        control->Settle(TRunOutcome::Ended, nullptr, *child->ExitStatus());
    return true;
}

TAdvanceSystem::TAdvanceSystem(std::vector<std::string> arguments, std::string folder,
                               TOutputCallback callback, IProcessServices& processes,
                               IUiHandOff& uiThread, std::function<void()> onChange)
    : Arguments(std::move(arguments)), Folder(std::move(folder)), Callback(std::move(callback)),
      Processes(processes), UiThread(uiThread), OnChange(std::move(onChange)), Control([this] {
          if (OnChange)
              OnChange();
      }) {}

TAdvanceSystem::~TAdvanceSystem() {
    if (Thread.joinable())
        Thread.join();
}

void TAdvanceSystem::Start() {
    if (!Thread.joinable())
        Thread = std::thread([this] { Execute(); });
}

void TAdvanceSystem::Terminate() {
    Control.Terminate();
}

bool TAdvanceSystem::StartSettled() const {
    return Control.Outcome() != TRunOutcome::Pending;
}

bool TAdvanceSystem::Finished() const {
    std::lock_guard lock(FinishMutex);
    return Done;
}

void TAdvanceSystem::Execute() {
    RunCapturedProcess(
        Processes, Arguments, Folder,
        [this](const std::string& piece) { UiThread.RunOnUiThread([&] { Callback(piece); }); },
        &Control);
    {
        std::lock_guard lock(FinishMutex);
        Done = true;
    }
    if (OnChange)
        OnChange();
}

} // namespace clavenor
