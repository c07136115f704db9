#include "engine/AdvanceSystem.h"

#include "FakeUiLoop.h"
#include "ProcessTestSupport.h"

#include <gtest/gtest.h>

using namespace clavenor;
using namespace clavenor::testing;
using Clock = std::chrono::steady_clock;

namespace {

// A program folder with a fake encoder `evc` written at test time.
class RunnerTest : public ::testing::Test {
protected:
    std::string Evc() const { return Folder.Path() + "evc"; }

    // Runs the encoder on this thread and records every piece with its time.
    bool Run(const std::vector<std::string>& args, TRunControl* control = nullptr) {
        return RunCapturedProcess(
            Processes, args, Folder.Path(),
            [&](const std::string& piece) {
                Pieces.push_back(piece);
                Times.push_back(Clock::now());
            },
            control);
    }

    TTempFolder Folder;
    TLinuxProcessServices Processes;
    std::vector<std::string> Pieces;
    std::vector<Clock::time_point> Times;
};

std::string Pattern(std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i)
        text += static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return text;
}

} // namespace

TEST_F(RunnerTest, SilentEncoderEndsWithoutCallback) {
    WriteScript(Evc(), "exit 0\n");
    EXPECT_TRUE(Run({Evc()}));
    EXPECT_TRUE(Pieces.empty());
}

TEST_F(RunnerTest, EncoderThatCannotStartGivesFalseWithoutCallback) {
    EXPECT_FALSE(Run({Evc(), "-y"})) << "missing executable";
    EXPECT_FALSE(Run({})) << "no command line";
    EXPECT_TRUE(Pieces.empty());
}

TEST_F(RunnerTest, OutputWrittenAtOnceIsDrainedAndOnlyTheLastPieceDelivered) {
    // 3000 bytes in one write: reads of 1023, 1023 and 954 bytes; only the last is passed on.
    const std::string data = Pattern(3000);
    WriteFile(Folder.Path() + "out.bin", data);
    WriteScript(Evc(), "cat out.bin\n");
    EXPECT_TRUE(Run({Evc()}));
    ASSERT_EQ(Pieces.size(), 1u);
    EXPECT_EQ(Pieces[0], data.substr(2046));
}

TEST_F(RunnerTest, SteadyOutputIsDeliveredAsItWaitedAtMostOncePer500Ms) {
    WriteScript(Evc(), "i=0\n"
                       "while [ $i -lt 15 ]; do echo \"frame=$i time=$i.00\"; i=$((i+1)); "
                       "sleep 0.1; done\n");
    EXPECT_TRUE(Run({Evc()}));
    std::string all;
    for (int i = 0; i < 15; ++i)
        all += "frame=" + std::to_string(i) + " time=" + std::to_string(i) + ".00\n";
    std::string joined;
    for (const std::string& piece : Pieces)
        joined += piece;
    EXPECT_EQ(joined, all) << "each piece holds what was waiting; nothing is lost";
    ASSERT_GE(Pieces.size(), 2u);
    // The runner pauses 500 ms after each piece while the encoder runs; only the piece that
    // it finds when the encoder has ended comes without that pause.
    for (std::size_t i = 1; i + 1 < Times.size(); ++i)
        EXPECT_GE(Times[i] - Times[i - 1], std::chrono::milliseconds(500)) << "piece " << i;
}

TEST_F(RunnerTest, OutputWaitingAtTheEndIsDeliveredAndNothingWaitsForStrays) {
    // The last words come right before the end, and a stray grandchild keeps the pipe open:
    // the run still ends with the encoder and passes on what was waiting then.
    WriteScript(Evc(), "echo first\nsleep 0.1\n"
                       "sleep 30 &\necho $! > stray.pid\n"
                       "echo error: cannot write output\nexit 1\n");
    TRunControl control;
    EXPECT_TRUE(Run({Evc()}, &control));
    const int stray = std::stoi(ReadFile(Folder.Path() + "stray.pid"));
    EXPECT_TRUE(ProcessAlive(stray)) << "the run did not wait for the stray's end";
    ::kill(stray, SIGKILL);
    ASSERT_FALSE(Pieces.empty());
    EXPECT_NE(Pieces.back().find("error: cannot write output"), std::string::npos);
    EXPECT_EQ(control.Outcome(), TRunOutcome::Ended);
    EXPECT_EQ(control.ExitStatus(), 1);
}

