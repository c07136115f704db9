#include "engine/EncoderControl.h"

#include "FakeUiLoop.h"
#include "ProcessTestSupport.h"
#include "foundation/Log.h"
#include "platform/FakeProcessServices.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <mutex>

using namespace clavenor;
using namespace clavenor::testing;

namespace {

// The real services, with every kill recorded in order.
class TRecordingServices : public TLinuxProcessServices {
public:
    bool Kill(int pid) override {
        std::lock_guard lock(Mutex);
        Killed.push_back(pid);
        return TLinuxProcessServices::Kill(pid);
    }
    std::mutex Mutex;
    std::vector<int> Killed;
};

long Count(const std::vector<std::string>& messages, const std::string& message) {
    return std::count(messages.begin(), messages.end(), message);
}

} // namespace

TEST(EncoderControl, StopKillsEveryRevcFirstThenEveryEvcAndSparesOtherPrograms) {
    TTempFolder folder;
    LinkSleeper(folder.Path() + "evc");
    LinkSleeper(folder.Path() + "revc");
    std::filesystem::create_directory(folder.Path() + "other");
    LinkSleeper(folder.Path() + "other/evc");
    TForeignProcess foreign({folder.Path() + "other/evc", "60"});

    TRecordingServices processes;
    auto evc1 = processes.Start({folder.Path() + "evc", "60"}, folder.Path());
    auto revc1 = processes.Start({folder.Path() + "revc", "60"}, folder.Path());
    auto evc2 = processes.Start({folder.Path() + "evc", "60"}, folder.Path());
    auto revc2 = processes.Start({folder.Path() + "revc", "60"}, folder.Path());
    ASSERT_TRUE(evc1 && revc1 && evc2 && revc2);

    TFakeUiLoop ui;
    TAppFunc log(folder.Path());
    TEncoderControl control(processes, ui, log);
    control.StopEncoder(folder.Path() + "revc");

    std::vector<int> revcs{revc1->Pid(), revc2->Pid()}, evcs{evc1->Pid(), evc2->Pid()};
    ASSERT_EQ(processes.Killed.size(), 4u);
    std::vector<int> first(processes.Killed.begin(), processes.Killed.begin() + 2);
    std::vector<int> then(processes.Killed.begin() + 2, processes.Killed.end());
    std::sort(first.begin(), first.end());
    std::sort(then.begin(), then.end());
    std::sort(revcs.begin(), revcs.end());
    std::sort(evcs.begin(), evcs.end());
    EXPECT_EQ(first, revcs);
    EXPECT_EQ(then, evcs);
    for (auto* child : {&evc1, &revc1, &evc2, &revc2}) {
        (*child)->WaitForEnd(-1);
        EXPECT_EQ((*child)->ExitStatus(), 128 + SIGKILL);
    }
    EXPECT_TRUE(ProcessAlive(foreign.Pid())) << "another program's evc is not ours to kill";
    // Each round ends with a look-up that finds nothing.
    EXPECT_EQ(LogMessages(folder.Path()),
              (std::vector<std::string>{"Get Process id error.", "Get Process id error."}));
}

TEST(EncoderControl, StopWithNothingRunningLogsTheFailedLookUpOncePerName) {
    TTempFolder folder;
    TFakeProcessServices processes;
    TFakeUiLoop ui;
    TAppFunc log(folder.Path());
    TEncoderControl control(processes, ui, log);
    control.StopEncoder(folder.Path() + "evc");
    EXPECT_EQ(LogMessages(folder.Path()),
              (std::vector<std::string>{"Get Process id error.", "Get Process id error."}));
    EXPECT_TRUE(processes.KillAttempts.empty());
}

TEST(EncoderControl, ProcessThatCannotBeKilledIsGivenUpOn) {
    TTempFolder folder;
    TFakeProcessServices processes;
    processes.Add(41, "revc", "/opt/c/revc");
    processes.Add(42, "evc", "/opt/c/evc");
    processes.Unkillable = {41, 42};
    TFakeUiLoop ui;
    int pumped = 0;
    TAppFunc log(folder.Path());
    TEncoderControl control(processes, ui, log, 300);
    ui.Post([&] { ++pumped; });
    control.StopEncoder("/opt/c/revc");

    // Both rounds tried, each until it gave up; events were served in between.
    EXPECT_GE(std::count(processes.KillAttempts.begin(), processes.KillAttempts.end(), 41), 2);
    EXPECT_GE(std::count(processes.KillAttempts.begin(), processes.KillAttempts.end(), 42), 2);
    EXPECT_EQ(pumped, 1);
    std::vector<std::string> messages = LogMessages(folder.Path());
    EXPECT_EQ(Count(messages, "Get Process id error."), 0);
    EXPECT_EQ(Count(messages, "Terminate process error."),
              static_cast<long>(processes.KillAttempts.size()) + 2)
        << "one line per failed kill and one per round given up";
}

TEST(EncoderControl, KillMatchesTheNameOrTheWholeExecutableName) {
    TTempFolder folder;
    TAppFunc log(folder.Path());
    TFakeUiLoop ui;
    struct Case {
        TProcessEntry entry;
        std::string name;
        bool killed;
    } cases[] = {
        {{7, 1, "evc", "/opt/c/evc"}, "evc", true},
        {{7, 1, "sh", "/opt/c/evc"}, "EVC", true},
        {{7, 1, "sh", "/opt/c/evc"}, "/opt/c/evc", true},
        {{7, 1, "revc", "/opt/c/revc"}, "evc", false},
    };
    for (const Case& c : cases) {
        TFakeProcessServices processes;
        processes.Table = {c.entry};
        TEncoderControl control(processes, ui, log);
        EXPECT_EQ(control.KillProcessByName(c.name), c.killed) << c.name;
        EXPECT_EQ(processes.Table.empty(), c.killed) << c.name;
    }
    // A failed kill is the only thing that logs here.
    EXPECT_EQ(LogMessages(folder.Path()), (std::vector<std::string>{"Terminate process error."}));
}
