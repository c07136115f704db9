#include "engine/ConversionJob.h"

#include "FakeUiLoop.h"
#include "JobFakes.h"
#include "ProcessTestSupport.h"
#include "foundation/Log.h"
#include "platform/FakeDesktopServices.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using namespace clavenor;
using namespace clavenor::testing;

namespace {

class TSeenDesktop : public TFakeDesktopServices {
public:
    explicit TSeenDesktop(TSeen& seen) : Seen(seen) {}
    bool OpenWithDesktop(const std::string& target) override {
        Seen.push_back("open " + target);
        return TFakeDesktopServices::OpenWithDesktop(target);
    }
    bool PowerOff() override {
        Seen.push_back("power off");
        return TFakeDesktopServices::PowerOff();
    }

private:
    TSeen& Seen;
};

// A program folder with fake encoders named evc, all of which note the path they were given
// in runs.txt: evc prints one progress line and ends; slow/evc prints one and then waits on
// its stdin, which is never written, until it is killed; fail/evc ends with code 3. The
// builder picks by the source path: ".../slow-*", ".../fail-*", ".../missing-*" (no such
// executable), ".../none-*" (no known form: an empty command), anything else evc.
class JobTest : public ::testing::Test {
protected:
    JobTest() {
        const std::string note = "echo \"$1\" >> '" + Folder.Path() + "runs.txt'\n";
        std::filesystem::create_directory(Folder.Path() + "slow");
        std::filesystem::create_directory(Folder.Path() + "fail");
        WriteScript(Folder.Path() + "evc", note + "echo 'frame=  1 time=00:00:01.00'\n");
        WriteScript(Folder.Path() + "slow/evc", note + "echo 'frame=  1 time=00:00:01.00'\n"
                                                       "read x\n");
        WriteScript(Folder.Path() + "fail/evc", note + "echo 'no such file' >&2\nexit 3\n");
        Builder.Arguments = [this](const std::string& path) -> std::vector<std::string> {
            std::string base = path.substr(path.rfind('/') + 1);
            std::string encoder = Folder.Path() + "evc";
            if (base.rfind("slow-", 0) == 0)
                encoder = Folder.Path() + "slow/evc";
            else if (base.rfind("fail-", 0) == 0)
                encoder = Folder.Path() + "fail/evc";
            else if (base.rfind("missing-", 0) == 0)
                encoder = Folder.Path() + "missing/evc";
            else if (base.rfind("none-", 0) == 0)
                return {};
            return {encoder, path};
        };
    }

    std::vector<std::string> Runs() const {
        std::vector<std::string> runs;
        std::istringstream in(ReadFile(Folder.Path() + "runs.txt"));
        for (std::string line; std::getline(in, line);)
            runs.push_back(line);
        return runs;
    }

    std::vector<std::string> Logged() const { return LogMessages(Folder.Path()); }

    std::vector<std::string> SeenWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& line : Seen)
            if (line.rfind(prefix, 0) == 0)
                found.push_back(line);
        return found;
    }

    TTempFolder Folder;
    TSeen Seen;
    TLinuxProcessServices Processes;
    TFakeUiLoop Ui;
    TFakeBuilder Builder;
    TFakeSources Sources;
    TFakeProgressWindow Progress{Seen};
    TFakeMainWindow Main{Seen};
    TFakeMessageBox Box{Seen};
    TSeenDesktop Desktop{Seen};
    TFakeApplication App{Seen};
    TAppFunc Log{Folder.Path()};
    TConversionJob Job{
        TJobPorts{Builder, Sources, Progress, Main, Box, Ui, Ui, Processes, Desktop, App, Log},
        Folder.Path()};
};

} // namespace

TEST_F(JobTest, CheckedRowsRunOneAfterAnotherAndTheOutputFolderIsOpened) {
    Sources.Add("/src/a.avi", true);
    Sources.Add("/src/b.avi", false);
    Sources.Add("/src/c d.avi", true);
    Main.ShowOutputDirectory = true;
    Builder.Folder = "/tmp/my out/";
    Job.RunConversionJob();

    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/a.avi", "/src/c d.avi"}));
    EXPECT_EQ(Job.State().FilesTotal, 2);
    EXPECT_EQ(Job.State().FilesDone, 2);
    EXPECT_EQ(Logged(), (std::vector<std::string>{
                            "parameter: " + Folder.Path() + "evc -y -i \"/src/a.avi\"",
                            "parameter: " + Folder.Path() + "evc -y -i \"/src/c d.avi\"",
                        }));
    const std::string piece = "status frame=  1 time=00:00:01.00\n";
    EXPECT_EQ(Seen, (TSeen{
                        "position 0", "show (reset)", "disable", piece, "file /src/a.avi",
                        "refresh", //
                        "position 0", "show", "disable", piece, "file /src/c d.avi", "refresh",
                        "open /tmp/my out/", "hide", "enable", //
                    }));
    EXPECT_TRUE(Processes.OwnDescendants().empty());
}

