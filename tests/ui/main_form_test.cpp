// The main window: shortcuts, size and outline, drag, the output folder choice, the user
// settings at start and close, and its small commands.

#include "../logic/temp_folder.h"
#include "foundation/IniFiles32.h"
#include "platform/FakeDesktopServices.h"
#include "settings/ConversionSettings.h"
#include "shell/CodecLink.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/Skin.h"
#include "ui_fakes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace clavenor;
using namespace clavenor_test;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(Program.Path() + "Config");
        HomeFolder = Home.Path().substr(0, Home.Path().size() - 1); // no trailing "/"
        Messages.Log = &Log;
        Application.Log = &Log;
    }

    TFrmMainForm& MakeForm() {
        Form = std::make_unique<TFrmMainForm>(
            Program.Path(), HomeFolder, Settings,
            TMainFormPorts{Messages, Browser, Desktop, Events, Application, Commands});
        return *Form;
    }

    TFrmMainForm& ShowForm() {
        TFrmMainForm& form = MakeForm();
        form.show();
        QCoreApplication::processEvents();
        return form;
    }

    std::string SettingsFile() const { return Program.Path() + "Config/UserSettings.ini"; }

    TempFolder Program;
    TempFolder Home;
    TempFolder Work; // folders the user picks
    std::string HomeFolder;
    std::vector<std::string> Log;
    ConversionSettings Settings;
    TRecordingMessageBox Messages;
    TScriptedFolderBrowser Browser;
    TFakeDesktopServices Desktop;
    TQtPendingEvents Events;
    TRecordingApplication Application;
    TRecordingCommands Commands;
    std::unique_ptr<TFrmMainForm> Form;
};

// --- shortcuts ---

struct ShortcutCase {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    const char* Expected; // clicked button's name, "OpenHelp", or "" for nothing
};

TEST_F(MainFormTest, ShortcutsClickTheirButtonsOnlyWithCtrlAloneAndF1WithAnyModifier) {
    const ShortcutCase cases[] = {
        {Qt::Key_O, Qt::ControlModifier, "btnOpenFile"},
        {Qt::Key_R, Qt::ControlModifier, "btnRemoveFile"},
        {Qt::Key_L, Qt::ControlModifier, "btnClearFile"},
        {Qt::Key_I, Qt::ControlModifier, "btnOptions"},
        {Qt::Key_P, Qt::ControlModifier, "btnPlay"},
        {Qt::Key_U, Qt::ControlModifier, "btnPause"},
        {Qt::Key_T, Qt::ControlModifier, "btnStop"},
        {Qt::Key_S, Qt::ControlModifier, "btnConvert"},
        {Qt::Key_N, Qt::ControlModifier, "btnConvert"},
        {Qt::Key_B, Qt::ControlModifier, "btnSelectOutputFolder"},
        {Qt::Key_F1, Qt::NoModifier, "OpenHelp"},
        {Qt::Key_F1, Qt::ShiftModifier, "OpenHelp"},
        {Qt::Key_F1, Qt::ControlModifier, "OpenHelp"},
        {Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, "OpenHelp"},
        {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, ""},
        {Qt::Key_S, Qt::ControlModifier | Qt::AltModifier, ""},
        {Qt::Key_O, Qt::AltModifier, ""},
        {Qt::Key_S, Qt::NoModifier, ""},
        {Qt::Key_Q, Qt::ControlModifier, ""},
        {Qt::Key_F2, Qt::ControlModifier, ""},
    };
    TFrmMainForm& form = ShowForm();
    form.edtOutputFolder->setText(QString::fromStdString(Work.Path() + "out"));
    std::vector<std::string> clicked;
    for (QAbstractButton* b : form.findChildren<QAbstractButton*>())
        QObject::connect(b, &QAbstractButton::clicked,
                         [&clicked, b] { clicked.push_back(b->objectName().toStdString()); });

    form.activateWindow();
    form.cbbProfile->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), form.cbbProfile);

    for (const ShortcutCase& c : cases) {
        SCOPED_TRACE(QKeySequence(c.Key | c.Modifiers).toString().toStdString());
        clicked.clear();
        Commands.Calls.clear();
        QKeyEvent press(QEvent::KeyPress, c.Key, c.Modifiers);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        std::vector<std::string> expected;
        if (std::string(c.Expected) == "OpenHelp") {
            EXPECT_EQ(Commands.Calls, std::vector<std::string>{"OpenHelp"});
        } else if (*c.Expected) {
            expected.push_back(c.Expected);
        }
        EXPECT_EQ(clicked, expected);
        if (!*c.Expected) {
            EXPECT_TRUE(Commands.Calls.empty());
        }
    }
}

