#pragma once
// The ports of the conversion job (TConversionJob): everything it reads from or does to the
// rest of the program. The app wires the real windows, the command line builder and the
// Linux services; tests wire fakes. Unless a member says otherwise it is called on the UI
// thread only.

#include "platform/DesktopServices.h"
#include "platform/ProcessServices.h"
#include "sources/SourceFileRow.h"

#include <functional>
#include <string>
#include <vector>

namespace clavenor {

class TAppFunc; // foundation/Log.h: the log

// One encoder run, as the command line builder made it.
struct TJobCommandLine {
    std::string Text;                   // logged after "parameter: "; never split again
    std::vector<std::string> Arguments; // the encoder's argv; empty when no known form
};

// The command line builder and what its last build left behind (the conversion parameter
// record and the current file's trim texts).
class IJobCommandBuilder {
public:
    virtual ~IJobCommandBuilder() = default;
    // Builds the run of one source file (its full path, as the row holds it). May throw: the
    // error ends the job and reaches the general error display.
    virtual TJobCommandLine BuildCommandLine(const std::string& sourcePath) = 0;
    virtual std::string EncoderPath() const = 0;  // record field 1: program folder + "evc"/"revc"
    virtual std::string InputPath() const = 0;    // field 2: the source, or the script's path
    virtual std::string OutputFolder() const = 0; // field 15, ends in "/"; "" before any build
    virtual std::string StartTime() const = 0;    // start time text of the last build
    virtual std::string CutDuration() const = 0;  // cut duration text (whole seconds, may be "")
};

// The source list. Read again at every test of the job's loop.
class IJobSourceList {
public:
    virtual ~IJobSourceList() = default;
    virtual std::vector<TSourceFileRow> Rows() const = 0;
};

// The progress window (TfrmConverting) as the job drives it. Its Stop button and close
// command call TConversionJob::RequestStop / RequestClose.
class IProgressWindowPort {
public:
    virtual ~IProgressWindowPort() = default;
    // Shows the window; when it goes from hidden to shown it resets itself first (FormShow).
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetCurrentFilePosition(int seconds) = 0;         // ProgressBar1's position
    virtual void SetStatusText(const std::string& text) = 0;      // statState's only panel
    virtual void SetCurrentFileName(const std::string& path) = 0; // lblCurFileName
    virtual void RefreshProgress() = 0;                           // runs actRefreshProgress
};

// The main window's part in a job.
class IMainWindowPort {
public:
    virtual ~IMainWindowPort() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool ShowOutputDirectoryChecked() const = 0; // chkShowOutputDirectory
    virtual bool ShutdownChecked() const = 0;            // chkShutdown
};

// ShowMessageBox: OK button, the application title as caption, the icon by kind (1: warning).
class IMessageBoxPort {
public:
    virtual ~IMessageBoxPort() = default;
    virtual void ShowMessageBox(const std::string& text, int kind) = 0;
};

// The UI thread's event loop, as the job's waits use it.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    // Handles the events that are pending now, then returns.
    virtual void ProcessPendingEvents() = 0;
    // Handles events until done() holds; never spins. done() is tested on entry, after every
    // handled event, after every Wake(), and at least every 100 ms.
    virtual void WaitUntil(const std::function<bool()>& done) = 0;
    // Any thread: makes a running WaitUntil test its condition again soon.
    virtual void Wake() = 0;
};

// The runner's hand-off of encoder output to the UI thread.
class IUiHandOff {
public:
    virtual ~IUiHandOff() = default;
    // Called on a worker thread: runs work on the UI thread and returns once it has run there
    // (Qt: QMetaObject::invokeMethod(..., Qt::BlockingQueuedConnection)). An error that
    // escapes work is handled there like any event handler's (the general error display);
    // it never reaches the worker thread.
    virtual void RunOnUiThread(const std::function<void()>& work) = 0;
};

// Ending the program at once, without the main window's closing work (no settings saved).
class IApplicationPort {
public:
    virtual ~IApplicationPort() = default;
    virtual void EndProgram() = 0;
};

// Everything the job is wired to. All referenced objects outlive the job.
struct TJobPorts {
    IJobCommandBuilder& Builder;
    IJobSourceList& Sources;
    IProgressWindowPort& ProgressWindow;
    IMainWindowPort& MainWindow;
    IMessageBoxPort& MessageBox;
    IEventPump& Events;
    IUiHandOff& UiThread;
    IProcessServices& Processes;
    IDesktopServices& Desktop;
    IApplicationPort& Application;
    const TAppFunc& Log;
};

} // namespace clavenor
