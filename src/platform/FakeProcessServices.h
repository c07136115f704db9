#pragma once
// Test double of IProcessServices: a scripted table of descendants and a record of kills.
// Start delegates to a real service when one is given (tests of the job run real fake
// encoders) and otherwise starts nothing.

#include "platform/ProcessServices.h"

#include <algorithm>
#include <mutex>

namespace clavenor {

class TFakeProcessServices : public IProcessServices {
public:
    explicit TFakeProcessServices(IProcessServices* starter = nullptr) : Starter(starter) {}

    std::unique_ptr<IChildProcess> Start(const std::vector<std::string>& arguments,
                                         const std::string& folder) override {
        {
            std::lock_guard lock(Mutex);
            Started.push_back(arguments);
        }
        return Starter ? Starter->Start(arguments, folder) : nullptr;
    }

    std::vector<TProcessEntry> OwnDescendants() const override {
        std::lock_guard lock(Mutex);
        return Table;
    }

    // Records the attempt; a pid listed in Unkillable stays, any other leaves the table.
    bool Kill(int pid) override {
        std::lock_guard lock(Mutex);
        KillAttempts.push_back(pid);
        auto entry = std::find_if(Table.begin(), Table.end(),
                                  [pid](const TProcessEntry& e) { return e.Pid == pid; });
        if (entry == Table.end() ||
            std::find(Unkillable.begin(), Unkillable.end(), pid) != Unkillable.end())
            return false;
        Table.erase(entry);
        return true;
    }

    void Add(int pid, std::string commandName, std::string argv0) {
        std::lock_guard lock(Mutex);
        Table.push_back({pid, 1, std::move(commandName), std::move(argv0)});
    }

    mutable std::mutex Mutex;
    IProcessServices* Starter;
    std::vector<TProcessEntry> Table;
    std::vector<int> Unkillable;
    std::vector<int> KillAttempts;
    std::vector<std::vector<std::string>> Started;
};

} // namespace clavenor
