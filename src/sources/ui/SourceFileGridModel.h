#pragma once
// The source list as a Qt item model: one row per TSourceFileRow, the seven fields as
// columns. The model follows the list (it is the list's observer) and writes the user's
// check-box clicks back into it. The list is not owned and must outlive the model.

#include "sources/SourceFileList.h"

#include <QAbstractTableModel>

#include <array>

namespace clavenor {

class TSourceFileGridModel final : public QAbstractTableModel, private ISourceFileListObserver {
    Q_OBJECT
public:
    enum TColumn {
        colCheckStatus,
        colSourceFileName,
        colSourceFileSize,
        colSourceFileDuration,
        colSourceFileStartTime,
        colSourceFileEndTime,
        colConvertDuration,
        ColumnCount
    };
    // The field's own text, for every column ("True"/"False" in the check-box column).
    static constexpr int FieldTextRole = Qt::UserRole + 1;
    // Header role: the column's name (dxtrlSourceFileName, ...).
    static constexpr int ColumnNameRole = Qt::UserRole + 2;
    // The mime type of rows dragged out of the list; it carries their paths, one per line.
    static constexpr const char* RowsMimeType = "application/x-clavenor-source-rows";

    static const std::array<const char*, ColumnCount>& ColumnNames();
    static const std::array<const char*, ColumnCount>& ColumnCaptions();
    static const std::array<int, ColumnCount>& DesignWidths();

    explicit TSourceFileGridModel(TSourceFileList& list, QObject* parent = nullptr);
    ~TSourceFileGridModel() override;

    TSourceFileList& List() { return list_; }
    // True while the list is changing its rows: the view's own selection bookkeeping then
    // does not count as a user action.
    bool InListChange() const { return inListChange_ > 0; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

signals:
    // The list's selection or focused row changed.
    void listSelectionChanged();
    // Redrawing is to be suspended (true) or resumed (false).
    void updatesSuspended(bool suspended);

private:
    void RowAboutToBeAppended(std::size_t index) override;
    void RowAppended(std::size_t index) override;
    void RowAboutToBeDeleted(std::size_t index) override;
    void RowDeleted(std::size_t index) override;
    void ListAboutToBeCleared() override;
    void ListCleared() override;
    void RowChanged(std::size_t index) override;
    void SelectionChanged() override;
    void BeginUpdate() override;
    void EndUpdate() override;

    TSourceFileList& list_;
    int inListChange_ = 0;
    int updateDepth_ = 0;
};

} // namespace clavenor
