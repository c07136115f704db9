#include "shell/ui/ClavenorMain.h"

#include "engine/ui/QtEventPump.h"
#include "foundation/ProgramFolder.h"
#include "platform/LinuxDesktopServices.h"
#include "settings/ConversionSettings.h"
#include "settings/UserSettings.h"
#include "shell/MainFormCommands.h"
#include "shell/ui/ClavenorApplication.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/QtPorts.h"

#include <QStyleFactory>

namespace clavenor {

int RunClavenor(TClavenorApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
    const std::string programFolder = ExecutableFolder();

    TQtMessageBox messageBox;
    TQtFolderBrowser folderBrowser;
    TQtEventPump events;
    TQtApplicationPort application;
    TLinuxDesktopServices desktop;
    TNoMainFormCommands commands;

    ConversionSettings settings;
    TFrmMainForm mainForm(
        programFolder, UserHomeFolder(), settings,
        TMainFormPorts{messageBox, folderBrowser, desktop, events, application, commands});
    mainForm.show();
    return app.exec();
}

} // namespace clavenor