TEST_F(MainFormTest, ShortcutsDoNotActWhileTheWindowIsDisabled) {
    TFrmMainForm& form = ShowForm();
    int converts = 0;
    QObject::connect(form.btnConvert, &QAbstractButton::clicked, [&] { ++converts; });
    form.activateWindow();
    form.cbbProfile->setFocus();
    QCoreApplication::processEvents();
    form.setEnabled(false); // as during a conversion
    QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
    QApplication::sendEvent(&form, &press);
    EXPECT_EQ(converts, 0);
}

// --- size, outline, drag ---

TEST_F(MainFormTest, ResizingNeverGoesBelowTheMinimumAndTheListStaysInsideTheOutline) {
    TFrmMainForm& form = ShowForm();
    for (QSize request : {QSize(300, 200), QSize(686, 456), QSize(692, 519), QSize(800, 600)}) {
        SCOPED_TRACE(request.width());
        form.resize(request);
        QCoreApplication::processEvents();
        EXPECT_GE(form.width(), TFrmMainForm::kMinimumWidth);
        EXPECT_GE(form.height(), TFrmMainForm::kMinimumHeight);
        // The list is anchored to the picture's visible outline, never below it.
        const QRect grid = form.dxTreeSourceFileInfo->geometry();
        EXPECT_EQ(grid.topLeft(), QPoint(22, 292));
        EXPECT_LE(grid.bottom() + 1, TFrmMainForm::kDesignHeight - 26);
        EXPECT_LE(grid.right() + 1, TFrmMainForm::kDesignWidth - 145);
    }
}

TEST_F(MainFormTest, WindowIsCutToTheOutlineOfItsBackgroundPicture) {
    TFrmMainForm& form = ShowForm();
    const QRegion region = form.WindowRegion();
    ASSERT_FALSE(region.isEmpty());
    // The body and the controls are inside; the rounded corners (the picture's transparent
    // colour) and everything below the picture are cut away.
    for (QPoint inside : {QPoint(346, 228), QPoint(5, 228), QPoint(686, 228), QPoint(346, 452),
                          QPoint(form.btnConvert->geometry().center())})
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(0, 0), QPoint(691, 0), QPoint(0, 455), QPoint(691, 455),
                           QPoint(346, 470), QPoint(346, 518)})
        EXPECT_FALSE(region.contains(outside)) << outside.x() << "," << outside.y();
}

TEST_F(MainFormTest, TitleAndBackgroundDragTheWindow) {
    TFrmMainForm& form = ShowForm();
    struct Grip {
        QWidget* Widget;
        QPoint Local;
    };
    for (const Grip& grip : {Grip{form.lblTitle, QPoint(200, 10)}, Grip{&form, QPoint(300, 445)}}) {
        const QPoint before = form.pos();
        const QPoint global = grip.Widget->mapToGlobal(grip.Local);
        QMouseEvent press(QEvent::MouseButtonPress, grip.Local, global, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grip.Widget, &press);
        const QPoint to = global + QPoint(40, 25);
        QMouseEvent move(QEvent::MouseMove, grip.Widget->mapFromGlobal(to), to, Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, grip.Widget->mapFromGlobal(to), to,
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &release);
        EXPECT_EQ(form.pos(), before + QPoint(40, 25)) << grip.Widget->objectName().toStdString();
    }
}

// --- output folder ---

TEST_F(MainFormTest, ChoosingAWritableFolderTakesItAndLeavesNoProbeBehind) {
    TFrmMainForm& form = ShowForm();
    const std::string chosen = Work.Path() + "videos";
    fs::create_directory(chosen);
    Browser.Choice = chosen;
    form.RzBmpButton1->click();
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), chosen);
    EXPECT_FALSE(fs::exists(chosen + "/test"));
    EXPECT_TRUE(Messages.Shown.empty());
    EXPECT_EQ(Browser.Prompts, std::vector<std::string>{"Please select output folder:"});
}

TEST_F(MainFormTest, ChoosingAReadOnlyFolderWarnsAndKeepsTheOldFolder) {
    TFrmMainForm& form = ShowForm();
    const std::string kept = Work.Path() + "kept";
    fs::create_directory(kept);
    form.edtOutputFolder->setText(QString::fromStdString(kept));
    std::string readOnly = Work.Path() + "readonly";
    fs::create_directory(readOnly);
    ::chmod(readOnly.c_str(), 0555);
    if (::geteuid() == 0)
        readOnly = "/proc"; // permissions do not stop root; /proc refuses new folders
    Browser.Choice = readOnly;
    form.RzBmpButton1->click();
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), kept);
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0], std::make_pair(std::string("This is a read-only path."), 1));
    ::chmod((Work.Path() + "readonly").c_str(), 0755);
}

