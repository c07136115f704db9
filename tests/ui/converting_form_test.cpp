// The progress window: its reset on showing, the refresh that reads the encoder's pieces of
// output, the animated status line, and its two stop commands.

#include "engine/ui/ConvertingForm.h"
#include "ui_fakes.h"

#include "shell/ui/Skin.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

using namespace clavenor;
using namespace clavenor_test;

namespace {

class TFakeProgressContext : public IProgressWindowContext {
public:
    TProgressInputs Inputs() const override { return In; }
    int& RefreshCount() override { return Refreshes; }
    std::string InputPath() const override { return Input; }
    void RequestStop() override { Calls.push_back("RequestStop"); }
    void RequestClose() override { Calls.push_back("RequestClose"); }
    void EnableMainWindow() override { Calls.push_back("EnableMainWindow"); }

    TProgressInputs In{0, 1, "60", "-vcodec mpeg4", ".mp4"};
    int Refreshes = 0;
    std::string Input = "/home/user/Videos/holiday.avi";
    std::vector<std::string> Calls;
};

class ConvertingFormTest : public ::testing::Test {
protected:
    // Delivers one piece of output as the job does: status text, then the refresh.
    void Deliver(const std::string& piece) {
        Form.SetStatusText(piece);
        Form.RefreshProgress();
    }

    TFakeProgressContext Context;
    TScriptedQuestions Questions;
    TfrmConverting Form{Context, Questions};
};

TEST_F(ConvertingFormTest, ShowingResetsTheWindowOnlyWhenItWasHidden) {
    Context.In.FilesTotal = 3;
    Form.Show();
    EXPECT_EQ(Form.lblPersent->text(), "Current: 1, Total: 3");
    EXPECT_EQ(Form.lblCurFileName->toolTip().toStdString(), Context.Input);
    EXPECT_EQ(Form.windowTitle(), "Converting");
    EXPECT_EQ(Form.ProgressBar1->maximum(), 1);
    EXPECT_EQ(Form.pbTotal->maximum(), 1);

    Context.Refreshes = 1;
    Deliver("a=1 b=2 c=3 d=12.34 e=5");
    EXPECT_EQ(Form.lblPersent->text(), "Current: 1 , Total: 3.");
    Form.Show(); // still shown: no reset
    EXPECT_EQ(Form.lblPersent->text(), "Current: 1 , Total: 3.");
    EXPECT_EQ(Form.ProgressBar1->value(), 12);

    Form.Hide();
    Form.Show();
    EXPECT_EQ(Form.lblPersent->text(), "Current: 1, Total: 3");
    EXPECT_EQ(Form.ProgressBar1->value(), 0);
}

TEST_F(ConvertingFormTest, TotalBarAndCounterFollowTheFilesDoneAndTheCurrentBar) {
    Context.In = TProgressInputs{1, 3, "60", "-vcodec mpeg4", ".mp4"};
    Form.Show();
    Context.Refreshes = 1; // the first piece of the file has passed
    Deliver("a=1 b=2 c=3 d=30.00 e=5");
    ASSERT_EQ(Form.ProgressBar1->maximum(), 60);
    ASSERT_EQ(Form.ProgressBar1->value(), 30);
    Deliver("frame=  10 fps=0.0 q=0.0 size=0kB time=");
    // 30 * 100 div 61 + 100: the current bar as the previous refresh left it.
    EXPECT_EQ(Form.pbTotal->maximum(), 300);
    EXPECT_EQ(Form.pbTotal->value(), 149);
    EXPECT_EQ(Form.lblPersent->text(), "Current: 2 , Total: 3.");
}

TEST_F(ConvertingFormTest, TheEncodersTimeMovesTheCurrentBar) {
    struct Case {
        const char* Codec;
        const char* Extension;
        const char* Piece;
        int Expected; // the bar starts at 7 of 60
    };
    const Case cases[] = {
        {"-vcodec mpeg4", ".mp4", "a=1 b=2 c=3 d=12.34 e=5", 12},         // field 4
        {" -acodec aac ", ".aac", "a=1 b=12.34 c=5", 12},                 // audio: field 2
        {"-vcodec mpeg4", ".mp4", "a=1 b=12.34 c=5", 7},                  // too few fields
        {"-acodec aac", ".3gp", "a=1 b=12.34 c=5", 7},                    // .3gp reads as video
        {"-vcodec mpeg4", ".mp4", "a=1 b=2 c=3 d=10000000000.00 e=5", 7}, // not known yet
        {"-acodec mp3", ".mp3", "a=1 b=10000000000.00 c=5", 7},
        {"-vcodec mpeg4", ".mp4", "", 7},                        // nothing delivered
        {"-vcodec mpeg4", ".mp4", "a=1 b=2 c=3 d=75.5 e=5", 60}, // kept within the bar
        // progress lines in the encoder's shape
        {"-vcodec mpeg4", ".mov",
         "frame=  123 q=3.0 Lsize=    1234kB time=41.20 bitrate= 228.0kbits/s", 41},
        {"-acodec libmp3lame", ".mp3", "size=     320kB time=41.20 bitrate=  64.0kbits/s", 41},
    };
    Form.Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Piece);
        Context.In.CodecFragment = c.Codec;
        Context.In.OutputExtension = c.Extension;
        Context.In.CutDuration = "60";
        Context.Refreshes = 5;
        Deliver("a=1 b=7 c=7 d=7 e=7");
        if (std::string(c.Codec).find("-acodec") != std::string::npos)
            Deliver(std::string(c.Extension) == ".3gp" ? "a=1 b=2 c=3 d=7 e=" : "a=1 b=7 c=");
        ASSERT_EQ(Form.ProgressBar1->value(), 7);
        Deliver(c.Piece);
        EXPECT_EQ(Form.ProgressBar1->value(), c.Expected);
        EXPECT_EQ(Form.findChild<QLabel*>("statStatePanel")->text(), QString(c.Piece).trimmed());
    }
}

