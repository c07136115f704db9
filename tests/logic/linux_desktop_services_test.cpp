#include "platform/LinuxDesktopServices.h"

#include "ProcessTestSupport.h"

#include <gtest/gtest.h>

using namespace clavenor;
using namespace clavenor::testing;

namespace {

// Puts a folder of stand-ins for xdg-open and systemctl first on PATH for one test.
class DesktopServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        OldPath = path ? path : "";
        ::setenv("PATH", (Bin.Path() + ":" + OldPath).c_str(), 1);
        // Each stand-in writes one line per argument, then lingers so that a caller that
        // waited for it, or kept it as a child, would show.
        for (const char* name : {"xdg-open", "systemctl"})
            WriteScript(Bin.Path() + name, "for a in \"$@\"; do echo \"$a\"; done > \"$0.tmp\"\n"
                                           "mv \"$0.tmp\" \"$0.args\"\n"
                                           "sleep 0.2\n");
    }
    void TearDown() override { ::setenv("PATH", OldPath.c_str(), 1); }

    std::string ArgsOf(const std::string& name) {
        std::string file = Bin.Path() + name + ".args";
        Eventually([&] { return std::filesystem::exists(file); });
        return ReadFile(file);
    }

    TTempFolder Bin;
    std::string OldPath;
};

} // namespace

TEST_F(DesktopServicesTest, OpenHandsTheTargetAsOneArgumentAndKeepsNoChild) {
    TLinuxDesktopServices desktop;
    TLinuxProcessServices processes;
    ASSERT_TRUE(desktop.OpenWithDesktop("/tmp/my out -y \"x\"/"));
    EXPECT_EQ(ArgsOf("xdg-open"), "/tmp/my out -y \"x\"/\n");
    EXPECT_TRUE(processes.OwnDescendants().empty()) << "the opener is not ours to wait for";
}

TEST_F(DesktopServicesTest, PowerOffAsksSystemctl) {
    TLinuxDesktopServices desktop;
    ASSERT_TRUE(desktop.PowerOff());
    EXPECT_EQ(ArgsOf("systemctl"), "poweroff\n");
}

TEST_F(DesktopServicesTest, MissingHelperIsReported) {
    ::setenv("PATH", "/nonexistent", 1);
    TLinuxDesktopServices desktop;
    EXPECT_FALSE(desktop.OpenWithDesktop("/tmp/"));
    EXPECT_FALSE(desktop.PowerOff());
}
