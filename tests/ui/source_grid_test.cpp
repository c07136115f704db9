// The source list grid over the list model, wired to the list's commands.
#include "sources/SourceFileController.h"
#include "sources/ui/SourceFileGrid.h"

#include "../logic/source_fakes.h"
#include "../logic/temp_folder.h"
#include "../logic/test_media.h"
#include "ui_helpers.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

using namespace clavenor;
using namespace clavenor_test;

namespace {

class SourceGridTest : public ::testing::Test, protected FakeSourcePorts {
protected:
    SourceGridTest() {
        ConnectSourceGrid(grid, controller);
        grid.resize(525, 138);
        grid.show();
        QApplication::processEvents();
    }

    void AddRows(std::initializer_list<const char*> names) {
        for (const char* name : names)
            list.Append({"True", name, "1 KB", "00:00:05", "00:00:00", "00:00:05", "00:00:05"});
        QApplication::processEvents();
    }
    QPoint CellCentre(int row, int column) {
        return grid.visualRect(model.index(row, column)).center();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const TSourceFileRow& row : list.Rows())
            names.push_back(row.SourceFileName);
        return names;
    }
    // Drags data over the grid and drops it there, as the platform delivers it: the drop
    // goes to the widget that accepted the drag's entry. Returns the drop's action, or
    // IgnoreAction when the drop was refused.
    Qt::DropAction DropOnGrid(const QMimeData* data, Qt::DropActions offered) {
        const QPointF at(CellCentre(0, 1));
        QDragEnterEvent enter(at.toPoint(), offered, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
    // Presses on a row's path cell and moves the mouse far enough to start a drag.
    void DragRow(int row) {
        const QPoint from = CellCentre(row, 1);
        const QPoint to = from + QPoint(0, 3 * QApplication::startDragDistance() + 10);
        QWidget* viewport = grid.viewport();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(from),
                          viewport->mapToGlobal(QPointF(from)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        // The first move arms the drag, the next one starts it.
        for (const QPoint& at : {from + QPoint(0, 2), to}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(to),
                            viewport->mapToGlobal(QPointF(to)), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
    }
    void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(&grid, &release);
    }

    FakeInitDir initDir;
    TSourceFileList list;
    TSourceFileController controller{list, Ports(initDir)};
    TSourceFileGridModel model{list};
    TSourceFileGrid grid{model};
};

} // namespace

TEST_F(SourceGridTest, HasTheSevenColumnsWithTheirCaptionsSharingTheWidth) {
    EXPECT_EQ(grid.objectName(), "dxTreeSourceFileInfo");
    const QStringList captions = {"",           "File Name", "File Size", "Duration",
                                  "Start Time", "End Time",  "Cut Time"};
    const QStringList names = {"dxtrlchkCheckStatus",      "dxtrlSourceFileName",
                               "dxtrlSourceFileSize",      "dxtrlSourceFileDuration",
                               "dxtrlSourceFileStartTime", "dxtrlSourceFileEndTime",
                               "dxtrlstclConvertDuration"};
    ASSERT_EQ(model.columnCount(), 7);
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
        EXPECT_EQ(model.headerData(column, Qt::Horizontal, TSourceFileGridModel::ColumnNameRole)
                      .toString(),
                  names[column]);
    }
    // The check-box column shows a picture instead of a caption.
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal, Qt::DecorationRole).value<QIcon>().isNull());

    QHeaderView* header = grid.header();
    EXPECT_FALSE(header->sectionsMovable());
    const int width = grid.viewport()->width();
    const int designTotal = 16 + 68 + 5 * 28;
    const int design[] = {16, 68, 28, 28, 28, 28, 28};
    int sum = 0;
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(header->sectionResizeMode(column), QHeaderView::Interactive);
        EXPECT_NEAR(header->sectionSize(column), design[column] * width / designTotal, 2);
        sum += header->sectionSize(column);
    }
    EXPECT_EQ(sum, width);

    // A column the user widened keeps its share when the grid grows.
    header->resizeSection(1, header->sectionSize(1) * 2);
    const int nameShare = header->sectionSize(1) * 1000 / header->length();
    grid.resize(800, 138);
    QApplication::processEvents();
    EXPECT_NEAR(header->sectionSize(1) * 1000 / grid.viewport()->width(), nameShare, 5);
}

TEST_F(SourceGridTest, TheCheckBoxTogglesAtTheFirstClickAndWritesTrueOrFalse) {
    AddRows({"/a.avi", "/b.avi"});
    Click(grid.viewport(), CellCentre(1, 0)); // row 1 was not selected before
    EXPECT_EQ(list.Row(1).CheckStatus, "False");
    EXPECT_EQ(model.data(model.index(1, 0), Qt::CheckStateRole).value<Qt::CheckState>(),
              Qt::Unchecked);
    Click(grid.viewport(), CellCentre(1, 0));
    EXPECT_EQ(list.Row(1).CheckStatus, "True");
    Click(grid.viewport(), CellCentre(0, 0));
    EXPECT_EQ(list.Row(0).CheckStatus, "False");
    // Other cells are not check boxes, and the path, size and times are not edited here.
    Click(grid.viewport(), CellCentre(0, 1));
    EXPECT_EQ(list.Row(0).CheckStatus, "False");
    for (int column = 1; column < 7; ++column)
        EXPECT_FALSE(model.flags(model.index(0, column)) & Qt::ItemIsEditable);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "/a.avi");
    EXPECT_EQ(trim.synced, 4); // every click in the list syncs the trim bar
}

