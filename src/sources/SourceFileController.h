#pragma once
// The source list's commands as the main window runs them: the open flow with its busy
// window, dropped files, Remove, Clear, the list's keys and clicks, and rows dragged out.
// Each command is complete in itself: an error that escapes it ends the command and goes to
// the general error display; the program goes on.

#include "sources/MediaProbe.h"
#include "sources/SourceFileList.h"
#include "sources/SourceFilePorts.h"
#include "sources/SourceListOps.h"

#include <functional>
#include <string>
#include <vector>

namespace clavenor {

// The collaborators of the source list; none is owned, all outlive the controller.
struct TSourceFilePorts {
    IMediaProbeFactory& Probes;
    IErrorInfo& ErrorInfo;
    IGeneralErrorDisplay& Errors;
    IEventPump& Events; // lets window events through while rows are deleted
    ITrimSync& Trim;
    IPreviewStop& Preview;
    IOpenDialog& OpenDialog;
    IBusyWindow& BusyWindow;
    IInitDirStore& InitDir;
};

class TSourceFileController {
public:
    TSourceFileController(TSourceFileList& list, const TSourceFilePorts& ports);

    TSourceFileList& List() { return list_; }
    TSourceListOps& Ops() { return ops_; }

    // Add files (btnOpenFile, Ctrl+O): the open dialog in the stored folder, then the busy
    // window adds the chosen files; the folder of the first chosen file is stored. The busy
    // window shows also when the dialog was cancelled.
    void OpenFlow();
    // Files dropped on the window: added as they come, without the busy window, without
    // removing repeated names first and without storing a folder.
    void DropFlow(const std::vector<std::string>& paths);
    // Remove (btnRemoveFile, Ctrl+R, rows dragged out of the list).
    void RemoveCommand();
    // Clear (btnClearFile, Ctrl+L).
    void ClearCommand();
    // A key pressed while the list has the focus; isDeleteKey for Delete with any modifiers.
    void KeyDown(bool isDeleteKey);
    // A key released while the list has the focus.
    void KeyUp();
    // A click in the list.
    void ListClick();
    // A drag of rows that started in the list has ended; droppedOnList when they were
    // dropped back on the list itself.
    void DragEnded(bool droppedOnList);

private:
    void Guarded(const std::function<void()>& command);
    void AddChosenFiles(const std::vector<std::string>& paths);

    TSourceFileList& list_;
    TSourceFilePorts ports_;
    TSourceListOps ops_;
};

} // namespace clavenor
