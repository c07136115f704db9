#pragma once
// The Qt side of the ports that the logic talks through: message boxes and questions, the
// folder browser and the end of the program (the event loop and the hand-off from worker
// threads are engine/ui/QtEventPump.h). The app wires these; tests wire fakes instead.

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

// Ends the process at once: no event loop, no window closing work.
class TQtApplicationPort : public IApplicationPort {
public:
    void EndProgram() override;
};

} // namespace clavenor
