#pragma once
// A stand-in for the UI thread's event loop, for tests without Qt: the thread that creates it
// is the UI thread; other threads post work to it, which runs when the UI thread processes
// events. Tests post "user actions" (a Stop click) the same way.

#include "engine/JobPorts.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace clavenor::testing {

class TFakeUiLoop : public IEventPump, public IUiHandOff {
public:
    // Any thread: queues work as an event of the UI thread.
    void Post(std::function<void()> work) {
        {
            std::lock_guard lock(Mutex);
            Queue.push_back(std::move(work));
        }
        Changed.notify_all();
    }

    void RunOnUiThread(const std::function<void()>& work) override {
        if (std::this_thread::get_id() == UiThread) {
            work();
            return;
        }
        bool done = false;
        Post([&] {
            try {
                work();
            } catch (...) {
                ++EscapedErrors; // the general error display's part
            }
            std::lock_guard lock(Mutex);
            done = true;
            Changed.notify_all();
        });
        std::unique_lock lock(Mutex);
        Changed.wait(lock, [&] { return done; });
    }

    void ProcessPendingEvents() override {
        ++ProcessCalls;
        std::deque<std::function<void()>> now;
        {
            std::lock_guard lock(Mutex);
            now.swap(Queue);
        }
        for (auto& work : now)
            work();
    }

    void WaitUntil(const std::function<bool()>& done) override {
        ++WaitCalls;
        while (!done()) {
            {
                std::unique_lock lock(Mutex);
                Changed.wait_for(lock, std::chrono::milliseconds(100),
                                 [&] { return !Queue.empty() || Woken; });
                Woken = false;
            }
            ProcessPendingEvents();
        }
    }

    void Wake() override {
        {
            std::lock_guard lock(Mutex);
            Woken = true;
        }
        Changed.notify_all();
    }

    std::thread::id UiThread = std::this_thread::get_id();
    int ProcessCalls = 0;
    int WaitCalls = 0;
    int EscapedErrors = 0;

private:
    std::mutex Mutex;
    std::condition_variable Changed;
    std::deque<std::function<void()>> Queue;
    bool Woken = false;
};

} // namespace clavenor::testing
