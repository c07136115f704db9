#pragma once
// Fakes of the job's window ports and of the command line builder. The windows record what
// the user would see, in order, in one shared list of lines.

#include "engine/JobPorts.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace clavenor::testing {

using TSeen = std::vector<std::string>;

// Builds "<encoder> -y -i "<path>"" with the encoder chosen by the test for each path.
class TFakeBuilder : public IJobCommandBuilder {
public:
    // path -> arguments; the default runs programFolder + "evc" on the path.
    std::function<std::vector<std::string>(const std::string&)> Arguments;
    std::string Folder = "/tmp/out put/"; // the output folder every build reports
    std::string ThrowFor;                 // a path whose build fails
    std::vector<std::string> Built;

    TJobCommandLine BuildCommandLine(const std::string& sourcePath) override {
        if (sourcePath == ThrowFor)
            throw std::runtime_error("cannot build " + sourcePath);
        Built.push_back(sourcePath);
        TJobCommandLine line;
        line.Arguments = Arguments(sourcePath);
        if (!line.Arguments.empty())
            line.Text = line.Arguments[0] + " -y -i \"" + sourcePath + "\"";
        Encoder = line.Arguments.empty() ? "" : line.Arguments[0];
        Input = sourcePath;
        Output = Folder;
        return line;
    }
    std::string EncoderPath() const override { return Encoder; }
    std::string InputPath() const override { return Input; }
    std::string OutputFolder() const override { return Output; }
    std::string StartTime() const override { return "00:00:00"; }
    std::string CutDuration() const override { return "1"; }

private:
    std::string Encoder, Input, Output;
};

class TFakeSources : public IJobSourceList {
public:
    std::vector<TSourceFileRow> List;
    std::vector<TSourceFileRow> Rows() const override { return List; }
    void Add(const std::string& path, bool checked) {
        TSourceFileRow row;
        row.CheckStatus = checked ? "True" : "False";
        row.SourceFileName = path;
        List.push_back(row);
    }
};

class TFakeProgressWindow : public IProgressWindowPort {
public:
    explicit TFakeProgressWindow(TSeen& seen) : Seen(seen) {}
    // Hooks; a hook may clear itself (it runs from a copy).
    std::function<void()> OnShow;   // runs after each Show
    std::function<void()> OnStatus; // runs after each new status text
    bool Visible = false;

    void Show() override {
        Seen.push_back(Visible ? "show" : "show (reset)");
        Visible = true;
        if (auto hook = OnShow)
            hook();
    }
    void Hide() override {
        Seen.push_back("hide");
        Visible = false;
    }
    void SetCurrentFilePosition(int seconds) override {
        Seen.push_back("position " + std::to_string(seconds));
    }
    void SetStatusText(const std::string& text) override {
        Seen.push_back("status " + text);
        if (auto hook = OnStatus)
            hook();
    }
    void SetCurrentFileName(const std::string& path) override { Seen.push_back("file " + path); }
    void RefreshProgress() override { Seen.push_back("refresh"); }

private:
    TSeen& Seen;
};

class TFakeMainWindow : public IMainWindowPort {
public:
    explicit TFakeMainWindow(TSeen& seen) : Seen(seen) {}
    bool ShowOutputDirectory = false;
    bool Shutdown = false;
    bool Enabled = true;

    void SetEnabled(bool enabled) override {
        Seen.push_back(enabled ? "enable" : "disable");
        Enabled = enabled;
    }
    bool ShowOutputDirectoryChecked() const override { return ShowOutputDirectory; }
    bool ShutdownChecked() const override { return Shutdown; }

private:
    TSeen& Seen;
};

class TFakeMessageBox : public IMessageBoxPort {
public:
    explicit TFakeMessageBox(TSeen& seen) : Seen(seen) {}
    void ShowMessageBox(const std::string& text, int kind) override {
        Seen.push_back("message " + std::to_string(kind) + " " + text);
    }

private:
    TSeen& Seen;
};

class TFakeApplication : public IApplicationPort {
public:
    explicit TFakeApplication(TSeen& seen) : Seen(seen) {}
    void EndProgram() override { Seen.push_back("end program"); }

private:
    TSeen& Seen;
};

} // namespace clavenor::testing