TEST_F(MainFormTest, ChoosingAPathThatDoesNotExistWarnsThatItIsInvalid) {
    TFrmMainForm& form = ShowForm();
    const std::string kept = Work.Path() + "kept";
    fs::create_directory(kept);
    form.edtOutputFolder->setText(QString::fromStdString(kept));
    Browser.Choice = Work.Path() + "gone/away";
    form.RzBmpButton1->click();
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), kept);
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0], std::make_pair(std::string("The path is invalid."), 1));
    EXPECT_FALSE(fs::exists(Work.Path() + "gone"));
}

TEST_F(MainFormTest, CancellingCreatesTheMissingKeptFolder) {
    TFrmMainForm& form = ShowForm();
    const std::string kept = Work.Path() + "not/yet/there";
    form.edtOutputFolder->setText(QString::fromStdString(kept));
    Browser.Choice.reset();
    form.btnSelectOutputFolder->click(); // the hidden twin of RzBmpButton1 (Ctrl+B)
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), kept);
    EXPECT_TRUE(fs::is_directory(kept));
    EXPECT_TRUE(Messages.Shown.empty());
}

TEST_F(MainFormTest, TheProbeNeverRemovesWhatTheUserAlreadyHad) {
    TFrmMainForm& form = ShowForm();
    // A "test" folder of the user's, and in another folder a file named "test".
    const std::string withFolder = Work.Path() + "a";
    fs::create_directories(withFolder + "/test");
    const std::string withFile = Work.Path() + "b";
    fs::create_directory(withFile);
    WriteWholeFile(withFile + "/test", "precious");

    Browser.Choice = withFolder;
    form.RzBmpButton1->click();
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), withFolder);
    EXPECT_TRUE(fs::is_directory(withFolder + "/test"));

    Browser.Choice = withFile;
    form.RzBmpButton1->click();
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), withFolder);
    EXPECT_EQ(ReadWholeFile(withFile + "/test"), "precious");
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].first, "This is a read-only path.");
}

// --- user settings ---

TEST_F(MainFormTest, FirstRunShowsTheDefaultsEvenThoughTheDesignTicksTheDirectoryBox) {
    TFrmMainForm& form = MakeForm();
    EXPECT_TRUE(form.chkShowOutputDirectory->isChecked()); // design state, before showing
    form.show();
    EXPECT_FALSE(form.chkShowOutputDirectory->isChecked());
    EXPECT_FALSE(form.chkShutdown->isChecked());
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), HomeFolder + "/Clavenor");
    EXPECT_FALSE(fs::exists(SettingsFile())); // reading writes nothing
}

TEST_F(MainFormTest, StartReadsTheSettingsAndOnlyOneTicksABox) {
    struct Case {
        const char* ShowDir;
        const char* Shutdown;
        const char* OutDir;
        bool ShowDirTicked;
        bool ShutdownTicked;
        std::string Folder;
    };
    const Case cases[] = {
        {"1", "1", "/media/player/Videos", true, true, "/media/player/Videos"},
        {"2", "yes", "/srv/out", false, false, "/srv/out"},
        {" 1 ", "0", "", true, false, ""}, // blanks dropped; empty OutDir keeps the default
        {"true", "01", "/x", false, false, "/x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ShowDir) + "|" + c.Shutdown);
        WriteWholeFile(SettingsFile(), std::string("\r\n[USRInfo]\r\nInitDir=/tmp/\r\nSHWDDir=") +
                                           c.ShowDir + "\r\nSHUTDOWN=" + c.Shutdown +
                                           "\r\nOutDir=" + c.OutDir + "\r\n");
        TFrmMainForm& form = ShowForm();
        EXPECT_EQ(form.chkShowOutputDirectory->isChecked(), c.ShowDirTicked);
        EXPECT_EQ(form.chkShutdown->isChecked(), c.ShutdownTicked);
        const std::string folder = c.Folder.empty() ? HomeFolder + "/Clavenor" : c.Folder;
        EXPECT_EQ(form.edtOutputFolder->text().toStdString(), folder);
        Form.reset();
    }
}

TEST_F(MainFormTest, AnUnreadableSettingsFileIsReportedAndTheStartGoesOn) {
    fs::create_directory(SettingsFile()); // a folder where the file should be: unreadable
    TFrmMainForm& form = ShowForm();
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_NE(Messages.Shown[0].first.find("UserSettings.ini"), std::string::npos);
    EXPECT_EQ(Messages.Shown[0].second, 0);
    // The first run's state, and the rest of the start took place.
    EXPECT_FALSE(form.chkShowOutputDirectory->isChecked());
    EXPECT_EQ(form.edtOutputFolder->text().toStdString(), HomeFolder + "/Clavenor");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::FrameRate), "15"); // preset applied
}

