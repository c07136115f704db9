#pragma once
// The open dialog's starting folder kept in the user settings file ("InitDir").

#include "settings/UserSettings.h"
#include "sources/SourceFilePorts.h"

namespace clavenor {

class TUserSettingsInitDir final : public IInitDirStore {
public:
    // The settings file is not owned and must outlive this object.
    explicit TUserSettingsInitDir(const TUserSettingsFile& settings) : settings_(settings) {}

    std::string ReadInitDir() override { return settings_.ReadInitDir(); }
    void SaveInitDir(const std::string& lastFileName) override {
        settings_.SaveInitDir(lastFileName);
    }

private:
    const TUserSettingsFile& settings_;
};

} // namespace clavenor