TEST_F(JobTest, StoppedJobSkipsThePostJobActionsAndTheNextJobPerformsThemAgain) {
    Sources.Add("/src/slow-a.avi", true);
    Sources.Add("/src/b.avi", true);
    Main.ShowOutputDirectory = true;
    Main.Shutdown = true;
    // The user presses Stop and confirms once the first output is shown.
    Progress.OnStatus = [&] {
        Progress.OnStatus = nullptr;
        Ui.Post([&] { Job.RequestStop(); });
    };
    Job.RunConversionJob();

    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/slow-a.avi"}));
    EXPECT_TRUE(SeenWith("open").empty());
    EXPECT_TRUE(SeenWith("power off").empty());
    EXPECT_TRUE(SeenWith("end program").empty());
    EXPECT_TRUE(SeenWith("message").empty()) << "a run the user stopped is not reported";
    EXPECT_FALSE(Job.State().StopFlag);
    EXPECT_EQ(Seen.back(), "enable");
    EXPECT_TRUE(Processes.OwnDescendants().empty());
    std::vector<std::string> logged = Logged();
    EXPECT_EQ(std::count(logged.begin(), logged.end(), "Get Process id error."), 4);
    EXPECT_EQ(logged.back(), "Encoder exit code 137: /src/slow-a.avi");

    Seen.clear();
    Sources.List = {};
    Sources.Add("/src/b.avi", true);
    Job.RunConversionJob();
    EXPECT_EQ(SeenWith("open"), (TSeen{"open /tmp/out put/"}));
    EXPECT_EQ(Seen.back(), "end program");
}

TEST_F(JobTest, ClosingTheProgressWindowStopsButKeepsThePostJobActions) {
    Sources.Add("/src/slow-a.avi", true);
    Sources.Add("/src/b.avi", true);
    Main.ShowOutputDirectory = true;
    Main.Shutdown = true;
    Progress.OnStatus = [&] {
        Progress.OnStatus = nullptr;
        Ui.Post([&] { Job.RequestClose(); });
    };
    Job.RunConversionJob();

    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/slow-a.avi"}));
    // Power-off, then the end, and nothing after it: the windows stay as they were.
    std::size_t n = Seen.size();
    ASSERT_GE(n, 3u);
    EXPECT_EQ((TSeen{Seen[n - 3], Seen[n - 2], Seen[n - 1]}),
              (TSeen{"open /tmp/out put/", "power off", "end program"}));
    EXPECT_TRUE(Processes.OwnDescendants().empty());
}

TEST_F(JobTest, ShutdownSwitchPowersOffAndEndsTheProgramAlsoWithNothingConverted) {
    for (bool anyChecked : {false, true}) {
        SCOPED_TRACE(anyChecked);
        Seen.clear();
        Sources.List = {};
        Sources.Add("/src/a.avi", anyChecked);
        Main.Shutdown = true;
        Job.RunConversionJob();
        ASSERT_GE(Seen.size(), 2u);
        EXPECT_EQ(Seen[Seen.size() - 2], "power off");
        EXPECT_EQ(Seen.back(), "end program");
        EXPECT_TRUE(SeenWith("hide").empty());
    }
    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/a.avi"}));
}

TEST_F(JobTest, StopBeforeTheEncoderStartsStartsNothing) {
    Sources.Add("/src/a.avi", true);
    Sources.Add("/src/b.avi", true);
    Main.ShowOutputDirectory = true;
    // The click waits in the queue while the window is being shown.
    Progress.OnShow = [&] {
        Progress.OnShow = nullptr;
        Ui.Post([&] { Job.RequestStop(); });
    };
    Job.RunConversionJob();

    EXPECT_TRUE(Runs().empty());
    EXPECT_TRUE(SeenWith("open").empty());
    EXPECT_TRUE(SeenWith("status").empty());
    EXPECT_TRUE(SeenWith("message").empty());
    for (const std::string& line : Logged())
        EXPECT_EQ(line.find("Encoder exit code"), std::string::npos) << line;
}

TEST_F(JobTest, AnotherProgramsEncoderNeitherDelaysTheJobNorIsKilled) {
    std::filesystem::create_directory(Folder.Path() + "other");
    LinkSleeper(Folder.Path() + "other/evc");
    TForeignProcess foreign({Folder.Path() + "other/evc", "120"});

    Sources.Add("/src/a.avi", true);
    Job.RunConversionJob(); // would wait for the foreign evc's end if it looked at it
    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/a.avi"}));

    Sources.List = {};
    Sources.Add("/src/slow-b.avi", true);
    Progress.OnStatus = [&] {
        Progress.OnStatus = nullptr;
        Ui.Post([&] { Job.RequestStop(); });
    };
    Job.RunConversionJob();
    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/a.avi", "/src/slow-b.avi"}));
    EXPECT_TRUE(ProcessAlive(foreign.Pid()));
}

