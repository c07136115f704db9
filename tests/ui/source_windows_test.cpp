// The busy window, the open dialog and the "Error Info" dialog of the source list.
#include "sources/ui/InitFileForm.h"
#include "sources/ui/OpenSourceFileDialog.h"

#include "../logic/source_fakes.h"
#include "../logic/temp_folder.h"
#include "ui_helpers.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace clavenor;
using namespace clavenor_test;

TEST(BusyWindow, AddsTheStoredFilesAfterItAppearsAndClosesItself) {
    QWidget owner;
    owner.setGeometry(100, 100, 692, 456);
    owner.show();
    FakeErrors errors;
    TFrmInitFileForm form(errors, &owner);

    EXPECT_EQ(form.size(), QSize(273, 45));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.isModal());
    EXPECT_EQ(LabelText(form, "lblInfo"), "Installing File...");
    EXPECT_EQ(form.findChild<QTimer*>("Timer1")->interval(), 1000);
    EXPECT_EQ(form.findChild<QTimer*>("Timer2")->interval(), 300);
    EXPECT_FALSE(form.findChild<QTimer*>("Timer1")->isActive()); // off until shown

    std::vector<std::vector<std::string>> calls;
    QString labelWhileAdding;
    QPoint centre;
    form.SetFileList({"/clips/a.avi", "/clips/b.avi"});
    form.SetAddFilesHandler([&](const std::vector<std::string>& paths) {
        calls.push_back(paths);
        centre = form.geometry().center();
        // The spinner moves only while the adding lets events through.
        WaitUntil([&] { return LabelText(form, "lblInfo") != "Installing File..."; });
        labelWhileAdding = LabelText(form, "lblInfo");
    });
    form.open();

    ASSERT_TRUE(WaitUntil([&] { return !form.isVisible(); }));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (std::vector<std::string>{"/clips/a.avi", "/clips/b.avi"}));
    EXPECT_EQ(labelWhileAdding, "Installing File...  /"); // phase 2 after the first tick
    EXPECT_EQ(centre, owner.frameGeometry().center());
    EXPECT_FALSE(form.findChild<QTimer*>("Timer1")->isActive());
    EXPECT_TRUE(errors.messages.empty());
}

TEST(BusyWindow, SpinsThroughFourSignsAndStartsOverAtEveryShowing) {
    FakeErrors errors;
    TFrmInitFileForm form(errors);
    QStringList seen;
    form.SetAddFilesHandler([&](const std::vector<std::string>&) {
        while (seen.size() < 5) {
            const QString before = LabelText(form, "lblInfo");
            ASSERT_TRUE(WaitUntil([&] { return LabelText(form, "lblInfo") != before; }));
            seen << LabelText(form, "lblInfo");
        }
    });
    form.open();
    ASSERT_TRUE(WaitUntil([&] { return !form.isVisible(); }, 20000));
    EXPECT_EQ(seen, (QStringList{"Installing File...  /", "Installing File...  -",
                                 "Installing File...  \\", "Installing File...  |",
                                 "Installing File...  /"}));

    // Shown again: phase 1, the design text, both timers running.
    form.SetAddFilesHandler({});
    form.open();
    EXPECT_EQ(form.Phase(), 1);
    EXPECT_EQ(LabelText(form, "lblInfo"), "Installing File...");
    EXPECT_TRUE(form.findChild<QTimer*>("Timer2")->isActive());
    ASSERT_TRUE(WaitUntil([&] { return !form.isVisible(); }));
}

TEST(BusyWindow, ClosesItselfAlsoWhenAddingFailsAndShowsTheError) {
    FakeErrors errors;
    TFrmInitFileForm form(errors);
    form.SetAddFilesHandler([](const std::vector<std::string>&) {
        throw std::runtime_error("Cannot read the size of the file \"/clips/gone.avi\"");
    });
    form.open();
    ASSERT_TRUE(WaitUntil([&] { return !form.isVisible(); }));
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], "Cannot read the size of the file \"/clips/gone.avi\"");
}

TEST(BusyWindow, AskingItToCloseBeforeItHasAddedTheFilesDoesNotLoseThem) {
    FakeErrors errors;
    TFrmInitFileForm form(errors);
    std::vector<std::vector<std::string>> calls;
    form.SetFileList({"/clips/a.avi"});
    form.SetAddFilesHandler([&](const std::vector<std::string>& paths) { calls.push_back(paths); });
    form.open();

    form.close(); // the window manager's close (Alt+F4), as Escape, does not cut it short
    EXPECT_TRUE(calls.empty());

    ASSERT_TRUE(WaitUntil([&] { return !form.isVisible() && !calls.empty(); }));
    EXPECT_EQ(calls, (std::vector<std::vector<std::string>>{{"/clips/a.avi"}}));
    EXPECT_FALSE(form.findChild<QTimer*>("Timer1")->isActive());
}

TEST(OpenSourceFileDialog, OffersTheTenEntriesInOrderAndSeveralFiles) {
    TOpenSourceFileDialog open;
    QFileDialog& dialog = open.Dialog();
    EXPECT_EQ(dialog.objectName(), "dlgOpenSourceFile");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(dialog.nameFilters().size(), 10);

    // Extensions are matched without regard to case, as adding compares them.
    TempFolder folder;
    for (const char* name : {"Clip.AVI", "movie.mp4", "notes.txt", "film.mkv"})
        WriteWholeFile(folder.Path() + name, "x");
    open.SetInitialDir(folder.Path());
    dialog.open();
    const auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown << types->itemText(i);
    EXPECT_EQ(shown,
              (QStringList{"Supported Files", "3GP Files (*.3gp)", "AVI Files (*.avi)",
                           "ASF Files (*.asf)", "Flash Files (*.flv,swf)", "MOV Files (*.mov)",
                           "WMV Files (*.wmv)", "MP4 File (*.mp4,*.m4v)",
                           "MPEG Files (*.mpeg,*.mpg)", "RM Files (*.rm,*.rmvb)"}));
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(QDir(dialog.directory()).absolutePath() + "/", QString::fromStdString(folder.Path()));
    const auto* files = dialog.findChild<QListView*>("listView");
    ASSERT_NE(files, nullptr);
    QStringList listed;
    ASSERT_TRUE(WaitUntil([&] {
        listed.clear();
        const QModelIndex root = files->rootIndex();
        for (int row = 0; row < files->model()->rowCount(root); ++row)
            listed << files->model()->index(row, 0, root).data().toString();
        return listed.size() >= 2;
    }));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"Clip.AVI", "movie.mp4"}));
    EXPECT_EQ(open.FileName(), ""); // nothing chosen yet
    dialog.reject();
}
