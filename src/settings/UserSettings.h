#pragma once
// The user settings file, <programFolder>Config/UserSettings.ini, section "USRInfo": the
// folder the add-files dialog starts in ("InitDir"), the output folder ("OutDir") and the two
// end-of-job check boxes ("SHWDDir", "SHUTDOWN"; "1" ticked, anything else cleared).
// The file is opened afresh for every operation; every write stores the whole file.
// Config/ is never created here: writing without it fails with an error naming the file.

#include <string>
#include <string_view>

namespace clavenor {

// What the main window keeps between runs; the window's controls mirror it.
struct TUserSettings {
    std::string OutputFolder;         // edtOutputFolder, key "OutDir"
    bool ShowOutputDirectory = false; // chkShowOutputDirectory, key "SHWDDir"
    bool Shutdown = false;            // chkShutdown, key "SHUTDOWN"
};

// The user's home folder: $HOME, else the password database entry, else "/". No trailing "/"
// is added.
std::string UserHomeFolder();

// The output folder a first run shows: home + "/Clavenor".
std::string DefaultOutputFolder(const std::string& homeFolder);

// The settings a first run starts from, before LoadUserSettings: the default output folder
// and both boxes cleared.
TUserSettings DefaultUserSettings(const std::string& homeFolder);

class TUserSettingsFile {
public:
    // programFolder ends in "/"; homeFolder gives the defaults of a first run.
    TUserSettingsFile(std::string programFolder, std::string homeFolder);

    // <programFolder>Config/UserSettings.ini
    const std::string& FileName() const { return fileName_; }

    // The folder the add-files dialog starts in, ending in "/"; the home folder when unset.
    std::string ReadInitDir() const;

    // Stores the folder of lastChosenFile (the text up to and including its last "/") as the
    // next dialog's folder; writes nothing when lastChosenFile is empty (no file chosen yet).
    void SaveInitDir(std::string_view lastChosenFile) const;

    // Sets both boxes from the file and the output folder from the file; a missing or empty
    // output folder keeps settings.OutputFolder as it is.
    void LoadUserSettings(TUserSettings& settings) const;

    // Writes "SHWDDir", "SHUTDOWN" and "OutDir", in that order.
    void SaveUserSettings(const TUserSettings& settings) const;

private:
    std::string fileName_;
    std::string homeFolder_;
};

} // namespace clavenor
