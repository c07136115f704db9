#include "sources/ui/InitFileForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace clavenor {

namespace {
constexpr const char* kInfoText = "Installing File...";
}

TFrmInitFileForm::TFrmInitFileForm(IGeneralErrorDisplay& errors, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), errors_(errors),
      lblInfo_(new QLabel(QString::fromLatin1(kInfoText), this)), timer1_(new QTimer(this)),
      timer2_(new QTimer(this)) {
    setObjectName(QStringLiteral("FrmInitFileForm"));
    setModal(true);
    setFixedSize(273, 45);

    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setAlignment(Qt::AlignCenter);
    QFont bold = lblInfo_->font();
    bold.setBold(true);
    lblInfo_->setFont(bold);
    QPalette white = lblInfo_->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    lblInfo_->setPalette(white);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblInfo_);

    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(300);
    connect(timer1_, &QTimer::timeout, this, &TFrmInitFileForm::Timer1Timer);
    connect(timer2_, &QTimer::timeout, this, &TFrmInitFileForm::Timer2Timer);
}

void TFrmInitFileForm::SetFileList(const std::vector<std::string>& paths) {
    fileList_ = paths;
}

void TFrmInitFileForm::ShowModal(const TAddFiles& addFiles) {
    SetAddFilesHandler(addFiles);
    exec();
}

void TFrmInitFileForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
    FormShow();
}

void TFrmInitFileForm::FormShow() {
    phase_ = 1;
    lblInfo_->setText(QString::fromLatin1(kInfoText));
    timer1_->start();
    timer2_->start();
}

void TFrmInitFileForm::Timer1Timer() {
    phase_ = phase_ >= 4 ? 1 : phase_ + 1;
    static const char* const signs[] = {"|", "/", "-", "\\"};
    lblInfo_->setText(QString::fromLatin1(kInfoText) + QStringLiteral("  ") +
                      QString::fromLatin1(signs[phase_ - 1]));
}

void TFrmInitFileForm::Timer2Timer() {
    timer2_->stop();
    std::string failure;
    bool failed = false;
    try {
        if (addFiles_)
            addFiles_(fileList_);
    } catch (const std::exception& error) {
        failed = true;
        failure = error.what();
    } catch (...) {
        failed = true;
        failure = "Unknown error";
    }
    accept();
    if (failed)
        errors_.ShowError(failure);
}

void TFrmInitFileForm::done(int result) {
    timer1_->stop();
    timer2_->stop();
    QDialog::done(result);
}

// The window closes itself; Escape does not cut the adding short.
void TFrmInitFileForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Nor does a close asked for by the window manager: until the files are added, closing would
// drop them without a word.
void TFrmInitFileForm::closeEvent(QCloseEvent* event) {
    if (timer2_->isActive()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

// The background: a dark stretched fill behind the white text.
void TFrmInitFileForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(0x5a, 0x4e, 0x49));
    fill.setColorAt(1, QColor(0x3d, 0x41, 0x4d));
    painter.fillRect(rect(), fill);
    painter.setPen(QColor(0x22, 0x22, 0x22));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace clavenor
