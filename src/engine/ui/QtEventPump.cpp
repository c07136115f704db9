#include "engine/ui/QtEventPump.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <exception>

namespace clavenor {

TQtEventPump::TQtEventPump(QObject* parent) : QObject(parent) {}

void TQtEventPump::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

void TQtEventPump::WaitUntil(const std::function<bool()>& done) {
    // The ticks end a wait for events at least every 100 ms, for conditions that change
    // without an event (an encoder that this program did not start through a runner).
    QTimer tick;
    tick.start(100);
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TQtEventPump::Wake() {
    QMetaObject::invokeMethod(
        this, [] {}, Qt::QueuedConnection);
}

void TQtEventPump::RunOnUiThread(const std::function<void()>& work) {
    auto guarded = [this, &work] {
        try {
            work();
        } catch (const std::exception& error) {
            if (OnError)
                OnError(error.what());
            else
                qWarning("%s", error.what());
        }
    };
    if (QThread::currentThread() == thread())
        guarded();
    else
        QMetaObject::invokeMethod(this, guarded, Qt::BlockingQueuedConnection);
}

} // namespace clavenor
