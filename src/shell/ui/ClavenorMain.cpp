#include "shell/ui/ClavenorMain.h"

#include "foundation/ProgramFolder.h"
#include "platform/LinuxDesktopServices.h"
#include "settings/UserSettings.h"
#include "shell/MainFormCommands.h"
#include "shell/ui/ClavenorApplication.h"
#include "shell/ui/ClavenorWiring.h"
#include "shell/ui/QtPorts.h"

#include <QStyleFactory>

namespace clavenor {

int RunClavenor(TClavenorApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));

    TQtMessageBox messageBox;
    TQtFolderBrowser folderBrowser;
    TQtApplicationPort application;
    TLinuxDesktopServices desktop;
    TNoMainFormCommands commands;
    TClavenorWiring wiring(
        ExecutableFolder(), UserHomeFolder(),
        TWiringPorts{messageBox, messageBox, folderBrowser, desktop, application, commands});
    wiring.MainForm().show();
    return app.exec();
}

} // namespace clavenor
