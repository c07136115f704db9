#pragma once
// Linux child processes and process table: fork/exec with O_CLOEXEC pipes, a pidfd to notice
// the child's end at once, and /proc for this program's descendants.

#include "platform/ProcessServices.h"

namespace clavenor {

class TLinuxProcessServices : public IProcessServices {
public:
    // The child is also killed (SIGKILL) when the thread that started it ends, so an encoder
    // never outlives the program; the runner's thread lives until its child has ended.
    std::unique_ptr<IChildProcess> Start(const std::vector<std::string>& arguments,
                                         const std::string& folder) override;
    std::vector<TProcessEntry> OwnDescendants() const override;
    bool Kill(int pid) override;
};

// Every running process of the system, zombies left out (argv[0] read only when asked).
std::vector<TProcessEntry> ReadProcessTable(bool withArgv0);

// The entries of table that descend from ancestor (ancestor itself left out).
std::vector<TProcessEntry> DescendantsOf(const std::vector<TProcessEntry>& table, int ancestor);

} // namespace clavenor
