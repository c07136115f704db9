#include "shell/ui/CodeErrorForm.h"

#include "shell/CodecLink.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>

namespace clavenor {

namespace {

constexpr const char* kMessage =
    "Files reading error! Please check your files or install a new codec.You can click the "
    "link to download the lastest codec.";
constexpr const char* kLink = "(Click here to down)";

// Where the last line of text ends when it is wrapped into width (x from the left, y from the
// top of its line, and that line's height).
QRect LastLineOf(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    QRect last;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        last = QRect(0, static_cast<int>(y), static_cast<int>(line.naturalTextWidth()),
                     static_cast<int>(line.height()));
        y += line.height();
    }
    layout.endLayout();
    return last;
}

} // namespace

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

TFrmCodeErrorForm::TFrmCodeErrorForm(IDesktopServices& desktop, QWidget* owner)
    : QDialog(owner), desktop_(desktop), image1_(new QLabel(this)),
      label1_(new QLabel(QString::fromLatin1(kMessage), this)),
      label2_(new TClickLabel(QString::fromLatin1(kLink), this)),
      bitBtn1_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("FrmCodeErrorForm"));
    setWindowTitle(QStringLiteral("Error Info"));
    setModal(true);
    setFixedSize(413, 96);

    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(8, 13, 32, 32);
    image1_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));

    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(48, 16, 357, 30);
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    label2_->setObjectName(QStringLiteral("Label2"));
    QFont underlined = label2_->font();
    underlined.setUnderline(true);
    label2_->setFont(underlined);
    QPalette blue = label2_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    label2_->setPalette(blue);
    label2_->setCursor(Qt::PointingHandCursor);
    PlaceLink();
    connect(label2_, &TClickLabel::clicked, this, &TFrmCodeErrorForm::Label2Click);

    bitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    bitBtn1_->setGeometry(328, 61, 75, 25);
    bitBtn1_->setDefault(true);
    connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
}

// The link follows the message's last line (at 258, 30 with the design's font), or goes to a
// line of its own below it, so that it never covers the text whatever font the desktop uses.
void TFrmCodeErrorForm::PlaceLink() {
    label2_->adjustSize();
    const QRect last = LastLineOf(label1_->text(), label1_->font(), label1_->width());
    label1_->resize(label1_->width(), std::max(30, last.bottom() + 1));
    int x = label1_->x() + last.right() + 5;
    int y = label1_->y() + last.top();
    if (x + label2_->width() > width() - 8) {
        x = label1_->x();
        y = label1_->y() + last.bottom() + 1;
    }
    label2_->move(x, y);
    label2_->raise();
}

void TFrmCodeErrorForm::Label2Click() {
    OpenCodecDownload(desktop_);
}

void TQtErrorInfo::ShowErrorInfo() {
    TFrmCodeErrorForm form(desktop_, owner_);
    form.exec();
}

} // namespace clavenor