TEST_F(SourceGridTest, TheListsSelectionAndTheGridsFollowEachOther) {
    AddRows({"/a.avi", "/b.avi", "/c.avi", "/d.avi"});
    // The user clicks b, then Ctrl-clicks d.
    Click(grid.viewport(), CellCentre(1, 2));
    Click(grid.viewport(), CellCentre(3, 2), Qt::ControlModifier);
    EXPECT_EQ(list.SelectedRows(), (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(list.Focused(), std::optional<std::size_t>(3));

    // The list changes: the grid shows it.
    list.SetSelection({true, false, true, false}, 2);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(0, {}));
    EXPECT_FALSE(grid.selectionModel()->isRowSelected(1, {}));
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(grid.currentIndex().row(), 2);

    // The selection stays visible without the focus.
    const QPalette colours = grid.palette();
    EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::Highlight),
              colours.color(QPalette::Active, QPalette::Highlight));
}

TEST_F(SourceGridTest, DeleteRemovesTheSelectedRows) {
    AddRows({"/a.avi", "/b.avi", "/c.avi", "/d.avi"});
    Click(grid.viewport(), CellCentre(0, 1));
    Click(grid.viewport(), CellCentre(2, 1), Qt::ControlModifier);

    PressKey(Qt::Key_Delete, Qt::ShiftModifier); // with any modifiers

    EXPECT_EQ(Names(), (std::vector<std::string>{"/b.avi", "/d.avi"}));
    EXPECT_EQ(model.rowCount(), 2);
    // b was the row above the focused c: it is focused and selected now, in the grid too.
    EXPECT_EQ(list.Focused(), std::optional<std::size_t>(0));
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(0, {}));
    EXPECT_FALSE(grid.selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(preview.stopped, 1);

    PressKey(Qt::Key_A); // other keys only sync
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_TRUE(grid.updatesEnabled());

    PressKey(Qt::Key_Delete);
    PressKey(Qt::Key_Down);
    Click(grid.viewport(), CellCentre(0, 1));
    PressKey(Qt::Key_Delete);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(trim.fillsReset, 1);
}

TEST_F(SourceGridTest, RowsDraggedOutAreRemovedDroppedBackOnTheListNothingChanges) {
    AddRows({"/a.avi", "/b.avi", "/c.avi"});
    Click(grid.viewport(), CellCentre(1, 1));

    // Dropped back on the list.
    int drags = 0;
    grid.SetDragExecutor([&](QDrag& drag) {
        ++drags;
        EXPECT_EQ(drag.mimeData()->data(TSourceFileGridModel::RowsMimeType), "/b.avi\n");
        EXPECT_FALSE(drag.mimeData()->hasUrls()); // nobody else may take the rows for files
        EXPECT_EQ(DropOnGrid(drag.mimeData(), Qt::MoveAction), Qt::MoveAction);
    });
    DragRow(1);
    ASSERT_EQ(drags, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"/a.avi", "/b.avi", "/c.avi"}));
    EXPECT_EQ(preview.stopped, 0);

    // Dropped anywhere else.
    grid.SetDragExecutor([&](QDrag&) { ++drags; });
    DragRow(1);
    ASSERT_EQ(drags, 2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"/a.avi", "/c.avi"}));
    EXPECT_EQ(preview.stopped, 1);
}

TEST_F(SourceGridTest, LocalFilesDroppedOnTheGridAreAddedAndCopiedNotMoved) {
    TempFolder folder;
    const std::string clip = folder.Path() + "dropped clip.mp4";
    MakeClip(clip, 1.0);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(clip)),
                  QUrl(QStringLiteral("https://example.org/remote.mp4"))});
    EXPECT_EQ(LocalPathsFromMimeData(data), (std::vector<std::string>{clip}));

    // A file manager offers to copy or move; the grid copies. A drag that can only move
    // files is refused.
    EXPECT_EQ(DropOnGrid(&data, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(DropOnGrid(&data, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_TRUE(list.Empty()); // added once the drop has finished

    ASSERT_TRUE(WaitUntil([&] { return list.Count() == 1; }));
    EXPECT_EQ(list.Row(0).SourceFileName, clip);
    EXPECT_EQ(model.data(model.index(0, 3)).toString(), "00:00:01");

    // Anything else is refused.
    QMimeData text;
    text.setText(QStringLiteral("some text"));
    EXPECT_EQ(DropOnGrid(&text, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(list.Count(), 1u);
}

TEST_F(SourceGridTest, ADroppedFileWhoseNameIsNotUtf8KeepsItsBytes) {
    // File names are bytes; a Latin-1 name is no valid UTF-8. A file manager sends such a
    // name percent-encoded byte for byte.
    TempFolder folder;
    const std::string clip = folder.Path() + "caf\xe9 \xff.mp4";
    MakeClip(clip, 1.0);
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), QByteArray("file://") +
                                                      QByteArray::fromStdString(folder.Path()) +
                                                      "caf%E9%20%FF.mp4\r\n");
    EXPECT_EQ(LocalPathsFromMimeData(data), (std::vector<std::string>{clip}));

    EXPECT_EQ(DropOnGrid(&data, Qt::CopyAction), Qt::CopyAction);
    ASSERT_TRUE(WaitUntil([&] { return list.Count() == 1 || errorInfo.shown > 0; }));
    EXPECT_EQ(errorInfo.shown, 0);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Row(0).SourceFileName, clip);
}
