#pragma once
// The Qt side of the ports that the logic talks through: message boxes and questions, the
// folder browser, the UI thread's event loop, the hand-off from worker threads, and the end
// of the program. The app wires these; tests wire fakes instead.

#include "engine/JobPorts.h"
#include "engine/ProgressWindowPorts.h"
#include "shell/OutputFolder.h"

#include <QObject>

namespace clavenor {

// ShowMessageBox: an OK box owned by the application, captioned "Clavenor", with the icon of
// the kind (0 error, 1 warning, 2 question, 3 information). Also the Yes/No questions.
class TQtMessageBox : public IMessageBoxPort, public IQuestionPort {
public:
    void ShowMessageBox(const std::string& text, int kind) override;
    bool AskYesNo(const std::string& question) override;
};

// BrowseForFolder: Qt's folder dialog, folders only, nothing preselected.
class TQtFolderBrowser : public IFolderBrowser {
public:
    bool BrowseForFolder(const std::string& prompt, std::string& folder) override;
};

// The UI thread's event loop. WaitUntil blocks in the loop (no spinning) and tests its
// condition after every pass, on every Wake() and at least every 100 ms.
class TQtEventPump : public IEventPump {
public:
    void ProcessPendingEvents() override;
    void WaitUntil(const std::function<bool()>& done) override;
    void Wake() override;
};

// Runs work on the UI thread and waits for it (BlockingQueuedConnection); runs it at once
// when called on the UI thread itself. Create it on the UI thread.
class TQtUiHandOff : public IUiHandOff {
public:
    TQtUiHandOff();
    void RunOnUiThread(const std::function<void()>& work) override;

private:
    QObject Receiver; // lives on the UI thread
};

// Ends the process at once: no event loop, no window closing work.
class TQtApplicationPort : public IApplicationPort {
public:
    void EndProgram() override;
};

} // namespace clavenor
