#include "sources/SourceFileList.h"

#include <algorithm>
#include <stdexcept>

namespace clavenor {

std::optional<std::size_t> TSourceFileList::IndexOf(const std::string& path) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Row.SourceFileName == path)
            return i;
    return std::nullopt;
}

std::vector<TSourceFileRow> TSourceFileList::Rows() const {
    std::vector<TSourceFileRow> rows;
    rows.reserve(rows_.size());
    for (const TEntry& entry : rows_)
        rows.push_back(entry.Row);
    return rows;
}

void TSourceFileList::Append(TSourceFileRow row) {
    if (ContainsName(row.SourceFileName))
        throw std::invalid_argument("The source list already holds \"" + row.SourceFileName + "\"");
    const std::size_t index = rows_.size();
    if (observer_)
        observer_->RowAboutToBeAppended(index);
    rows_.push_back(TEntry{std::move(row), false});
    if (observer_)
        observer_->RowAppended(index);
}

void TSourceFileList::Delete(std::size_t index) {
    CheckIndex(index);
    if (observer_)
        observer_->RowAboutToBeDeleted(index);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    if (focused_) {
        if (*focused_ == index)
            focused_.reset();
        else if (*focused_ > index)
            --*focused_;
    }
    if (observer_)
        observer_->RowDeleted(index);
    // A view may move its own idea of the current row when one disappears; tell it ours.
    NotifySelectionChanged();
}

void TSourceFileList::Clear() {
    if (observer_)
        observer_->ListAboutToBeCleared();
    rows_.clear();
    focused_.reset();
    if (observer_)
        observer_->ListCleared();
    NotifySelectionChanged();
}

void TSourceFileList::SetChecked(std::size_t index, bool checked) {
    CheckIndex(index);
    rows_[index].Row.CheckStatus = checked ? "True" : "False";
    NotifyRowChanged(index);
}

void TSourceFileList::SetStartTime(std::size_t index, std::string text) {
    CheckIndex(index);
    rows_[index].Row.SourceFileStartTime = std::move(text);
    NotifyRowChanged(index);
}

void TSourceFileList::SetEndTime(std::size_t index, std::string text) {
    CheckIndex(index);
    rows_[index].Row.SourceFileEndTime = std::move(text);
    NotifyRowChanged(index);
}

void TSourceFileList::SetConvertDuration(std::size_t index, std::string text) {
    CheckIndex(index);
    rows_[index].Row.ConvertDuration = std::move(text);
    NotifyRowChanged(index);
}

void TSourceFileList::SetSelected(std::size_t index, bool selected) {
    CheckIndex(index);
    if (rows_[index].Selected == selected)
        return;
    rows_[index].Selected = selected;
    NotifySelectionChanged();
}

bool TSourceFileList::AnySelected() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const TEntry& e) { return e.Selected; });
}

std::optional<std::size_t> TSourceFileList::FirstSelected() const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Selected)
            return i;
    return std::nullopt;
}

std::vector<std::size_t> TSourceFileList::SelectedRows() const {
    std::vector<std::size_t> selected;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Selected)
            selected.push_back(i);
    return selected;
}

void TSourceFileList::SetFocused(std::optional<std::size_t> index) {
    if (index)
        CheckIndex(*index);
    if (focused_ == index)
        return;
    focused_ = index;
    NotifySelectionChanged();
}

void TSourceFileList::SetSelection(const std::vector<bool>& selected,
                                   std::optional<std::size_t> focused) {
    if (selected.size() != rows_.size())
        throw std::invalid_argument("Selection size does not match the source list");
    if (focused)
        CheckIndex(*focused);
    bool changed = focused_ != focused;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        changed = changed || rows_[i].Selected != selected[i];
        rows_[i].Selected = selected[i];
    }
    focused_ = focused;
    if (changed)
        NotifySelectionChanged();
}

void TSourceFileList::BeginUpdate() {
    if (observer_)
        observer_->BeginUpdate();
}

void TSourceFileList::EndUpdate() {
    if (observer_)
        observer_->EndUpdate();
}

void TSourceFileList::CheckIndex(std::size_t index) const {
    if (index >= rows_.size())
        throw std::out_of_range("Source list row " + std::to_string(index) + " does not exist");
}

void TSourceFileList::NotifyRowChanged(std::size_t index) {
    if (observer_)
        observer_->RowChanged(index);
}

void TSourceFileList::NotifySelectionChanged() {
    if (observer_)
        observer_->SelectionChanged();
}

} // namespace clavenor
