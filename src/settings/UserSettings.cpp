#include "settings/UserSettings.h"

#include "foundation/IniFiles32.h"
#include "foundation/ProgramFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace clavenor {

namespace {

constexpr const char* usrInfoSection = "USRInfo";

bool IsTicked(const std::string& value) {
    return value == "1";
}
const char* TickText(bool ticked) {
    return ticked ? "1" : "0";
}

} // namespace

std::string UserHomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::vector<char> buf(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buf.data(), buf.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return found->pw_dir;
    return "/";
}

std::string DefaultOutputFolder(const std::string& homeFolder) {
    return WithTrailingSlash(homeFolder) + "Clavenor";
}

TUserSettings DefaultUserSettings(const std::string& homeFolder) {
    TUserSettings settings;
    settings.OutputFolder = DefaultOutputFolder(homeFolder);
    return settings;
}

TUserSettingsFile::TUserSettingsFile(std::string programFolder, std::string homeFolder)
    : fileName_(std::move(programFolder) + "Config/UserSettings.ini"),
      homeFolder_(std::move(homeFolder)) {}

std::string TUserSettingsFile::ReadInitDir() const {
    return TIniFile32(fileName_).ReadString(usrInfoSection, "InitDir",
                                            WithTrailingSlash(homeFolder_));
}

void TUserSettingsFile::SaveInitDir(std::string_view lastChosenFile) const {
    if (lastChosenFile.empty())
        return;
    std::size_t slash = lastChosenFile.rfind('/');
    std::string_view folder =
        slash == lastChosenFile.npos ? std::string_view() : lastChosenFile.substr(0, slash + 1);
    TIniFile32(fileName_).WriteString(usrInfoSection, "InitDir", folder);
}

void TUserSettingsFile::LoadUserSettings(TUserSettings& settings) const {
    const TIniFile32 ini(fileName_);
    settings.ShowOutputDirectory = IsTicked(ini.ReadString(usrInfoSection, "SHWDDir", "0"));
    settings.Shutdown = IsTicked(ini.ReadString(usrInfoSection, "SHUTDOWN", "0"));
    settings.OutputFolder = ini.ReadString(usrInfoSection, "OutDir", settings.OutputFolder);
}

void TUserSettingsFile::SaveUserSettings(const TUserSettings& settings) const {
    TIniFile32 ini(fileName_);
    ini.WriteString(usrInfoSection, "SHWDDir", TickText(settings.ShowOutputDirectory));
    ini.WriteString(usrInfoSection, "SHUTDOWN", TickText(settings.Shutdown));
    ini.WriteString(usrInfoSection, "OutDir", settings.OutputFolder);
}

} // namespace clavenor
