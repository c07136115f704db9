#pragma once
// Helpers for tests that run real child processes: a temporary program folder, executables
// written into it at test time, and a process that this program did not start.

#include "platform/LinuxProcessServices.h"
#include "platform/LinuxSpawn.h"

#include "temp_folder.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace clavenor::testing {

using TTempFolder = clavenor_test::TempFolder;

inline void WriteFile(const std::string& path, const std::string& text) {
    clavenor_test::WriteWholeFile(path, text);
}

inline std::string ReadFile(const std::string& path) {
    return clavenor_test::ReadWholeFile(path);
}

// The messages of the log in folder, one per line, without the stamp before the "|".
inline std::vector<std::string> LogMessages(const std::string& folder) {
    std::vector<std::string> messages;
    std::string text = ReadFile(folder + "log.txt");
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = text.substr(start, end - start);
        std::size_t bar = line.find('|');
        messages.push_back(bar == std::string::npos ? line : line.substr(bar + 1));
    }
    return messages;
}

// A shell script made executable.
inline void WriteScript(const std::string& path, const std::string& body) {
    WriteFile(path, "#!/bin/sh\n" + body);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::group_exec);
}

// An encoder that prints nothing and runs for the given seconds, without children: a link
// named like the encoder to sleep(1), so the process's command name is the link's name.
inline void LinkSleeper(const std::string& path) {
    std::filesystem::create_symlink(FindExecutable("sleep"), path);
}

// Polls cond every 10 ms for at most limitMs; true once it holds. A safety net for tests
// that wait on another process, not a timing check.
inline bool Eventually(const std::function<bool()>& cond, int limitMs = 10000) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!cond()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

inline bool ProcessAlive(int pid) {
    for (const TProcessEntry& entry : ReadProcessTable(false))
        if (entry.Pid == pid)
            return true;
    return false;
}

// A process that this program did not start: double forked, so the system adopts it and
// it is no descendant of ours. Killed and forgotten on destruction.
class TForeignProcess {
public:
    explicit TForeignProcess(std::vector<std::string> arguments) : Argv0(arguments[0]) {
        TSpawnRequest request;
        request.Arguments = arguments;
        request.Detached = true;
        if (!SpawnChild(request))
            throw std::runtime_error("cannot start " + arguments[0]);
        Eventually([&] {
            for (const TProcessEntry& entry : ReadProcessTable(true))
                if (entry.Argv0 == arguments[0])
                    ForeignPid = entry.Pid;
            return ForeignPid != 0;
        });
        if (ForeignPid == 0)
            throw std::runtime_error("foreign process not found");
    }
    ~TForeignProcess() {
        for (const TProcessEntry& entry : ReadProcessTable(true))
            if (entry.Pid == ForeignPid && entry.Argv0 == Argv0)
                ::kill(ForeignPid, SIGKILL);
    }
    TForeignProcess(const TForeignProcess&) = delete;
    TForeignProcess& operator=(const TForeignProcess&) = delete;
    int Pid() const { return ForeignPid; }

private:
    std::string Argv0;
    int ForeignPid = 0;
};

} // namespace clavenor::testing