TEST_F(JobTest, FailedRunsAreLoggedAndNamedAtTheEnd) {
    Sources.Add("/src/fail-a.avi", true);
    Sources.Add("/src/missing-b.avi", true);
    Sources.Add("/src/none-c.avi", true);
    Sources.Add("/src/d.avi", true);
    Main.ShowOutputDirectory = true;
    Job.RunConversionJob();

    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/fail-a.avi", "/src/d.avi"}));
    EXPECT_EQ(Job.State().FilesDone, 4);
    std::vector<std::string> logged = Logged();
    for (const char* line :
         {"Encoder exit code 3: /src/fail-a.avi", "Encoder exit code -1: /src/missing-b.avi",
          "parameter: ", "Encoder exit code -1: /src/none-c.avi"})
        EXPECT_NE(std::find(logged.begin(), logged.end(), line), logged.end()) << line;
    // The post-job actions still run; the warning comes last, over the enabled main window.
    std::size_t n = Seen.size();
    ASSERT_GE(n, 4u);
    EXPECT_EQ((TSeen{Seen[n - 4], Seen[n - 3], Seen[n - 2], Seen[n - 1]}),
              (TSeen{"open /tmp/out put/", "hide", "enable",
                     "message 1 Some files could not be converted:\n/src/fail-a.avi\n"
                     "/src/missing-b.avi\n/src/none-c.avi"}));
}

TEST_F(JobTest, FailuresOfAJobThatPowersOffAreOnlyLogged) {
    Sources.Add("/src/fail-a.avi", true);
    Main.Shutdown = true;
    Job.RunConversionJob();
    EXPECT_TRUE(SeenWith("message").empty());
    EXPECT_EQ(Seen.back(), "end program");
    EXPECT_EQ(Logged().back(), "Encoder exit code 3: /src/fail-a.avi");
}

TEST_F(JobTest, EmptyListIsWarnedAboutAndNothingElseHappens) {
    Main.ShowOutputDirectory = true;
    Main.Shutdown = true;
    Job.RunConversionJob();
    EXPECT_EQ(Seen, (TSeen{"message 1 Please add media files you want to convert into the list.",
                           "hide", "enable"}));
    EXPECT_TRUE(Builder.Built.empty());
}

TEST_F(JobTest, BuildErrorEndsTheJobAndTheNextJobCanRun) {
    Sources.Add("/src/a.avi", true);
    Sources.Add("/src/b.avi", true);
    Builder.ThrowFor = "/src/b.avi";
    EXPECT_THROW(Job.RunConversionJob(), std::runtime_error);
    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/a.avi"}));
    EXPECT_FALSE(Main.Enabled) << "the windows keep their state at the error";
    EXPECT_FALSE(Job.IsRunning());

    Builder.ThrowFor.clear();
    Job.RunConversionJob();
    EXPECT_EQ(Runs().size(), 3u);
    EXPECT_TRUE(Main.Enabled);
}

// The progress window can still be up when no job runs: after a build error it stays shown,
// and a Stop question may be answered after the job it was asked for has ended. Confirming
// then stops nothing, and the next job still performs its post-job actions.
TEST_F(JobTest, AStopConfirmedWhenNoJobRunsDoesNotCarryOverToTheNextJob) {
    Main.ShowOutputDirectory = true;
    Sources.Add("/src/a.avi", true);
    Sources.Add("/src/b.avi", true);
    Builder.ThrowFor = "/src/b.avi";
    EXPECT_THROW(Job.RunConversionJob(), std::runtime_error);
    Job.RequestStop(); // the user escapes through the progress window left on screen
    Job.RequestClose();
    EXPECT_FALSE(Job.State().StopFlag);

    Builder.ThrowFor.clear();
    Seen.clear();
    Job.RunConversionJob();
    EXPECT_EQ(Runs().size(), 3u);
    EXPECT_EQ(SeenWith("open"), (TSeen{"open /tmp/out put/"}));
}

TEST_F(JobTest, ConvertDuringAJobDoesNotStartASecondOne) {
    Sources.Add("/src/a.avi", true);
    Sources.Add("/src/b.avi", true);
    Progress.OnStatus = [&] {
        Progress.OnStatus = nullptr;
        Ui.Post([&] { Job.RunConversionJob(); });
    };
    Job.RunConversionJob();
    EXPECT_EQ(Runs(), (std::vector<std::string>{"/src/a.avi", "/src/b.avi"}));
}