TEST_F(MainFormTest, ClosingReleasesThePreviewSavesTheSettingsAndThenEndsTheProgram) {
    TFrmMainForm& form = ShowForm();
    form.edtOutputFolder->setText("/media/player/Videos");
    form.chkShowOutputDirectory->setChecked(true);
    form.chkShutdown->setChecked(false);
    Commands.Calls.clear();
    form.btnWindowClose->click();

    EXPECT_EQ(Commands.Calls, std::vector<std::string>{"ReleasePreview"});
    EXPECT_EQ(Application.Ends, 1);
    TIniFile32 ini(SettingsFile());
    EXPECT_EQ(ini.ReadString("USRInfo", "SHWDDir", "?"), "1");
    EXPECT_EQ(ini.ReadString("USRInfo", "SHUTDOWN", "?"), "0");
    EXPECT_EQ(ini.ReadString("USRInfo", "OutDir", "?"), "/media/player/Videos");

    // The next start shows what was saved.
    Form.reset();
    TFrmMainForm& again = ShowForm();
    EXPECT_TRUE(again.chkShowOutputDirectory->isChecked());
    EXPECT_FALSE(again.chkShutdown->isChecked());
    EXPECT_EQ(again.edtOutputFolder->text(), "/media/player/Videos");
}

// A folder name that is not valid UTF-8 (Latin-1 "é" here) is the user's folder all the same:
// keeping the field's text open to the user must not turn it into another name on the way.
TEST_F(MainFormTest, AnOutputFolderThatIsNotUtf8KeepsItsBytes) {
    const std::string folder = Work.Path() + "caf\xE9/out";
    WriteWholeFile(SettingsFile(),
                   "[USRInfo]\r\nSHWDDir=1\r\nSHUTDOWN=0\r\nOutDir=" + folder + "\r\n");
    TFrmMainForm& form = ShowForm();

    Browser.Choice.reset(); // cancelled: the shown folder is created
    form.RzBmpButton1->click();
    EXPECT_TRUE(fs::is_directory(folder));

    form.close();
    EXPECT_EQ(TIniFile32(SettingsFile()).ReadString("USRInfo", "OutDir", "?"), folder);
}

TEST_F(MainFormTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds) {
    TFrmMainForm& form = ShowForm();
    fs::remove_all(Program.Path() + "Config");
    form.close();
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_NE(Messages.Shown[0].first.find("UserSettings.ini"), std::string::npos);
    EXPECT_EQ(Messages.Shown[0].second, 0);
    EXPECT_EQ(Log.back(), "end program");
}

// --- settings selectors ---

TEST_F(MainFormTest, StartFillsTheSelectorsAndAppliesTheNormalQualityPreset) {
    TFrmMainForm& form = ShowForm();
    ASSERT_EQ(form.cbbOutputFiletype->count(), 5);
    EXPECT_EQ(form.cbbOutputFiletype->currentText(), "iPod MPEG-4 Video Files (*.mp4)");
    ASSERT_EQ(form.cbbProfile->count(), 5);
    EXPECT_EQ(form.cbbProfile->currentText(), "Normal Quality");
    // "1|1|2|5|1|2" applied.
    EXPECT_EQ(Settings.Index(TAdvancedOption::VideoSize), -1);
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::FrameRate), "15");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::VideoBitrate), "128");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioBitrate), "128");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioSample), "44100");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioChannels), "2 channels, Stereo");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AspectRatio), "4:3");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioVolume), "200");
}

