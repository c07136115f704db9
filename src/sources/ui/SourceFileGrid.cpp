#include "sources/ui/SourceFileGrid.h"

#include "sources/SourceFileController.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QUrl>

#include <numeric>

namespace clavenor {

namespace {

// The check box is edited in place at the first click anywhere in its cell, whether or not
// the row was selected before.
class TCheckBoxDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (index.column() != TSourceFileGridModel::colCheckStatus)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        if (event->type() == QEvent::MouseButtonDblClick)
            return true; // each click of a double click toggles once, on its release
        if (event->type() != QEvent::MouseButtonRelease)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
            return false;
        const bool checked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
};

// Files are only ever copied from a drag: a drag that can only move them is refused, so the
// program they came from never deletes them.
bool OffersLocalFiles(const QDropEvent& event) {
    if (!(event.possibleActions() & Qt::CopyAction))
        return false;
    const QMimeData& data = *event.mimeData();
    if (!data.hasUrls())
        return false;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            return true;
    return false;
}

// Takes the drags and drops of local files meant for a window.
class TFileDropFilter final : public QObject {
public:
    TFileDropFilter(QWidget& window, TSourceFileController& controller)
        : QObject(&window), controller_(controller) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!OffersLocalFiles(*drag))
                return false;
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!OffersLocalFiles(*drop))
                return false;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            const std::vector<std::string> paths = LocalPathsFromMimeData(*drop->mimeData());
            TSourceFileController& controller = controller_;
            QTimer::singleShot(0, this, [&controller, paths] { controller.DropFlow(paths); });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    TSourceFileController& controller_;
};

} // namespace

// The path is decoded from its percent-encoded form byte for byte: a file name that is no
// valid UTF-8 cannot pass through a QString unharmed, and would name no file afterwards.
std::vector<std::string> LocalPathsFromMimeData(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!url.host().isEmpty()) // as QUrl::toLocalFile: file://host/path is //host/path
            path.prepend(QByteArray("//") + url.host(QUrl::FullyEncoded).toLatin1());
        paths.push_back(path.toStdString());
    }
    return paths;
}

TSourceFileGrid::TSourceFileGrid(TSourceFileGridModel& model, QWidget* parent)
    : QTreeView(parent), model_(model),
      dragExecutor_([](QDrag& drag) { drag.exec(Qt::MoveAction); }) {
    setObjectName(QStringLiteral("dxTreeSourceFileInfo"));
    setModel(&model_);
    setItemDelegate(new TCheckBoxDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setTextElideMode(Qt::ElideMiddle); // long paths keep their file names visible
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false);

    // The selection stays visible when the grid does not have the keyboard focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    QHeaderView* columns = header();
    columns->setSectionsMovable(false);
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setMinimumSectionSize(8);
    const auto& design = TSourceFileGridModel::DesignWidths();
    for (std::size_t i = 0; i < weights_.size(); ++i)
        weights_[i] = design[i];
    connect(columns, &QHeaderView::sectionResized, this, &TSourceFileGrid::SectionResized);

    connect(&model_, &TSourceFileGridModel::listSelectionChanged, this,
            &TSourceFileGrid::ApplyListSelection);
    connect(&model_, &TSourceFileGridModel::updatesSuspended, this,
            [this](bool suspended) { setUpdatesEnabled(!suspended); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSourceFileGrid::TakeViewSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TSourceFileGrid::TakeViewSelection);
    ApplyListSelection();
    ApplyColumnWidths();
}

// List -> view: the list holds the truth; the view shows it.
void TSourceFileGrid::ApplyListSelection() {
    if (takingSelection_)
        return;
    applyingSelection_ = true;
    const TSourceFileList& list = model_.List();
    QItemSelection selection;
    const int last = TSourceFileGridModel::ColumnCount - 1;
    for (std::size_t row : list.SelectedRows()) {
        const int r = static_cast<int>(row);
        selection.select(model_.index(r, 0), model_.index(r, last));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const auto focused = list.Focused();
    const QModelIndex current =
        focused ? model_.index(static_cast<int>(*focused), 0) : QModelIndex();
    if (selectionModel()->currentIndex().row() != current.row() ||
        selectionModel()->currentIndex().isValid() != current.isValid())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    applyingSelection_ = false;
}

// View -> list: what the user did with mouse and keys.
void TSourceFileGrid::TakeViewSelection() {
    // While the list changes its rows the view moves its own selection and current row
    // around; the list tells the view afterwards what they are.
    if (applyingSelection_ || model_.InListChange())
        return;
    TSourceFileList& list = model_.List();
    std::vector<bool> selected(list.Count(), false);
    for (std::size_t row = 0; row < selected.size(); ++row)
        selected[row] = selectionModel()->isRowSelected(static_cast<int>(row), QModelIndex());
    const QModelIndex current = selectionModel()->currentIndex();
    std::optional<std::size_t> focused;
    if (current.isValid())
        focused = static_cast<std::size_t>(current.row());
    takingSelection_ = true;
    list.SetSelection(selected, focused);
    takingSelection_ = false;
}

void TSourceFileGrid::ApplyColumnWidths() {
    const int available = viewport()->width();
    if (available <= 0)
        return;
    const double total = std::accumulate(weights_.begin(), weights_.end(), 0.0);
    if (total <= 0)
        return;
    applyingWidths_ = true;
    // Each column ends at its rounded share of the running total, so the rounding never
    // piles up in one column and the columns fill the width exactly.
    double before = 0;
    int left = 0;
    for (int i = 0; i < TSourceFileGridModel::ColumnCount; ++i) {
        before += weights_[i];
        const int right = static_cast<int>(before / total * available + 0.5);
        header()->resizeSection(i, right - left);
        left = right;
    }
    applyingWidths_ = false;
}

// A column the user resized keeps its share from then on.
void TSourceFileGrid::SectionResized(int, int, int) {
    if (applyingWidths_)
        return;
    for (int i = 0; i < TSourceFileGridModel::ColumnCount; ++i)
        weights_[i] = header()->sectionSize(i);
}

void TSourceFileGrid::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    ApplyColumnWidths();
}

void TSourceFileGrid::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key() == Qt::Key_Delete);
    QTreeView::keyPressEvent(event);
}

