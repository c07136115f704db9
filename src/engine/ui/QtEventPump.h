#pragma once
// The job's event pump and the runner's hand-off to the UI thread, over Qt's event loop.
// Create it on the UI thread; it lives as long as the job.

#include "engine/JobPorts.h"

#include <QObject>
#include <functional>
#include <string>

namespace clavenor {

class TQtEventPump : public QObject, public IEventPump, public IUiHandOff {
    Q_OBJECT
public:
    explicit TQtEventPump(QObject* parent = nullptr);

    void ProcessPendingEvents() override;
    // Runs the event loop until done() holds; a 100 ms timer and Wake() make it test again.
    void WaitUntil(const std::function<bool()>& done) override;
    void Wake() override;
    // Blocks the calling worker thread until work has run on the UI thread.
    void RunOnUiThread(const std::function<void()>& work) override;

    // Receives the text of an error that escaped work (the app shows it like any handler's
    // error); without a handler the error is printed as a warning.
    std::function<void(const std::string& message)> OnError;
};

} // namespace clavenor
