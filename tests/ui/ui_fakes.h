#pragma once
// Recording and scripted fakes of the window-side ports, for the UI tests.

#include "engine/JobPorts.h"
#include "engine/ProgressWindowPorts.h"
#include "shell/MainFormCommands.h"
#include "shell/OutputFolder.h"

#include <QCoreApplication>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace clavenor_test {

// Remembers every message box: its text and kind.
class TRecordingMessageBox : public clavenor::IMessageBoxPort {
public:
    void ShowMessageBox(const std::string& text, int kind) override {
        Shown.emplace_back(text, kind);
        if (Log)
            Log->push_back("message: " + text);
    }
    std::vector<std::pair<std::string, int>> Shown;
    std::vector<std::string>* Log = nullptr;
};

// Answers questions from a script (true = Yes) and remembers them.
class TScriptedQuestions : public clavenor::IQuestionPort {
public:
    bool AskYesNo(const std::string& question) override {
        Asked.push_back(question);
        if (Answers.empty())
            return false;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::deque<bool> Answers;
    std::vector<std::string> Asked;
};

// The folder browser: returns the scripted folder, or cancels when there is none.
class TScriptedFolderBrowser : public clavenor::IFolderBrowser {
public:
    bool BrowseForFolder(const std::string& prompt, std::string& folder) override {
        Prompts.push_back(prompt);
        if (!Choice)
            return false;
        folder = *Choice;
        return true;
    }
    std::optional<std::string> Choice;
    std::vector<std::string> Prompts;
};

class TQtPendingEvents : public clavenor::IEventPump {
public:
    void ProcessPendingEvents() override {
        ++Passes;
        QCoreApplication::processEvents();
    }
    void WaitUntil(const std::function<bool()>& done) override {
        while (!done())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    void Wake() override {}
    int Passes = 0;
};

// Records the end of the program instead of ending the test process.
class TRecordingApplication : public clavenor::IApplicationPort {
public:
    void EndProgram() override {
        ++Ends;
        if (Log)
            Log->push_back("end program");
    }
    int Ends = 0;
    std::vector<std::string>* Log = nullptr;
};

// Records the commands that other windows and subsystems carry out.
class TRecordingCommands : public clavenor::IMainFormCommands {
public:
    void OpenHomePage() override { Calls.push_back("OpenHomePage"); }
    void SendSupportEmail() override { Calls.push_back("SendSupportEmail"); }
    void OpenHelp() override { Calls.push_back("OpenHelp"); }
    void ShowAbout() override { Calls.push_back("ShowAbout"); }
    void ShowOptions() override { Calls.push_back("ShowOptions"); }
    void Play() override { Calls.push_back("Play"); }
    void Pause() override { Calls.push_back("Pause"); }
    void Stop() override { Calls.push_back("Stop"); }
    void ReleasePreview() override { Calls.push_back("ReleasePreview"); }
    std::vector<std::string> Calls;
};

} // namespace clavenor_test
