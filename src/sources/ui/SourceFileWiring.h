#pragma once
// Everything the main window needs for its source list, made and wired in one place: the
// list and its grid, the open dialog, the busy window, the "Error Info" dialog, the
// libavformat probe and the controller whose commands the window's buttons and keys call.

#include "platform/DesktopServices.h"
#include "shell/ui/CodeErrorForm.h"
#include "sources/MediaProbe.h"
#include "sources/SourceFileController.h"
#include "sources/SourceFileList.h"
#include "sources/ui/InitFileForm.h"
#include "sources/ui/OpenSourceFileDialog.h"
#include "sources/ui/SourceFileGrid.h"
#include "sources/ui/SourceFileGridModel.h"

#include <QPointer>

namespace clavenor {

class TSourceFileWiring {
public:
    // The grid, the busy window and the dialogs are children of mainWindow; the grid still
    // has to be placed. The ports are not owned and must outlive this object.
    TSourceFileWiring(QWidget& mainWindow, IDesktopServices& desktop, IGeneralErrorDisplay& errors,
                      IEventPump& events, IInitDirStore& initDir, ITrimSync& trim,
                      IPreviewStop& preview);
    ~TSourceFileWiring();
    TSourceFileWiring(const TSourceFileWiring&) = delete;
    TSourceFileWiring& operator=(const TSourceFileWiring&) = delete;

    TSourceFileList& List() { return list_; }
    TSourceFileGridModel& Model() { return model_; }
    TSourceFileGrid& Grid() { return *grid_; }
    TSourceFileController& Controller() { return controller_; }
    TFrmInitFileForm& BusyWindow() { return *busy_; }
    TOpenSourceFileDialog& OpenDialog() { return openDialog_; }

private:
    TSourceFileList list_;
    TAvMediaProbeFactory probes_;
    TQtErrorInfo errorInfo_;
    TOpenSourceFileDialog openDialog_;
    QPointer<TFrmInitFileForm> busy_;
    TSourceFileController controller_;
    TSourceFileGridModel model_;
    QPointer<TSourceFileGrid> grid_;
};

} // namespace clavenor
