#pragma once
// The open dialog dlgOpenSourceFile for adding source files: several files at once, the ten
// filter entries with the first selected, starting in the folder it is given.

#include "sources/SourceFilePorts.h"

#include <QFileDialog>
#include <QPointer>
#include <QStringList>

#include <string>
#include <vector>

namespace clavenor {

// The name filters handed to QFileDialog: each entry's text followed by its patterns made
// case-insensitive. The dialog hides that pattern part, so it shows the entries' own texts.
QStringList SourceFileNameFilters();

class TOpenSourceFileDialog final : public IOpenDialog {
public:
    // The dialog is a child of owner and lives as long as it (or until this object goes).
    explicit TOpenSourceFileDialog(QWidget* owner = nullptr);
    ~TOpenSourceFileDialog() override;
    TOpenSourceFileDialog(const TOpenSourceFileDialog&) = delete;
    TOpenSourceFileDialog& operator=(const TOpenSourceFileDialog&) = delete;

    void SetInitialDir(const std::string& folder) override;
    bool Execute(std::vector<std::string>& files) override;
    std::string FileName() const override { return fileName_; }

    QFileDialog& Dialog() { return *dialog_; }

private:
    QPointer<QFileDialog> dialog_; // null once the owner has destroyed it
    std::string fileName_;
};

} // namespace clavenor
