#include "sources/ui/OpenSourceFileDialog.h"

#include "sources/OpenDialogFilter.h"

#include <QFile>

namespace clavenor {

QStringList SourceFileNameFilters() {
    QStringList filters;
    for (const TFilterEntry& entry : ParseDialogFilter(cstOpenDialogFilter)) {
        QStringList patterns;
        for (const std::string& pattern : entry.Patterns)
            patterns << QString::fromStdString(CaseInsensitivePattern(pattern));
        filters << QString::fromStdString(entry.Entry) + QStringLiteral(" (") +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

TOpenSourceFileDialog::TOpenSourceFileDialog(QWidget* owner) : dialog_(new QFileDialog(owner)) {
    dialog_->setObjectName(QStringLiteral("dlgOpenSourceFile"));
    // Qt's own dialog, so that the entries read exactly as given on every desktop.
    dialog_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog_->setFileMode(QFileDialog::ExistingFiles);
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    dialog_->setSizeGripEnabled(true);
    dialog_->setNameFilters(SourceFileNameFilters());
    dialog_->selectNameFilter(dialog_->nameFilters().constFirst());
}

TOpenSourceFileDialog::~TOpenSourceFileDialog() {
    delete dialog_.data();
}

void TOpenSourceFileDialog::SetInitialDir(const std::string& folder) {
    dialog_->setDirectory(QFile::decodeName(QByteArray::fromStdString(folder)));
}

bool TOpenSourceFileDialog::Execute(std::vector<std::string>& files) {
    files.clear();
    dialog_->selectNameFilter(dialog_->nameFilters().constFirst());
    if (dialog_->exec() != QDialog::Accepted)
        return false;
    for (const QString& file : dialog_->selectedFiles())
        files.push_back(QFile::encodeName(file).toStdString());
    if (files.empty())
        return false;
    fileName_ = files.front();
    return true;
}

} // namespace clavenor
