#include "shell/ui/ClavenorWiring.h"

#include "shell/ErrorText.h"
#include "shell/ui/ClavenorApplication.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace clavenor {

void TApplicationErrorDisplay::ShowError(const std::string& message) {
    if (auto* app = dynamic_cast<TClavenorApplication*>(QCoreApplication::instance())) {
        app->ShowException(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, "Clavenor",
                    QString::fromStdString(ErrorDisplayText(message)), QMessageBox::Ok);
    box.exec();
}

TClavenorWiring::TClavenorWiring(std::string programFolder, std::string homeFolder,
                                 TWiringPorts ports)
    : ProgramFolder(std::move(programFolder)), Ports(ports), AppFunc(ProgramFolder),
      CommonLib(ProgramFolder), UserSettings(ProgramFolder, homeFolder), InitDir(UserSettings) {
    MainWindow = std::make_unique<TFrmMainForm>(
        ProgramFolder, homeFolder, Selection,
        TMainFormPorts{Ports.MessageBox, Ports.FolderBrowser, Ports.Desktop, Events,
                       Ports.Application, Ports.Commands});
    SourceFiles = std::make_unique<TSourceFileWiring>(*MainWindow, Ports.Desktop, Errors, Events,
                                                      InitDir, Trim, Preview);
    TSourceFileList& list = SourceFiles->List();
    TFrmMainForm* mainWindow = MainWindow.get();
    CustomProc = std::make_unique<TCustomProc>(
        CommonLib, FileFunc, AppFunc, Selection,
        [&list] {
            std::vector<TSourceFileRow> rows;
            for (std::size_t i = 0; i < list.Count(); ++i)
                rows.push_back(list.Row(i));
            return rows;
        },
        [mainWindow] { return mainWindow->OutputFolder(); });
    Builder = std::make_unique<TJobCommandBuilder>(*CustomProc, CommonLib);
    Rows = std::make_unique<TJobSourceRows>(list);
    ProgressContext = std::make_unique<TJobProgressContext>(CommonLib, *MainWindow);
    Progress =
        std::make_unique<TfrmConverting>(*ProgressContext, Ports.Questions, MainWindow.get());
    ConversionJob = std::make_unique<TConversionJob>(
        TJobPorts{*Builder, *Rows, *Progress, *MainWindow, Ports.MessageBox, Events, Events,
                  Processes, Ports.Desktop, Ports.Application, AppFunc},
        ProgramFolder);
    ProgressContext->AttachJob(*ConversionJob);
    MainWindow->AttachSourceList(SourceFiles->Grid(), SourceFiles->Controller());
    MainWindow->AttachConversionJob(*ConversionJob);
}

// The windows go before the objects they use; the source list's wiring removes its grid and
// busy window before the main window removes the rest of its children.
TClavenorWiring::~TClavenorWiring() {
    ConversionJob.reset();
    Progress.reset();
    SourceFiles.reset();
    MainWindow.reset();
}

} // namespace clavenor
