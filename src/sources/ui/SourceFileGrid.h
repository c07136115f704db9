#pragma once
// The source list grid dxTreeSourceFileInfo: a tree view over TSourceFileGridModel that
// mirrors the list's selection and focused row, toggles the check box at the first click,
// shares its width among the columns in proportion to their design widths, and reports keys,
// clicks, rows dragged out and files dropped on it as signals. ConnectSourceGrid wires those
// signals to the list's commands.

#include "sources/ui/SourceFileGridModel.h"

#include <QTreeView>

#include <array>
#include <functional>

class QDrag;
class QMimeData;

namespace clavenor {

class TSourceFileController;

class TSourceFileGrid final : public QTreeView {
    Q_OBJECT
public:
    // The model is not owned; it must outlive the grid.
    explicit TSourceFileGrid(TSourceFileGridModel& model, QWidget* parent = nullptr);

    TSourceFileGridModel& GridModel() { return model_; }

    // Runs a drag of rows; the default executes it with the platform (QDrag::exec). Swapped
    // where no real mouse drives the drag.
    using TDragExecutor = std::function<void(QDrag&)>;
    void SetDragExecutor(TDragExecutor executor) { dragExecutor_ = std::move(executor); }

signals:
    // A key went down while the grid had the focus (before the grid acted on it).
    void keyDown(bool isDeleteKey);
    // A key went up while the grid had the focus.
    void keyUp();
    // A mouse click in the grid (after the grid updated its selection).
    void listClicked();
    // A drag of rows that started here ended; droppedOnList when dropped back on the grid.
    void rowDragEnded(bool droppedOnList);
    // Local files were dropped on the grid, as file-system paths.
    void filesDropped(const std::vector<std::string>& paths);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ApplyListSelection();
    void TakeViewSelection();
    void ApplyColumnWidths();
    void SectionResized(int section, int oldSize, int newSize);

    TSourceFileGridModel& model_;
    TDragExecutor dragExecutor_;
    std::array<double, TSourceFileGridModel::ColumnCount> weights_{};
    bool applyingSelection_ = false;
    bool takingSelection_ = false;
    bool applyingWidths_ = false;
    const QMimeData* ownDrag_ = nullptr; // the data of the drag running from this grid
    bool droppedOnSelf_ = false;
};

// The local file-system paths among dropped URLs, whole and in order; other URLs are left out.
std::vector<std::string> LocalPathsFromMimeData(const QMimeData& data);

// Makes window take local files dropped on it (the main window, switched on when it is first
// shown): they are copied, never moved, and handed to the controller's drop flow once the drop
// has finished. Drops on the grid are the grid's own.
void AcceptFileDropsOn(QWidget& window, TSourceFileController& controller);

// Wires the grid's signals to the controller's commands (keys, clicks, rows dragged out,
// files dropped on the grid). Both must outlive the connection (it lives as long as the grid).
void ConnectSourceGrid(TSourceFileGrid& grid, TSourceFileController& controller);

} // namespace clavenor