TEST_F(ConvertingFormTest, TheFirstPieceOfAFileChangesOnlyTheStatusBar) {
    Context.In = TProgressInputs{0, 2, "60", "-vcodec mpeg4", ".mp4"};
    Form.Show();
    Context.Refreshes = 0;
    Deliver("a=1 b=2 c=3 d=12.34 e=5");
    EXPECT_EQ(Context.Refreshes, 1);
    EXPECT_EQ(Form.ProgressBar1->value(), 0);
    EXPECT_EQ(Form.ProgressBar1->maximum(), 1);
    EXPECT_EQ(Form.pbTotal->maximum(), 1);
    EXPECT_EQ(Form.lblPersent->text(), "Current: 1, Total: 2");
    EXPECT_EQ(Form.findChild<QLabel*>("statStatePanel")->text(), "a=1 b=2 c=3 d=12.34 e=5");
}

TEST_F(ConvertingFormTest, CutDurationThatIsNegativeOrNotANumberKeepsTheBarSound) {
    Form.Show();
    Context.Refreshes = 1;
    Context.In.CutDuration = "-15"; // an end before the start
    Deliver("a=1 b=2 c=3 d=12.34 e=5");
    EXPECT_EQ(Form.ProgressBar1->minimum(), 0);
    EXPECT_EQ(Form.ProgressBar1->maximum(), 0);
    EXPECT_EQ(Form.ProgressBar1->value(), 0);

    Context.In.CutDuration = "90";
    Deliver("a=1 b=2 c=3 d=12.34 e=5");
    EXPECT_EQ(Form.ProgressBar1->maximum(), 90);
    for (const char* text : {"", "abc", "1:30", "12.5"}) {
        SCOPED_TRACE(text);
        Context.In.CutDuration = text;
        Deliver("a=1 b=2 c=3 d=20.0 e=5");
        EXPECT_EQ(Form.ProgressBar1->maximum(), 90); // nothing learnt about the length
        EXPECT_EQ(Form.ProgressBar1->value(), 20);
    }
}

TEST_F(ConvertingFormTest, StatusLineAnimatesByTheCurrentBarsPosition) {
    Form.Show();
    std::vector<std::string> seen;
    for (int i = 0; i < 6; ++i) {
        Form.tmrChangingTimer();
        seen.push_back(Form.lblInfo->text().toStdString());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Installing convert information  |", "Installing convert information  /",
                        "Installing convert information  -", "Installing convert information  \\",
                        "Installing convert information  |", "Installing convert information  |"}));
    Context.In.CutDuration = "60";
    Context.Refreshes = 1;
    for (int position : {2, 3}) {
        Deliver("a=1 b=2 c=3 d=" + std::to_string(position) + ".0 e=5");
        Form.tmrChangingTimer();
        EXPECT_EQ(Form.lblInfo->text().toStdString(),
                  position < 3 ? "Installing convert information  /" : "Converting  -");
    }
    EXPECT_EQ(Form.tmrChanging->interval(), 500);
    EXPECT_TRUE(Form.tmrChanging->isActive());
}

TEST_F(ConvertingFormTest, StopAsksAndOnYesStopsTheJobAndEmptiesTheBars) {
    Context.In = TProgressInputs{1, 3, "60", "-vcodec mpeg4", ".mp4"};
    Form.Show();
    Context.Refreshes = 1;
    Deliver("a=1 b=2 c=3 d=30.00 e=5");

    Questions.Answers = {false};
    Form.btnStop->click();
    EXPECT_EQ(Questions.Asked.back(), "Are you sure you want to stop the work ? ");
    EXPECT_TRUE(Form.isVisible());
    EXPECT_TRUE(Context.Calls.empty());

    Questions.Answers = {true};
    Form.btnStop->click();
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Context.Calls, (std::vector<std::string>{"EnableMainWindow", "RequestStop"}));
    EXPECT_EQ(Form.lblPersent->text(), "Current: 1, Total: ...");
    EXPECT_EQ(Form.ProgressBar1->value(), 0);
    EXPECT_EQ(Form.pbTotal->maximum(), 0);
    EXPECT_EQ(Form.pbTotal->value(), 0);
}

TEST_F(ConvertingFormTest, CloseAsksAndNoKeepsTheWindowOpen) {
    Form.Show();
    Questions.Answers = {false, false};
    EXPECT_FALSE(Form.close());
    EXPECT_EQ(Questions.Asked.back(), "Are you sure to stop processing ?");
    EXPECT_TRUE(Form.isVisible());
    Form.btnClose->click(); // the caption bar's close button is the same command
    EXPECT_EQ(Questions.Asked.size(), 2u);
    EXPECT_TRUE(Form.isVisible());
    EXPECT_TRUE(Context.Calls.empty());

    // Esc is the close command too.
    Questions.Answers = {true};
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&Form, &escape);
    EXPECT_EQ(Questions.Asked.size(), 3u);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Context.Calls, (std::vector<std::string>{"EnableMainWindow", "RequestClose"}));
}

TEST_F(ConvertingFormTest, HidingByTheJobAsksNothing) {
    Form.Show();
    Form.Hide();
    EXPECT_FALSE(Form.isVisible());
    EXPECT_TRUE(Questions.Asked.empty());
}

} // namespace
