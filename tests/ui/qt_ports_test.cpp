// The Qt message boxes behind ShowMessageBox and the stop questions: caption, icon by kind,
// buttons. Each box is answered from a timer while it runs.

#include "shell/ui/QtPorts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace clavenor;

namespace {

struct TSeenBox {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
};

// Answers the next modal message box with button, remembering what it showed.
void AnswerNextBox(TSeenBox& seen, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [&seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(button)->click();
    });
}

TEST(QtMessageBox, ShowsTheTextWithTheCaptionAndTheIconOfItsKind) {
    const std::pair<int, QMessageBox::Icon> kinds[] = {{0, QMessageBox::Critical},
                                                       {1, QMessageBox::Warning},
                                                       {2, QMessageBox::Question},
                                                       {3, QMessageBox::Information}};
    TQtMessageBox boxes;
    for (const auto& [kind, icon] : kinds) {
        SCOPED_TRACE(kind);
        TSeenBox seen;
        AnswerNextBox(seen, QMessageBox::Ok);
        boxes.ShowMessageBox("This is a read-only path.", kind);
        EXPECT_EQ(seen.Caption, "Clavenor");
        EXPECT_EQ(seen.Text, "This is a read-only path.");
        EXPECT_EQ(seen.Icon, icon);
        EXPECT_EQ(seen.Buttons, QMessageBox::Ok);
    }
}

TEST(QtMessageBox, QuestionsOfferYesAndNoAndReturnTheAnswer) {
    TQtMessageBox boxes;
    for (QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::No}) {
        TSeenBox seen;
        AnswerNextBox(seen, answer);
        const bool yes = boxes.AskYesNo("Are you sure to stop processing ?");
        EXPECT_EQ(yes, answer == QMessageBox::Yes);
        EXPECT_EQ(seen.Caption, "Clavenor");
        EXPECT_EQ(seen.Text, "Are you sure to stop processing ?");
        EXPECT_EQ(seen.Buttons, QMessageBox::Yes | QMessageBox::No);
    }
}

} // namespace
