#pragma once
// The side effects of the source list, behind small interfaces: dialogs and windows, the
// general error display, and the trim bar and preview that the list drives. The event pump
// is the program's one IEventPump (engine/JobPorts.h).
// The application wires Qt implementations (sources/ui, shell/ui); tests wire fakes.
// Every call happens on the user-interface thread.

#include <functional>
#include <string>
#include <vector>

namespace clavenor {

// The "Error Info" dialog: tells the user that a file could not be read and offers a codec
// download. Modal: returns when the user has closed it.
class IErrorInfo {
public:
    virtual ~IErrorInfo() = default;
    virtual void ShowErrorInfo() = 0;
};

// The general error display: an error that ended a command, shown with its text.
class IGeneralErrorDisplay {
public:
    virtual ~IGeneralErrorDisplay() = default;
    virtual void ShowError(const std::string& message) = 0;
};

// The trim bar's share: follow the selected row, and shrink both outer fills of the bar to
// their minimum when the list has become empty.
class ITrimSync {
public:
    virtual ~ITrimSync() = default;
    virtual void SyncSelectedRow() = 0;
    virtual void ResetTrimFills() = 0;
};

// The preview's share: stop playback.
class IPreviewStop {
public:
    virtual ~IPreviewStop() = default;
    virtual void PreviewStop() = 0;
};

// The open dialog for source files (several files at once).
class IOpenDialog {
public:
    virtual ~IOpenDialog() = default;
    virtual void SetInitialDir(const std::string& folder) = 0;
    // Runs the dialog modally. True with the chosen paths, in the dialog's order; false when
    // the user cancelled (files is then left empty).
    virtual bool Execute(std::vector<std::string>& files) = 0;
    // The first path of the last choice the user accepted; empty before the first one. A
    // cancelled dialog leaves it unchanged.
    virtual std::string FileName() const = 0;
};

// The busy window shown while chosen files are added.
class IBusyWindow {
public:
    virtual ~IBusyWindow() = default;
    // The paths to add at the next showing (copied).
    virtual void SetFileList(const std::vector<std::string>& paths) = 0;
    // Shows the window modally. Shortly after it appears the window calls addFiles with the
    // stored paths and then closes itself, also when addFiles throws.
    virtual void
    ShowModal(const std::function<void(const std::vector<std::string>&)>& addFiles) = 0;
};

// Where the open dialog starts: the user settings' "InitDir".
class IInitDirStore {
public:
    virtual ~IInitDirStore() = default;
    // The folder to start the open dialog in, ending in "/".
    virtual std::string ReadInitDir() = 0;
    // Stores the folder of lastFileName (with its trailing "/"); stores nothing when
    // lastFileName is empty.
    virtual void SaveInitDir(const std::string& lastFileName) = 0;
};

// Stand-ins until the trim bar and the preview are wired: they do nothing.
class TNoTrimSync final : public ITrimSync {
public:
    void SyncSelectedRow() override {}
    void ResetTrimFills() override {}
};

class TNoPreviewStop final : public IPreviewStop {
public:
    void PreviewStop() override {}
};

} // namespace clavenor
