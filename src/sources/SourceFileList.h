#pragma once
// The source list as a model: rows in the order they were added, any set of selected rows and
// at most one focused row. The grid mirrors this model; every list operation reads and changes
// it, so the operations can be tested without a window.
//
// Invariants kept here: no two rows hold equal paths (exact comparison), and the path, size and
// duration of a row never change after it was appended.

#include "sources/SourceFileRow.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace clavenor {

// Told about every change, so a view can follow. "About" calls come before the change, the
// others after it. Called on the thread that changes the list (the user-interface thread).
class ISourceFileListObserver {
public:
    virtual ~ISourceFileListObserver() = default;
    virtual void RowAboutToBeAppended(std::size_t index) = 0;
    virtual void RowAppended(std::size_t index) = 0;
    virtual void RowAboutToBeDeleted(std::size_t index) = 0;
    virtual void RowDeleted(std::size_t index) = 0;
    virtual void ListAboutToBeCleared() = 0;
    virtual void ListCleared() = 0;
    // One of the editable fields (0, 4, 5, 6) of a row changed.
    virtual void RowChanged(std::size_t index) = 0;
    // The selected rows or the focused row changed.
    virtual void SelectionChanged() = 0;
    // Redrawing is suspended between BeginUpdate and the matching EndUpdate.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

class TSourceFileList {
public:
    TSourceFileList() = default;
    TSourceFileList(const TSourceFileList&) = delete;
    TSourceFileList& operator=(const TSourceFileList&) = delete;

    // The observer is not owned; nullptr detaches it.
    void SetObserver(ISourceFileListObserver* observer) { observer_ = observer; }

    std::size_t Count() const { return rows_.size(); }
    bool Empty() const { return rows_.empty(); }
    const TSourceFileRow& Row(std::size_t index) const { return rows_.at(index).Row; }
    // A copy of every row, top to bottom.
    std::vector<TSourceFileRow> Rows() const;
    std::optional<std::size_t> IndexOf(const std::string& path) const;
    bool ContainsName(const std::string& path) const { return IndexOf(path).has_value(); }

    // Appends a new, unselected row. Throws std::invalid_argument when a row already holds
    // the same path.
    void Append(TSourceFileRow row);
    // Deletes one row; it leaves the selection, and the focus when it was the focused row.
    void Delete(std::size_t index);
    void Clear();

    // The editable fields.
    void SetChecked(std::size_t index, bool checked);
    void SetStartTime(std::size_t index, std::string text);
    void SetEndTime(std::size_t index, std::string text);
    void SetConvertDuration(std::size_t index, std::string text);

    bool IsSelected(std::size_t index) const { return rows_.at(index).Selected; }
    void SetSelected(std::size_t index, bool selected);
    bool AnySelected() const;
    std::optional<std::size_t> FirstSelected() const;
    std::vector<std::size_t> SelectedRows() const;
    std::optional<std::size_t> Focused() const { return focused_; }
    void SetFocused(std::optional<std::size_t> index);
    // Replaces selection and focus at once (the grid hands over what the user did).
    // Throws std::invalid_argument when the sizes do not match the rows.
    void SetSelection(const std::vector<bool>& selected, std::optional<std::size_t> focused);

    void BeginUpdate();
    void EndUpdate();

private:
    struct TEntry {
        TSourceFileRow Row;
        bool Selected = false;
    };

    void CheckIndex(std::size_t index) const;
    void NotifyRowChanged(std::size_t index);
    void NotifySelectionChanged();

    std::vector<TEntry> rows_;
    std::optional<std::size_t> focused_;
    ISourceFileListObserver* observer_ = nullptr;
};

} // namespace clavenor
