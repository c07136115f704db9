#include "shell/OutputFolder.h"

#include "engine/JobPorts.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace clavenor {

namespace fs = std::filesystem;

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

// Makes folder + "/test" to learn whether the folder can be written.
bool ProbeWritable(const std::string& folder) {
    const fs::path probe = fs::path(folder) / "test";
    std::error_code ec;
    const bool existed = fs::is_directory(probe, ec);
    if (existed)
        return true;
    fs::create_directories(probe, ec);
    const bool made = !ec && fs::is_directory(probe, ec);
    if (made)
        ::rmdir(probe.c_str()); // only an empty folder goes; a failure is ignored
    return made;
}

} // namespace

std::string SelectOutputFolder(const std::string& current, IFolderBrowser& browser,
                               IMessageBoxPort& messages) {
    std::string chosen;
    bool accepted = false;
    if (browser.BrowseForFolder("Please select output folder:", chosen)) {
        if (IsFolder(chosen)) {
            accepted = ProbeWritable(chosen);
            if (!accepted)
                messages.ShowMessageBox("This is a read-only path.", 1);
        } else {
            messages.ShowMessageBox("The path is invalid.", 1);
        }
    }
    if (accepted)
        return chosen;
    std::error_code ec;
    if (!current.empty() && !fs::exists(current, ec))
        fs::create_directories(current, ec); // failures ignored: the field keeps its text
    return current;
}

} // namespace clavenor