TEST_F(RunnerTest, TerminationBeforeTheStartStartsNothing) {
    WriteScript(Evc(), "touch started\n");
    TRunControl control;
    control.Terminate();
    EXPECT_FALSE(Run({Evc()}, &control));
    EXPECT_EQ(control.Outcome(), TRunOutcome::NotStarted);
    EXPECT_FALSE(std::filesystem::exists(Folder.Path() + "started"));
}

TEST_F(RunnerTest, TerminationOfARunningEncoderKillsIt) {
    LinkSleeper(Evc());
    TRunControl control;
    std::thread stopper([&] {
        Eventually([&] { return control.Outcome() == TRunOutcome::Running; });
        control.Terminate();
    });
    EXPECT_TRUE(Run({Evc(), "60"}, &control));
    stopper.join();
    EXPECT_EQ(control.Outcome(), TRunOutcome::Ended);
    EXPECT_EQ(control.ExitStatus(), 128 + SIGKILL);
    EXPECT_TRUE(Processes.OwnDescendants().empty());
}

// A callback that throws ends the run: the encoder is killed and reaped, the run counts as
// ended, and a later termination request finds nothing left to kill.
TEST_F(RunnerTest, ACallbackThatThrowsEndsTheRunAndLeavesNothingBehind) {
    WriteScript(Evc(), "echo working\nexec sleep 60\n");
    TRunControl control;
    EXPECT_THROW(RunCapturedProcess(
                     Processes, {Evc()}, Folder.Path(),
                     [](const std::string&) { throw std::runtime_error("refresh failed"); },
                     &control),
                 std::runtime_error);
    EXPECT_EQ(control.Outcome(), TRunOutcome::Ended);
    control.Terminate();
    EXPECT_TRUE(Processes.OwnDescendants().empty());
}

TEST_F(RunnerTest, RunnerHandsPiecesToTheUiThreadAndEndsOnlyOnceTheyAreHandled) {
    WriteScript(Evc(), "echo 'frame=1 time=00:00:01'\nexit 0\n");
    TFakeUiLoop ui;
    std::vector<std::string> handled;
    std::vector<std::thread::id> handledOn;
    int changes = 0;
    std::mutex changesMutex;
    TAdvanceSystem runner(
        {Evc()}, Folder.Path(),
        [&](const std::string& piece) {
            handled.push_back(piece);
            handledOn.push_back(std::this_thread::get_id());
        },
        Processes, ui,
        [&] {
            std::lock_guard lock(changesMutex);
            ++changes;
        });
    EXPECT_FALSE(runner.StartSettled());
    runner.Start();
    // The encoder prints and ends, but the runner waits on its piece: it is not finished
    // until the UI thread has handled it.
    ASSERT_TRUE(Eventually([&] { return runner.StartSettled(); }));
    ASSERT_TRUE(Eventually([&] { return Processes.OwnDescendants().empty(); }));
    EXPECT_FALSE(runner.Finished());
    EXPECT_TRUE(handled.empty());
    ui.WaitUntil([&] { return runner.Finished(); });
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_EQ(handled[0], "frame=1 time=00:00:01\n");
    EXPECT_EQ(handledOn[0], std::this_thread::get_id());
    EXPECT_EQ(runner.Outcome(), TRunOutcome::Ended);
    EXPECT_EQ(runner.ExitStatus(), 0);
    std::lock_guard lock(changesMutex);
    EXPECT_EQ(changes, 3) << "started, ended, finished";
}
