#include "engine/AdvanceSystem.h"
#include "engine/ui/QtEventPump.h"
#include "platform/LinuxProcessServices.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

using namespace clavenor;

TEST(QtEventPump, WaitEndsOnAWakeFromAnotherThreadAndServesEventsMeanwhile) {
    TQtEventPump pump;
    std::atomic<bool> flag{false};
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        flag = true;
        pump.Wake();
    });
    pump.WaitUntil([&] { return flag.load(); });
    worker.join();
    EXPECT_TRUE(timerRan);
}

TEST(QtEventPump, WaitNoticesAConditionThatChangesWithoutAnyEvent) {
    TQtEventPump pump;
    std::atomic<bool> flag{false};
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        flag = true; // no Wake: the periodic test must find it
    });
    pump.WaitUntil([&] { return flag.load(); });
    worker.join();
    EXPECT_TRUE(flag.load());
}

TEST(QtEventPump, WorkFromAWorkerRunsOnTheUiThreadAndErrorsStayThere) {
    TQtEventPump pump;
    std::string reported;
    pump.OnError = [&](const std::string& message) { reported = message; };
    QThread* uiThread = QThread::currentThread();
    std::atomic<bool> done{false};
    QThread* ranOn = nullptr;
    std::thread worker([&] {
        pump.RunOnUiThread([&] { ranOn = QThread::currentThread(); });
        pump.RunOnUiThread([] { throw std::runtime_error("refresh failed"); });
        done = true;
        pump.Wake();
    });
    pump.WaitUntil([&] { return done.load(); });
    worker.join();
    EXPECT_EQ(ranOn, uiThread);
    EXPECT_EQ(reported, "refresh failed");
}

TEST(QtEventPump, RunnerPiecesAreHandledOnTheUiThread) {
    char pattern[] = "/tmp/clavenor-pump-XXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern));
    const std::string folder = std::string(pattern) + "/";
    {
        std::ofstream script(folder + "evc");
        script << "#!/bin/sh\necho 'frame=1 time=1.00'\n";
    }
    std::filesystem::permissions(folder + "evc", std::filesystem::perms::owner_all);

    TQtEventPump pump;
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
        processes, pump, [&] { pump.Wake(); });
    runner.Start();
    pump.WaitUntil([&] { return runner.Finished(); });
    EXPECT_EQ(pieces, (std::vector<std::string>{"frame=1 time=1.00\n"}));
    EXPECT_TRUE(onUiThread);
    std::filesystem::remove_all(folder);
}
