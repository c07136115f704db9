#include "sources/ui/SourceFileWiring.h"

namespace clavenor {

TSourceFileWiring::TSourceFileWiring(QWidget& mainWindow, IDesktopServices& desktop,
                                     IGeneralErrorDisplay& errors, IEventPump& events,
                                     IInitDirStore& initDir, ITrimSync& trim, IPreviewStop& preview)
    : errorInfo_(desktop, &mainWindow), openDialog_(&mainWindow),
      busy_(new TFrmInitFileForm(errors, &mainWindow)),
      controller_(list_, {probes_, errorInfo_, errors, events, trim, preview, openDialog_, *busy_,
                          initDir}),
      model_(list_), grid_(new TSourceFileGrid(model_, &mainWindow)) {
    ConnectSourceGrid(*grid_, controller_);
}

// The grid and the busy window go first, while the model and the controller they use are
// still there, even when the main window has not destroyed its children yet.
TSourceFileWiring::~TSourceFileWiring() {
    delete grid_.data();
    delete busy_.data();
}

} // namespace clavenor
