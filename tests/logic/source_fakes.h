#pragma once
// Recording fakes for the source list's ports.

#include "engine/JobPorts.h"
#include "sources/MediaProbe.h"
#include "sources/SourceFileController.h"
#include "sources/SourceFilePorts.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace clavenor_test {

struct FakeErrorInfo : clavenor::IErrorInfo {
    int shown = 0;
    void ShowErrorInfo() override { ++shown; }
};

struct FakeErrors : clavenor::IGeneralErrorDisplay {
    std::vector<std::string> messages;
    void ShowError(const std::string& message) override { messages.push_back(message); }
};

struct FakeEventPump : clavenor::IEventPump {
    int pumped = 0;
    std::function<void()> onPump;
    void ProcessPendingEvents() override {
        ++pumped;
        if (onPump)
            onPump();
    }
    void WaitUntil(const std::function<bool()>& done) override {
        while (!done())
            ProcessPendingEvents();
    }
    void Wake() override {}
};

struct FakeTrim : clavenor::ITrimSync {
    int synced = 0;
    int fillsReset = 0;
    void SyncSelectedRow() override { ++synced; }
    void ResetTrimFills() override { ++fillsReset; }
};

struct FakePreview : clavenor::IPreviewStop {
    int stopped = 0;
    void PreviewStop() override { ++stopped; }
};

// Answers with a scripted choice; a cancelled dialog keeps the last file name, as the real one.
struct FakeOpenDialog : clavenor::IOpenDialog {
    std::vector<std::string> choice; // empty: the user cancels
    std::vector<std::string> initialDirs;
    std::string fileName;
    void SetInitialDir(const std::string& folder) override { initialDirs.push_back(folder); }
    bool Execute(std::vector<std::string>& files) override {
        files = choice;
        if (choice.empty())
            return false;
        fileName = choice.front();
        return true;
    }
    std::string FileName() const override { return fileName; }
};

// Runs the work at once, as the real window does 300 ms after it appears.
struct FakeBusyWindow : clavenor::IBusyWindow {
    int shown = 0;
    std::vector<std::string> fileList;
    void SetFileList(const std::vector<std::string>& paths) override { fileList = paths; }
    void ShowModal(const std::function<void(const std::vector<std::string>&)>& addFiles) override {
        ++shown;
        try {
            addFiles(fileList);
        } catch (...) {
        }
    }
};

// Reports scripted results by path; paths it does not know cannot be opened.
struct ScriptedProbe : clavenor::IMediaProbe {
    std::map<std::string, clavenor::TProbeResult> results;
    clavenor::TProbeResult Probe(const std::string& path) override {
        const auto found = results.find(path);
        return found == results.end() ? clavenor::TProbeResult{} : found->second;
    }
};

// Hands out probes made by a function and counts how many were made and used.
struct CountingProbeFactory : clavenor::IMediaProbeFactory {
    struct Counted : clavenor::IMediaProbe {
        CountingProbeFactory& owner;
        std::unique_ptr<clavenor::IMediaProbe> inner;
        Counted(CountingProbeFactory& o, std::unique_ptr<clavenor::IMediaProbe> i)
            : owner(o), inner(std::move(i)) {}
        clavenor::TProbeResult Probe(const std::string& path) override {
            ++owner.probed;
            clavenor::TProbeResult result = inner->Probe(path);
            if (owner.afterProbe)
                owner.afterProbe(path);
            return result;
        }
    };

    std::function<std::unique_ptr<clavenor::IMediaProbe>()> make = [] {
        return std::make_unique<clavenor::TAvMediaProbe>();
    };
    std::function<void(const std::string&)> afterProbe;
    int created = 0;
    int probed = 0;

    std::unique_ptr<clavenor::IMediaProbe> CreateProbe() override {
        ++created;
        return std::make_unique<Counted>(*this, make());
    }
};

// Where the open dialog starts: always "/", and nothing is stored.
struct FakeInitDir : clavenor::IInitDirStore {
    std::string ReadInitDir() override { return "/"; }
    void SaveInitDir(const std::string&) override {}
};

// Every port of the source list but its start folder, faked; test fixtures derive from it.
struct FakeSourcePorts {
    FakeErrorInfo errorInfo;
    FakeErrors errors;
    FakeEventPump events;
    FakeTrim trim;
    FakePreview preview;
    FakeOpenDialog dialog;
    FakeBusyWindow busy;
    CountingProbeFactory probes;

    clavenor::TSourceFilePorts Ports(clavenor::IInitDirStore& initDir) {
        return {probes, errorInfo, errors, events, trim, preview, dialog, busy, initDir};
    }
};

} // namespace clavenor_test
