#pragma once
// The "Error Info" dialog: a file could not be read; a link offers a codec download.

#include "platform/DesktopServices.h"
#include "sources/SourceFilePorts.h"

#include <QDialog>
#include <QLabel>

class QPushButton;

namespace clavenor {

// A label that reports clicks (the dialog's link).
class TClickLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TFrmCodeErrorForm final : public QDialog {
    Q_OBJECT
public:
    // desktop opens the codec download address (not owned; must outlive the dialog).
    explicit TFrmCodeErrorForm(IDesktopServices& desktop, QWidget* owner = nullptr);

    void Label2Click();

private:
    void PlaceLink();

    IDesktopServices& desktop_;
    QLabel* image1_;
    QLabel* label1_;
    TClickLabel* label2_;
    QPushButton* bitBtn1_;
};

// The "Error Info" dialog as the source list shows it: modal, centred on the owner.
class TQtErrorInfo final : public IErrorInfo {
public:
    TQtErrorInfo(IDesktopServices& desktop, QWidget* owner = nullptr)
        : desktop_(desktop), owner_(owner) {}
    void ShowErrorInfo() override;

private:
    IDesktopServices& desktop_;
    QWidget* owner_;
};

} // namespace clavenor
