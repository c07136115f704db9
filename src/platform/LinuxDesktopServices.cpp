#include "platform/LinuxDesktopServices.h"

#include "platform/LinuxSpawn.h"

namespace clavenor {

namespace {

bool StartDetached(const std::string& program, std::vector<std::string> arguments) {
    std::string path = FindExecutable(program);
    if (path.empty())
        return false;
    TSpawnRequest request;
    request.Arguments = std::move(arguments);
    request.Arguments.insert(request.Arguments.begin(), path);
    request.Detached = true;
    return SpawnChild(request).has_value();
}

} // namespace

bool TLinuxDesktopServices::OpenWithDesktop(const std::string& target) {
    return StartDetached("xdg-open", {target});
}

bool TLinuxDesktopServices::PowerOff() {
    return StartDetached("systemctl", {"poweroff"});
}

} // namespace clavenor