void TSourceFileGrid::keyReleaseEvent(QKeyEvent* event) {
    QTreeView::keyReleaseEvent(event);
    emit keyUp();
}

void TSourceFileGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit listClicked();
}

void TSourceFileGrid::startDrag(Qt::DropActions) {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    QPointer<QDrag> drag = new QDrag(this);
    QMimeData* data = model_.mimeData(rows);
    drag->setMimeData(data);
    ownDrag_ = data;
    droppedOnSelf_ = false;
    dragExecutor_(*drag);
    ownDrag_ = nullptr;
    if (drag)
        drag->deleteLater();
    emit rowDragEnded(droppedOnSelf_);
}

void TSourceFileGrid::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TSourceFileGrid::dragMoveEvent(QDragMoveEvent* event) {
    // Rows from this list and local files; nothing else is taken, so no other program
    // believes its data was moved here.
    if (event->source() == this || event->mimeData() == ownDrag_) {
        event->acceptProposedAction();
    } else if (OffersLocalFiles(*event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TSourceFileGrid::dropEvent(QDropEvent* event) {
    if (event->source() == this || (ownDrag_ && event->mimeData() == ownDrag_)) {
        // Rows dropped back on the list: nothing changes.
        droppedOnSelf_ = true;
        event->acceptProposedAction();
        return;
    }
    if (!OffersLocalFiles(*event)) {
        event->ignore();
        return;
    }
    // Copy, never move: the file manager must keep its files.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Adding may bring up dialogs; run it after the drop has finished, so the program the
    // files came from is not held up meanwhile.
    const std::vector<std::string> paths = LocalPathsFromMimeData(*event->mimeData());
    QTimer::singleShot(0, this, [this, paths] { emit filesDropped(paths); });
}

void AcceptFileDropsOn(QWidget& window, TSourceFileController& controller) {
    window.installEventFilter(new TFileDropFilter(window, controller));
    window.setAcceptDrops(true);
}

void ConnectSourceGrid(TSourceFileGrid& grid, TSourceFileController& controller) {
    QObject::connect(&grid, &TSourceFileGrid::keyDown, &grid,
                     [&controller](bool isDeleteKey) { controller.KeyDown(isDeleteKey); });
    QObject::connect(&grid, &TSourceFileGrid::keyUp, &grid, [&controller] { controller.KeyUp(); });
    QObject::connect(&grid, &TSourceFileGrid::listClicked, &grid,
                     [&controller] { controller.ListClick(); });
    QObject::connect(&grid, &TSourceFileGrid::rowDragEnded, &grid,
                     [&controller](bool droppedOnList) { controller.DragEnded(droppedOnList); });
    QObject::connect(
        &grid, &TSourceFileGrid::filesDropped, &grid,
        [&controller](const std::vector<std::string>& paths) { controller.DropFlow(paths); });
}

} // namespace clavenor