TEST_F(MainFormTest, PickingAnOutputTypeOrAProfileAppliesItsPreset) {
    TFrmMainForm& form = ShowForm();
    // The user picks the second output type at "Normal Quality": "1|1|2|5|0|0".
    form.cbbOutputFiletype->setCurrentIndex(1);
    emit form.cbbOutputFiletype->activated(1);
    EXPECT_EQ(Settings.OutputType(), 1);
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioChannels), "1 channel, Mono");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioSample), "22050");
    form.cbbOutputFiletype->setCurrentIndex(0);
    emit form.cbbOutputFiletype->activated(0);
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioChannels), "2 channels, Stereo");
    EXPECT_EQ(Settings.SelectedText(TAdvancedOption::AudioSample), "44100");

    // A built-in level keeps the user's aspect ratio.
    Settings.Select(TAdvancedOption::AspectRatio, 1);
    form.cbbProfile->setCurrentIndex(4);
    emit form.cbbProfile->activated(4);
    EXPECT_EQ(Settings.Profile(), 4);
    EXPECT_EQ(Settings.Index(TAdvancedOption::AspectRatio), 1);

    // A change made by the program shows in the selectors without applying anything.
    const int channels = Settings.Index(TAdvancedOption::AudioChannels);
    Settings.SetOutputType(2);
    Settings.SetProfile(0);
    EXPECT_EQ(form.cbbOutputFiletype->currentIndex(), 2);
    EXPECT_EQ(form.cbbProfile->currentIndex(), 0);
    EXPECT_EQ(Settings.Index(TAdvancedOption::AudioChannels), channels);
}

// --- small commands ---

TEST_F(MainFormTest, LinkButtonsAndTheCodecLinkReachTheirCommands) {
    TFrmMainForm& form = ShowForm();
    Commands.Calls.clear();
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(form.btnHomePage),
          static_cast<QAbstractButton*>(form.btnEMail), static_cast<QAbstractButton*>(form.btnHelp),
          static_cast<QAbstractButton*>(form.btnAbout),
          static_cast<QAbstractButton*>(form.btnOptions)})
        b->click();
    EXPECT_EQ(Commands.Calls, (std::vector<std::string>{"OpenHomePage", "SendSupportEmail",
                                                        "OpenHelp", "ShowAbout", "ShowOptions"}));
    const QPoint inside = form.Label3->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, inside, form.Label3->mapToGlobal(inside),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, form.Label3->mapToGlobal(inside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.Label3, &press);
    QApplication::sendEvent(form.Label3, &release);
    EXPECT_EQ(Desktop.Opened, std::vector<std::string>{kCodecDownloadAddress});
}

TEST_F(MainFormTest, UpdateCommandWritesTheUpdaterSettingsOnlyWhenTheyExist) {
    TFrmMainForm& form = ShowForm();
    const std::string updater = Program.Path() + "UpDateSettings.ini";
    form.btnUpdate->click();
    EXPECT_FALSE(fs::exists(updater));

    WriteWholeFile(updater, "[AutoUpdate]\nUpdateModalUsr=false\nUpdateTodayExeced=true\n");
    form.btnUpdate->click();
    QSettings ini(QString::fromStdString(updater), QSettings::IniFormat);
    EXPECT_EQ(ini.value("AutoUpdate/UpdateModalUsr").toString(), "true");
    EXPECT_EQ(ini.value("AutoUpdate/UpdateTodayExeced").toString(), "false");
}

