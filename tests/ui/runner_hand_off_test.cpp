// The encoder runner over the application's Qt hand-off: every piece of output is handled on
// the UI thread while the runner waits.

#include "engine/AdvanceSystem.h"
#include "platform/LinuxProcessServices.h"
#include "shell/ui/QtPorts.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace clavenor;

TEST(RunnerHandOff, PiecesAreHandledOnTheUiThreadBeforeTheRunnerEnds) {
    char pattern[] = "/tmp/clavenor-handoff-XXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern));
    const std::string folder = std::string(pattern) + "/";
    {
        std::ofstream script(folder + "evc");
        script << "#!/bin/sh\necho 'frame=1 time=1.00'\nsleep 0.7\necho 'frame=2 time=2.00'\n";
    }
    std::filesystem::permissions(folder + "evc", std::filesystem::perms::owner_all);

    TQtUiHandOff handOff;
    TLinuxProcessServices processes;
    std::vector<std::string> pieces;
    QThread* uiThread = QThread::currentThread();
    bool onUiThread = true;
    TAdvanceSystem runner(
        {folder + "evc"}, folder,
        [&](const std::string& piece) {
            pieces.push_back(piece);
            onUiThread = onUiThread && QThread::currentThread() == uiThread;
        },
        processes, handOff);
    runner.Start();
    QTimer tick; // brings the loop back to test the condition
    tick.start(20);
    while (!runner.Finished())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(pieces, (std::vector<std::string>{"frame=1 time=1.00\n", "frame=2 time=2.00\n"}));
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(runner.ExitStatus(), 0);
    std::filesystem::remove_all(folder);
}
