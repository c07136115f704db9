#include "sources/ui/SourceFileQtPorts.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace clavenor {

void TQtEventPump::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::string ErrorDisplayText(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}

void TQtGeneralErrorDisplay::ShowError(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Clavenor"),
                    QString::fromStdString(ErrorDisplayText(message)), QMessageBox::Ok, owner_);
    box.exec();
}

} // namespace clavenor
