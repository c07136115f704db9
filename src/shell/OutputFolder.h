#pragma once
// Choosing the output folder (SelectOutputFolder): the folder browser, a write probe in the
// chosen folder, and the two warnings. The output folder field only ever changes to a
// folder the program could write into, and the folder shown ends up existing on disk if it
// can be created.

#include <string>

namespace clavenor {

class IMessageBoxPort; // engine/JobPorts.h

// The desktop's folder browser.
class IFolderBrowser {
public:
    virtual ~IFolderBrowser() = default;
    // Shows the browser with prompt, offering file-system folders only. On a choice, sets
    // folder to it and returns true; false when the user cancelled.
    virtual bool BrowseForFolder(const std::string& prompt, std::string& folder) = 0;
};

// The folder to use, given the current output folder: the chosen folder when it exists and
// a probe folder "test" can be made in it (warning "This is a read-only path." when not;
// "The path is invalid." when the choice does not exist); otherwise current, created with
// its missing parents when it does not exist (failures ignored).
//
// The probe is removed again only when this call created it and it is still empty: a
// "test" folder that the user already had is left alone, and a file named "test" is never
// removed.
std::string SelectOutputFolder(const std::string& current, IFolderBrowser& browser,
                               IMessageBoxPort& messages);

} // namespace clavenor
