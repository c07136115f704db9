#include "shell/ui/QtPorts.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace clavenor {

namespace {

QString Caption() {
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? QString("Clavenor") : name;
}

QMessageBox::Icon IconOfKind(int kind) {
    switch (kind) {
    case 0:
        return QMessageBox::Critical;
    case 1:
        return QMessageBox::Warning;
    case 2:
        return QMessageBox::Question;
    case 3:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void TQtMessageBox::ShowMessageBox(const std::string& text, int kind) {
    QMessageBox box(IconOfKind(kind), Caption(), QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}

bool TQtMessageBox::AskYesNo(const std::string& question) {
    QMessageBox box(QMessageBox::Question, Caption(), QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

bool TQtFolderBrowser::BrowseForFolder(const std::string& prompt, std::string& folder) {
    const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(),
                                                             QString::fromStdString(prompt),
                                                             QString(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return false;
    folder = chosen.toStdString();
    return true;
}

void TQtApplicationPort::EndProgram() {
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace clavenor
