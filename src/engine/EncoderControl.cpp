#include "engine/EncoderControl.h"

#include "foundation/Log.h"
#include "foundation/TextHelpers.h"

#include <chrono>
#include <thread>

namespace clavenor {

int IsProcessRunning(const IProcessServices& processes, std::string_view name) {
    int found = 0;
    for (const TProcessEntry& entry : processes.OwnDescendants())
        if (ProcessNameMatches(entry, name))
            found = entry.Pid;
    return found;
}

TEncoderControl::TEncoderControl(IProcessServices& processes, IEventPump& events,
                                 const TAppFunc& log, int giveUpMs)
    : Processes(processes), Events(events), Log(log), GiveUpMs(giveUpMs) {}

void TEncoderControl::StopEncoder(std::string_view encoderPath) {
    KillAllNamed(TextAfterLast(encoderPath, '/'));
    KillAllNamed("evc");
}

void TEncoderControl::KillAllNamed(std::string_view name) {
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + std::chrono::milliseconds(GiveUpMs);
    while (GetProcessIdByName(name) != 0) {
        // A process that survives SIGKILL (stuck in the kernel) must not hold the user
        // interface for ever.
        if (Clock::now() >= giveUp) {
            Log.WriteLog("Terminate process error.");
            return;
        }
        KillProcessByName(name);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Events.ProcessPendingEvents();
    }
}

int TEncoderControl::GetProcessIdByName(std::string_view name) {
    int pid = IsProcessRunning(Processes, name);
    if (pid == 0)
        Log.WriteLog("Get Process id error.");
    return pid;
}

bool TEncoderControl::KillProcessByName(std::string_view name) {
    EnableDebugPrivilege();
    bool matched = false;
    bool lastKilled = false;
    for (const TProcessEntry& entry : Processes.OwnDescendants()) {
        if (ProcessNameMatches(entry, name) || ProcessFullNameMatches(entry, name)) {
            matched = true;
            lastKilled = Processes.Kill(entry.Pid);
        }
    }
    if (!matched || !lastKilled) {
        Log.WriteLog("Terminate process error.");
        return false;
    }
    return true;
}

bool TEncoderControl::EnableDebugPrivilege() {
    return SetTokenPrivilege(0, "SeDebugPrivilege", true);
}

bool TEncoderControl::SetTokenPrivilege(int, std::string_view, bool) {
    return true;
}

} // namespace clavenor
