#include "platform/LinuxProcessServices.h"

#include "ProcessTestSupport.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace clavenor;
using namespace clavenor::testing;

namespace {

// Everything the child printed until it ended.
std::string ReadAll(IChildProcess& child) {
    std::string text;
    char buffer[4096];
    for (;;) {
        child.WaitForOutputOrEnd(-1);
        std::size_t n;
        while ((n = child.Read(buffer, sizeof buffer)) > 0)
            text.append(buffer, n);
        if (child.ExitStatus() && child.BytesWaiting() == 0)
            return text;
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string StatField(int pid, int field) {
    std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    std::string value;
    for (int i = 3; i <= field; ++i)
        rest >> value;
    return value;
}

} // namespace

TEST(LinuxProcessServices, ChildGetsArgumentsFolderPipesAndOwnSession) {
    TTempFolder folder;
    // The script reports what it was given; both of its output streams reach one pipe.
    WriteScript(folder.Path() + "evc", "for a in \"$@\"; do echo \"arg:$a\"; done\n"
                                       "pwd\n"
                                       "readlink /proc/$$/fd/0\n"
                                       "readlink /proc/$$/fd/1\n"
                                       "readlink /proc/$$/fd/2 >&2\n"
                                       "read -r line; echo \"stdin:$?\" >&2\n"
                                       "exit 3\n");
    TLinuxProcessServices services;
    std::vector<std::string> args{folder.Path() + "evc", "-i", "a b \"c\"", "-y"};
    std::unique_ptr<IChildProcess> child = services.Start(args, folder.Path());
    ASSERT_TRUE(child);
    // A session of its own and no controlling terminal.
    EXPECT_EQ(StatField(child->Pid(), 6), std::to_string(child->Pid()));
    EXPECT_EQ(StatField(child->Pid(), 7), "0");
    // stdin is a pipe never written, so the script's read waits until we kill it.
    std::vector<std::string> lines;
    ASSERT_TRUE(Eventually([&] {
        char buffer[4096];
        std::size_t n = child->Read(buffer, sizeof buffer);
        std::string got(buffer, n);
        for (const std::string& l : Lines(got))
            lines.push_back(l);
        return lines.size() >= 7;
    }));
    EXPECT_FALSE(child->ExitStatus());
    ASSERT_TRUE(services.Kill(child->Pid()));
    std::string rest = ReadAll(*child);
    EXPECT_EQ(rest, "") << "a read of stdin never ends while the child runs";
    EXPECT_EQ(child->ExitStatus(), 128 + SIGKILL);

    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "arg:-i");
    EXPECT_EQ(lines[1], "arg:a b \"c\"");
    EXPECT_EQ(lines[2], "arg:-y");
    EXPECT_EQ(lines[3] + "/", folder.Path());
    EXPECT_EQ(lines[4].rfind("pipe:", 0), 0u) << lines[4];
    EXPECT_EQ(lines[5].rfind("pipe:", 0), 0u) << lines[5];
    EXPECT_EQ(lines[5], lines[6]) << "stdout and stderr share one pipe";
    EXPECT_NE(lines[4], lines[5]);
}

TEST(LinuxProcessServices, ChildGetsItsPipesAlsoWhenThisProgramHasNoStandardInput) {
    TTempFolder folder;
    WriteScript(folder.Path() + "evc", "for fd in 0 1 2; do readlink /proc/$$/fd/$fd; done\n");
    TLinuxProcessServices services;
    // With 0 closed, the first pipe gets descriptor 0.
    int saved = ::dup(0);
    ::close(0);
    auto child = services.Start({folder.Path() + "evc"}, folder.Path());
    ::dup2(saved, 0);
    ::close(saved);
    ASSERT_TRUE(child);
    std::vector<std::string> lines = Lines(ReadAll(*child));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("pipe:", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("pipe:", 0), 0u) << lines[1];
    EXPECT_EQ(lines[1], lines[2]);
    EXPECT_NE(lines[0], lines[1]);
}

TEST(LinuxProcessServices, ExitStatusIsTheCodeOrTheSignal) {
    TTempFolder folder;
    struct Case {
        const char* body;
        int status;
    } cases[] = {{"exit 0\n", 0}, {"exit 3\n", 3}, {"kill -TERM $$\n", 128 + SIGTERM}};
    TLinuxProcessServices services;
    for (const Case& c : cases) {
        WriteScript(folder.Path() + "evc", c.body);
        auto child = services.Start({folder.Path() + "evc"}, folder.Path());
        ASSERT_TRUE(child) << c.body;
        ReadAll(*child);
        EXPECT_EQ(child->ExitStatus(), c.status) << c.body;
    }
}

TEST(LinuxProcessServices, WhatCannotStartGivesNoChild) {
    TTempFolder folder;
    WriteFile(folder.Path() + "notexec", "#!/bin/sh\nexit 0\n");
    TLinuxProcessServices services;
    EXPECT_FALSE(services.Start({}, folder.Path()));
    EXPECT_FALSE(services.Start({""}, folder.Path()));
    EXPECT_FALSE(services.Start({folder.Path() + "missing"}, folder.Path()));
    EXPECT_FALSE(services.Start({folder.Path() + "notexec"}, folder.Path()));
    EXPECT_FALSE(services.Start({"/bin/true"}, folder.Path() + "no-such-folder"));
    EXPECT_TRUE(services.OwnDescendants().empty()) << "failed starts leave nothing behind";
}

TEST(LinuxProcessServices, TableHoldsOwnDescendantsOnlyAndKillSparesOthers) {
    TTempFolder folder;
    LinkSleeper(folder.Path() + "evc");
    std::filesystem::create_directory(folder.Path() + "other");
    LinkSleeper(folder.Path() + "other/evc");
    // A grandchild: the script starts a sleeper in the background and waits.
    WriteScript(folder.Path() + "wrapper", "\"$1\" 60 &\nwait\n");

    TForeignProcess foreign({folder.Path() + "other/evc", "60"});
    TLinuxProcessServices services;
    auto child = services.Start({folder.Path() + "evc", "60"}, folder.Path());
    auto wrapper = services.Start({folder.Path() + "wrapper", folder.Path() + "evc"}, "");
    ASSERT_TRUE(child && wrapper);

    std::vector<TProcessEntry> mine;
    ASSERT_TRUE(Eventually([&] {
        mine = services.OwnDescendants();
        return mine.size() == 3;
    }));
    int grandchild = 0;
    for (const TProcessEntry& e : mine) {
        EXPECT_NE(e.Pid, foreign.Pid());
        if (e.ParentPid == wrapper->Pid())
            grandchild = e.Pid;
        if (e.Pid == child->Pid()) {
            EXPECT_EQ(e.CommandName, "evc");
            EXPECT_EQ(e.Argv0, folder.Path() + "evc");
            EXPECT_TRUE(ProcessNameMatches(e, "EVC"));
            EXPECT_TRUE(ProcessFullNameMatches(e, folder.Path() + "evc"));
        }
    }
    ASSERT_NE(grandchild, 0);

    EXPECT_FALSE(services.Kill(foreign.Pid()));
    EXPECT_FALSE(services.Kill(::getpid()));
    EXPECT_TRUE(ProcessAlive(foreign.Pid()));

    EXPECT_TRUE(services.Kill(grandchild));
    ReadAll(*wrapper);
    EXPECT_TRUE(services.Kill(child->Pid()));
    ReadAll(*child);
    EXPECT_EQ(child->ExitStatus(), 128 + SIGKILL);
    EXPECT_TRUE(services.OwnDescendants().empty()) << "killed and reaped: no zombies listed";
    EXPECT_TRUE(ProcessAlive(foreign.Pid()));
}

TEST(LinuxProcessServices, DroppingAChildHandleKillsAndReapsIt) {
    TTempFolder folder;
    LinkSleeper(folder.Path() + "evc");
    TLinuxProcessServices services;
    int pid = 0;
    {
        auto child = services.Start({folder.Path() + "evc", "60"}, folder.Path());
        ASSERT_TRUE(child);
        pid = child->Pid();
    }
    EXPECT_FALSE(ProcessAlive(pid));
    EXPECT_TRUE(services.OwnDescendants().empty());
}

TEST(LinuxProcessServices, ChildThatClosesItsOutputDoesNotWakeTheWaitAgainAndAgain) {
    TTempFolder folder;
    // Closes both output streams, then lives on for a moment.
    WriteScript(folder.Path() + "evc", "exec >&- 2>&-\nsleep 0.3\n");
    TLinuxProcessServices services;
    auto child = services.Start({folder.Path() + "evc"}, folder.Path());
    ASSERT_TRUE(child);
    int waits = 0;
    while (!child->ExitStatus()) {
        child->WaitForOutputOrEnd(-1);
        ++waits;
        ASSERT_LT(waits, 100) << "the hang-up of the pipe must not end every wait";
    }
    EXPECT_EQ(child->ExitStatus(), 0);
}

TEST(ProcessNames, NameIsTheCommandNameOrTheBaseNameOfArgv0) {
    struct Case {
        TProcessEntry entry;
        std::string name;
        bool matches;
        bool fullMatches;
    } cases[] = {
        {{1, 0, "evc", "/opt/c/evc"}, "evc", true, false},
        {{1, 0, "evc", "/opt/c/evc"}, "EVC", true, false},
        {{1, 0, "sh", "/opt/c/revc"}, "revc", true, false},
        {{1, 0, "sleep", "evc"}, "evc", true, true},
        {{1, 0, "sh", "/opt/c/evc"}, "/opt/c/evc", false, true},
        {{1, 0, "revc", "/opt/c/revc"}, "evc", false, false},
        {{1, 0, "evc2", "/opt/evc/x"}, "evc", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProcessNameMatches(c.entry, c.name), c.matches) << c.entry.Argv0 << c.name;
        EXPECT_EQ(ProcessFullNameMatches(c.entry, c.name), c.fullMatches)
            << c.entry.Argv0 << c.name;
    }
}
