// The source list as the main window gets it from one wiring object.
#include "platform/FakeDesktopServices.h"
#include "sources/ui/SourceFileWiring.h"

#include "../logic/source_fakes.h"
#include "../logic/temp_folder.h"
#include "../logic/test_media.h"
#include "ui_helpers.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

using namespace clavenor;
using namespace clavenor_test;

TEST(SourceFileWiring, PutsTheListIntoTheWindowAndTakesFilesDroppedOnIt) {
    struct NoInitDir : IInitDirStore {
        std::string ReadInitDir() override { return "/"; }
        void SaveInitDir(const std::string&) override {}
    } initDir;
    TFakeDesktopServices desktop;
    FakeErrors errors;
    FakeEventPump events;
    FakeTrim trim;
    FakePreview preview;
    TempFolder folder;
    const std::string clip = folder.Path() + "clip.mov";
    MakeClip(clip, 1.0);

    auto window = std::make_unique<QWidget>();
    auto wiring = std::make_unique<TSourceFileWiring>(*window, desktop, errors, events, initDir,
                                                      trim, preview);
    EXPECT_EQ(window->findChild<QWidget*>("dxTreeSourceFileInfo"), &wiring->Grid());
    EXPECT_NE(window->findChild<QWidget*>("dlgOpenSourceFile"), nullptr);
    EXPECT_NE(window->findChild<QWidget*>("FrmInitFileForm"), nullptr);
    wiring->Grid().setGeometry(22, 292, 525, 138);
    window->resize(692, 456);
    window->show();
    AcceptFileDropsOn(*window, wiring->Controller());
    EXPECT_TRUE(window->acceptDrops());

    // Dropped on the window, beside the grid.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(clip))});
    const QPoint at(100, 100);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    ASSERT_TRUE(WaitUntil([&] { return wiring->List().Count() == 1; }));
    EXPECT_EQ(wiring->List().Row(0).SourceFileName, clip);
    EXPECT_EQ(wiring->Model().rowCount(), 1);
    EXPECT_TRUE(wiring->List().IsSelected(0));
    EXPECT_EQ(trim.synced, 1);

    // The wiring may go before the window or after it.
    wiring.reset();
    window.reset();
    auto other = std::make_unique<QWidget>();
    auto second = std::make_unique<TSourceFileWiring>(*other, desktop, errors, events, initDir,
                                                      trim, preview);
    other.reset();
    second.reset();
}
