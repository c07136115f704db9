#include "shell/ui/ClavenorApplication.h"

#include "shell/ErrorText.h"

#include <QMessageBox>
#include <exception>

namespace clavenor {

namespace {

void ShowStopBox(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, "Clavenor", QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

} // namespace

TClavenorApplication::TClavenorApplication(int& argc, char** argv)
    : QApplication(argc, argv), ErrorDisplay(ShowStopBox) {
    setApplicationName("Clavenor");
}

void TClavenorApplication::SetErrorDisplay(TErrorDisplay display) {
    ErrorDisplay = display ? std::move(display) : TErrorDisplay(ShowStopBox);
}

void TClavenorApplication::ShowException(const std::string& message) {
    ErrorDisplay(ErrorDisplayText(message));
}

bool TClavenorApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error.what());
    } catch (...) {
        ShowException("Unknown error");
    }
    return false;
}

} // namespace clavenor
