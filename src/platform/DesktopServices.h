#pragma once
// The desktop and the system: opening a folder or an address with the desktop's default
// handler, and the power-off request. The Linux implementation is LinuxDesktopServices.h.

#include <string>

namespace clavenor {

class IDesktopServices {
public:
    virtual ~IDesktopServices() = default;
    // Opens target (a folder, file or address) with `xdg-open`, the target as one argument.
    // Does not wait for it. False when xdg-open could not be started.
    virtual bool OpenWithDesktop(const std::string& target) = 0;
    // Asks the system to power off (`systemctl poweroff`, not forced; the system's policy
    // decides). Does not wait. False when the request could not be started.
    virtual bool PowerOff() = 0;
};

} // namespace clavenor
