#pragma once
// Linux desktop services: `xdg-open` and `systemctl poweroff`, started detached.

#include "platform/DesktopServices.h"

namespace clavenor {

class TLinuxDesktopServices : public IDesktopServices {
public:
    bool OpenWithDesktop(const std::string& target) override;
    bool PowerOff() override;
};

} // namespace clavenor
