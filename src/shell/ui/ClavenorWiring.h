#pragma once
// The program's objects and windows, made and connected in one place: the shared objects
// (log, CommonLib, FileFunc, the settings, CustomProc), the main window with its source list,
// the progress window and the conversion job. The app wires the real desktop; tests wire
// fakes for the few side effects a test must not cause (dialogs, the desktop, ending the
// process).

#include "core/CommonLib.h"
#include "core/CustomProc.h"
#include "core/FileFunc.h"
#include "core/JobCommandBuilder.h"
#include "engine/ConversionJob.h"
#include "engine/ui/ConvertingForm.h"
#include "engine/ui/QtEventPump.h"
#include "foundation/Log.h"
#include "platform/LinuxProcessServices.h"
#include "settings/ConversionSettings.h"
#include "settings/UserSettings.h"
#include "shell/JobProgressContext.h"
#include "shell/MainFormCommands.h"
#include "shell/OutputFolder.h"
#include "shell/ui/MainForm.h"
#include "sources/SourceFilePorts.h"
#include "sources/UserSettingsInitDir.h"
#include "sources/ui/SourceFileWiring.h"

#include <memory>
#include <string>

namespace clavenor {

// The side effects that differ between the program and its tests. None is owned; all
// outlive the wiring.
struct TWiringPorts {
    IMessageBoxPort& MessageBox;
    IQuestionPort& Questions;
    IFolderBrowser& FolderBrowser;
    IDesktopServices& Desktop;
    IApplicationPort& Application;
    IMainFormCommands& Commands;
};

// The general error display as the source list reports to it: the application's own.
class TApplicationErrorDisplay final : public IGeneralErrorDisplay {
public:
    void ShowError(const std::string& message) override;
};

class TClavenorWiring {
public:
    // programFolder ends in "/"; homeFolder gives the first run's output folder.
    TClavenorWiring(std::string programFolder, std::string homeFolder, TWiringPorts ports);
    ~TClavenorWiring();
    TClavenorWiring(const TClavenorWiring&) = delete;
    TClavenorWiring& operator=(const TClavenorWiring&) = delete;

    TFrmMainForm& MainForm() { return *MainWindow; }
    TfrmConverting& ProgressWindow() { return *Progress; }
    TConversionJob& Job() { return *ConversionJob; }
    TSourceFileWiring& Sources() { return *SourceFiles; }
    ConversionSettings& Settings() { return Selection; }
    const TAppFunc& Log() const { return AppFunc; }

private:
    std::string ProgramFolder;
    TWiringPorts Ports;
    TAppFunc AppFunc;
    TCommonLib CommonLib;
    TFileFunc FileFunc;
    ConversionSettings Selection;
    TQtEventPump Events;
    TLinuxProcessServices Processes;
    TUserSettingsFile UserSettings;
    TUserSettingsInitDir InitDir;
    TApplicationErrorDisplay Errors;
    TNoTrimSync Trim;
    TNoPreviewStop Preview;
    std::unique_ptr<TFrmMainForm> MainWindow;
    std::unique_ptr<TSourceFileWiring> SourceFiles;
    std::unique_ptr<TCustomProc> CustomProc;
    std::unique_ptr<TJobCommandBuilder> Builder;
    std::unique_ptr<TJobSourceRows> Rows;
    std::unique_ptr<TJobProgressContext> ProgressContext;
    std::unique_ptr<TfrmConverting> Progress;
    std::unique_ptr<TConversionJob> ConversionJob;
};

} // namespace clavenor
