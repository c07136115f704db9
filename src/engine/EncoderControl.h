#pragma once
// Stopping encoders by name: the operations behind the progress window's stop commands.
// Only this program's own descendants are looked up and killed.

#include "engine/JobPorts.h"

#include <string>
#include <string_view>

namespace clavenor {

// The id of a running descendant whose name is name (see ProcessNameMatches), the last one
// in the table; 0 when there is none.
int IsProcessRunning(const IProcessServices& processes, std::string_view name);

class TEncoderControl {
public:
    // giveUpMs: how long one round of StopEncoder keeps trying (5 s in the program).
    TEncoderControl(IProcessServices& processes, IEventPump& events, const TAppFunc& log,
                    int giveUpMs = 5000);

    // Kills every encoder named like the base name of encoderPath, then every "evc".
    // Each of the two rounds gives up after 5 s, logging "Terminate process error.".
    void StopEncoder(std::string_view encoderPath);
    // As IsProcessRunning; logs "Get Process id error." when there is none.
    int GetProcessIdByName(std::string_view name);
    // Kills every descendant whose name or whole executable name is name. False (logging
    // "Terminate process error.") when none matched or the last kill failed.
    bool KillProcessByName(std::string_view name);
    // Linux has no token privileges: these succeed without effect.
    bool EnableDebugPrivilege();
    bool SetTokenPrivilege(int token, std::string_view privilege, bool enable);

private:
    void KillAllNamed(std::string_view name);

    IProcessServices& Processes;
    IEventPump& Events;
    const TAppFunc& Log;
    int GiveUpMs;
};

} // namespace clavenor