TEST_F(MainFormTest, LayoutPlacesEveryControlWithItsTextAndHint) {
    TFrmMainForm& form = MakeForm();
    struct Place {
        const char* Name;
        QRect Geometry;
        const char* Hint;
    };
    const Place places[] = {
        {"lblTitle", QRect(63, 32, 537, 27), ""},
        {"btnWindowMinimize", QRect(606, 28, 25, 25), ""},
        {"btnWindowClose", QRect(640, 28, 25, 25), ""},
        {"btnHomePage", QRect(406, 73, 48, 48), ""},
        {"btnEMail", QRect(459, 73, 48, 48), ""},
        {"btnHelp", QRect(565, 73, 48, 48), ""},
        {"btnAbout", QRect(618, 73, 48, 48), ""},
        {"DSVideoWindowEx1", QRect(26, 76, 253, 152), ""},
        {"Image1", QRect(290, 125, 379, 5), ""},
        {"cbbOutputFiletype", QRect(368, 133, 297, 21), ""},
        {"cbbProfile", QRect(368, 160, 217, 21), ""},
        {"btnOptions", QRect(595, 160, 70, 20), "Ctrl + N"},
        {"edtOutputFolder", QRect(368, 188, 217, 21), ""},
        {"RzBmpButton1", QRect(595, 188, 70, 20), "Ctrl + N"},
        {"Panel1", QRect(22, 234, 260, 19), ""},
        {"btnPlay", QRect(36, 261, 25, 25), "Ctrl + P"},
        {"btnPause", QRect(68, 261, 25, 25), "Ctrl + U"},
        {"btnStop", QRect(99, 261, 25, 25), "Ctrl + T"},
        {"imgPlay", QRect(146, 253, 136, 38), ""},
        {"pnlCurTime", QRect(171, 264, 81, 17), ""},
        {"dxTreeSourceFileInfo", QRect(22, 292, 525, 138), ""},
        {"btnConvert", QRect(555, 391, 110, 40), "Ctrl + S"},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.Name);
        auto* w = form.findChild<QWidget*>(p.Name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), p.Geometry);
        EXPECT_EQ(w->toolTip().toStdString(), p.Hint);
    }
    struct Text {
        const char* Name;
        const char* Text;
        QPoint TopLeft;
    };
    const Text texts[] = {
        {"lblOutputFileTypeName", "Output FileType:", QPoint(288, 136)},
        {"lblProfileSettings", "Profile Settings:", QPoint(291, 164)},
        {"lblOutputFolderInfo", "Output Folder:", QPoint(298, 191)},
        {"Label1", "Shutdown computer when job is finished.", QPoint(313, 227)},
        {"Label2", "Show output directory when done", QPoint(313, 247)},
        {"Label3", "Click here to download the coder", QPoint(296, 272)},
        {"pnlCurTime", "00:00:00", QPoint(171, 264)},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE(t.Name);
        auto* label = form.findChild<QLabel*>(t.Name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text().toStdString(), t.Text);
        EXPECT_EQ(label->pos(), t.TopLeft);
        // The whole text fits in the label.
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    }
    EXPECT_EQ(form.chkShutdown->pos(), QPoint(294, 226));
    EXPECT_EQ(form.chkShowOutputDirectory->pos(), QPoint(294, 246));
    EXPECT_TRUE(form.Label3->font().underline());
    EXPECT_EQ(form.lblTitle->font().pixelSize(), 19);
    EXPECT_TRUE(form.lblTitle->font().bold());
    EXPECT_EQ(form.btnHelp->property("hint").toString(), "Help (F1)");
    EXPECT_TRUE(form.edtOutputFolder->isReadOnly());
    for (const char* hidden :
         {"btnSelectOutputFolder", "btnUpdate", "dstrckbrMainform", "pbPlayState", "imgL", "imgR"})
        EXPECT_TRUE(form.findChild<QWidget*>(hidden)->isHidden()) << hidden;
    EXPECT_EQ(form.btnSelectOutputFolder->toolTip(), "Ctrl + B");
    // The skin is in place: every picture button has its three pictures.
    EXPECT_FALSE(SkinPicture("background").isNull());
    EXPECT_EQ(SkinPicture("background").size(), QSize(692, 456));
}

TEST_F(MainFormTest, TimersRunAsDesigned) {
    TFrmMainForm& form = MakeForm();
    EXPECT_TRUE(form.tmrClearMemory->isActive());
    EXPECT_EQ(form.tmrClearMemory->interval(), 1000);
    EXPECT_TRUE(form.tmrPaintSP->isActive());
    EXPECT_EQ(form.tmrPaintSP->interval(), 10);
    EXPECT_FALSE(form.tmrAutoUpdate->isActive());
    EXPECT_EQ(form.tmrAutoUpdate->interval(), 10000);
    const int before = Events.Passes;
    form.tmrClearMemoryTimer();
    EXPECT_EQ(Events.Passes, before + 1); // TrimWorkingSet processes pending events once
}

// Counts the paint events of one widget.
class TPaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
    int Paints = 0;
};

TEST_F(MainFormTest, PaintTickDrawsATrimHandleAtANewPlaceAndLeavesStillOnesAlone) {
    TFrmMainForm& form = ShowForm();
    form.tmrPaintSP->stop(); // ticks are driven by hand here
    form.tmrPaintSPTimer();
    QCoreApplication::processEvents();
    TPaintCounter counter;
    form.Splitter1->installEventFilter(&counter);
    form.tmrPaintSPTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.Paints, 0);
    form.Splitter1->move(form.Splitter1->pos() + QPoint(30, 0));
    QCoreApplication::processEvents();
    counter.Paints = 0;
    form.tmrPaintSPTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.Paints, 1);
}

TEST_F(MainFormTest, MinimiseButtonMinimises) {
    TFrmMainForm& form = ShowForm();
    form.btnWindowMinimize->click();
    EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMinimized));
}

} // namespace
