#pragma once
// Test double of IDesktopServices: records what was opened and each power-off request.

#include "platform/DesktopServices.h"

#include <vector>

namespace clavenor {

class TFakeDesktopServices : public IDesktopServices {
public:
    bool OpenWithDesktop(const std::string& target) override {
        Opened.push_back(target);
        return true;
    }
    bool PowerOff() override {
        ++PowerOffRequests;
        return true;
    }

    std::vector<std::string> Opened;
    int PowerOffRequests = 0;
};

} // namespace clavenor
