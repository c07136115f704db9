// The general error display: an error that escapes an event handler or a timer tick is
// caught in the application's notify, shown with its text (and a full stop where the text
// ends in a letter, a digit or another character above "."), and the program goes on.

#include "shell/ui/ClavenorApplication.h"

#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace clavenor;

namespace {

class TThrowingObject : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error(Message);
        if (e->type() == QEvent::User + 1)
            throw 42; // not an exception class at all
        if (e->type() == QEvent::User + 2) {
            ++Handled;
            return true;
        }
        return QObject::event(e);
    }
    std::string Message;
    int Handled = 0;
};

class GeneralErrorDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        App = dynamic_cast<TClavenorApplication*>(QCoreApplication::instance());
        ASSERT_NE(App, nullptr);
        App->SetErrorDisplay([this](const std::string& text) { Shown.push_back(text); });
    }
    void TearDown() override {
        if (App)
            App->SetErrorDisplay([](const std::string& text) {
                std::fprintf(stderr, "general error display: %s\n", text.c_str());
            });
    }
    TClavenorApplication* App = nullptr;
    std::vector<std::string> Shown;
};

TEST_F(GeneralErrorDisplayTest, ShowsTheErrorTextWithAFullStopAfterLettersAndDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"Disk full", "Disk full."},
        {"code 42", "code 42."},
        {"Really?", "Really?."}, // "?" lies above "." as well
        {"Stopped.", "Stopped."},
        {"Done!", "Done!"},
        {"Error (5)", "Error (5)"},
        {"dash-", "dash-"},      // "-" lies below "."
        {"folder/", "folder/."}, // "/" lies above "."
        {"Zu groß", "Zu groß."}, // a multi-byte letter at the end
        {"", ""},
    };
    TThrowingObject target;
    for (const auto& [message, expected] : cases) {
        SCOPED_TRACE(message);
        target.Message = message;
        QEvent e(QEvent::User);
        Shown.clear();
        EXPECT_FALSE(QCoreApplication::sendEvent(&target, &e));
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_EQ(Shown[0], expected);
    }
}

TEST_F(GeneralErrorDisplayTest, ErrorsFromTimerTicksAndQueuedEventsAreShownAndTheProgramGoesOn) {
    TThrowingObject target;
    QTimer::singleShot(0, [] { throw std::runtime_error("Tick failed"); });
    QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 1)));
    QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 2)));
    for (int i = 0; i < 20 && target.Handled == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(Shown, (std::vector<std::string>{"Tick failed.", "Unknown error."}));
    EXPECT_EQ(target.Handled, 1); // the event after the failures is handled as usual
}

} // namespace
