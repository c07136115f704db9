#include "sources/ui/SourceFileGridModel.h"

#include <QFile>
#include <QIcon>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

namespace clavenor {

namespace {

const std::string& FieldOf(const TSourceFileRow& row, int column) {
    switch (column) {
    case TSourceFileGridModel::colCheckStatus:
        return row.CheckStatus;
    case TSourceFileGridModel::colSourceFileName:
        return row.SourceFileName;
    case TSourceFileGridModel::colSourceFileSize:
        return row.SourceFileSize;
    case TSourceFileGridModel::colSourceFileDuration:
        return row.SourceFileDuration;
    case TSourceFileGridModel::colSourceFileStartTime:
        return row.SourceFileStartTime;
    case TSourceFileGridModel::colSourceFileEndTime:
        return row.SourceFileEndTime;
    default:
        return row.ConvertDuration;
    }
}

// The check-box column's header picture: a small ticked box.
QIcon CheckHeaderIcon() {
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.drawRect(QRectF(0.5, 0.5, 11, 11));
    painter.setPen(QPen(QColor(0x20, 0x60, 0x20), 2));
    painter.drawPolyline(QPolygonF({QPointF(2.5, 6), QPointF(5, 9), QPointF(9.5, 3)}));
    return QIcon(picture);
}

} // namespace

const std::array<const char*, TSourceFileGridModel::ColumnCount>&
TSourceFileGridModel::ColumnNames() {
    static const std::array<const char*, ColumnCount> names = {
        "dxtrlchkCheckStatus",     "dxtrlSourceFileName",      "dxtrlSourceFileSize",
        "dxtrlSourceFileDuration", "dxtrlSourceFileStartTime", "dxtrlSourceFileEndTime",
        "dxtrlstclConvertDuration"};
    return names;
}

const std::array<const char*, TSourceFileGridModel::ColumnCount>&
TSourceFileGridModel::ColumnCaptions() {
    static const std::array<const char*, ColumnCount> captions = {
        "", "File Name", "File Size", "Duration", "Start Time", "End Time", "Cut Time"};
    return captions;
}

const std::array<int, TSourceFileGridModel::ColumnCount>& TSourceFileGridModel::DesignWidths() {
    static const std::array<int, ColumnCount> widths = {16, 68, 28, 28, 28, 28, 28};
    return widths;
}

TSourceFileGridModel::TSourceFileGridModel(TSourceFileList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    list_.SetObserver(this);
}

TSourceFileGridModel::~TSourceFileGridModel() {
    list_.SetObserver(nullptr);
}

int TSourceFileGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.Count());
}

int TSourceFileGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TSourceFileGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TSourceFileRow& row = list_.Row(static_cast<std::size_t>(index.row()));
    const int column = index.column();
    if (role == FieldTextRole)
        return QString::fromStdString(FieldOf(row, column));
    if (column == colCheckStatus)
        return role == Qt::CheckStateRole ? QVariant(row.IsChecked() ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        // Paths are file-system bytes; show them as the file manager does.
        if (column == colSourceFileName)
            return QFile::decodeName(QByteArray::fromStdString(row.SourceFileName));
        return QString::fromStdString(FieldOf(row, column));
    }
    return {};
}

bool TSourceFileGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != colCheckStatus || role != Qt::CheckStateRole)
        return false;
    // RowChanged tells the view.
    list_.SetChecked(static_cast<std::size_t>(index.row()), value.toInt() == Qt::Checked);
    return true;
}

QVariant TSourceFileGridModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLatin1(ColumnCaptions()[section]);
    case Qt::DecorationRole:
        return section == colCheckStatus ? QVariant(CheckHeaderIcon()) : QVariant();
    case ColumnNameRole:
        return QString::fromLatin1(ColumnNames()[section]);
    default:
        return {};
    }
}

Qt::ItemFlags TSourceFileGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == colCheckStatus)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QStringList TSourceFileGridModel::mimeTypes() const {
    return {QString::fromLatin1(RowsMimeType)};
}

// Only our own type: another program must never take dragged rows for files to copy or move.
QMimeData* TSourceFileGridModel::mimeData(const QModelIndexList& indexes) const {
    QByteArray paths;
    int lastRow = -1;
    for (const QModelIndex& index : indexes) {
        if (!index.isValid() || index.row() == lastRow)
            continue;
        lastRow = index.row();
        paths += QByteArray::fromStdString(
            list_.Row(static_cast<std::size_t>(index.row())).SourceFileName);
        paths += '\n';
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(RowsMimeType), paths);
    return data;
}

Qt::DropActions TSourceFileGridModel::supportedDragActions() const {
    return Qt::MoveAction;
}

Qt::DropActions TSourceFileGridModel::supportedDropActions() const {
    return Qt::MoveAction | Qt::CopyAction;
}

void TSourceFileGridModel::RowAboutToBeAppended(std::size_t index) {
    ++inListChange_;
    beginInsertRows(QModelIndex(), static_cast<int>(index), static_cast<int>(index));
}

void TSourceFileGridModel::RowAppended(std::size_t) {
    endInsertRows();
    --inListChange_;
}

void TSourceFileGridModel::RowAboutToBeDeleted(std::size_t index) {
    ++inListChange_;
    beginRemoveRows(QModelIndex(), static_cast<int>(index), static_cast<int>(index));
}

void TSourceFileGridModel::RowDeleted(std::size_t) {
    endRemoveRows();
    --inListChange_;
}

void TSourceFileGridModel::ListAboutToBeCleared() {
    ++inListChange_;
    beginResetModel();
}

void TSourceFileGridModel::ListCleared() {
    endResetModel();
    --inListChange_;
}

void TSourceFileGridModel::RowChanged(std::size_t index) {
    const int row = static_cast<int>(index);
    emit dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
}

void TSourceFileGridModel::SelectionChanged() {
    emit listSelectionChanged();
}

void TSourceFileGridModel::BeginUpdate() {
    if (updateDepth_++ == 0)
        emit updatesSuspended(true);
}

void TSourceFileGridModel::EndUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0)
        emit updatesSuspended(false);
}

} // namespace clavenor
