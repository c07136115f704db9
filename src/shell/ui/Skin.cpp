#include "shell/ui/Skin.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPalette>

// The pictures live in a resource of this static library; naming its initialiser here makes
// the linker keep it.
static void InitSkinResource() {
    Q_INIT_RESOURCE(skin);
}

namespace clavenor {

QPixmap SkinPicture(const QString& name) {
    static const bool initialised = (InitSkinResource(), true);
    (void)initialised;
    return QPixmap(":/skin/" + name + ".png");
}

QFont SkinFont(int pixelSize, bool bold) {
    // Arial, or one of its metric twins where it is not installed.
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void ApplySkinPalette(QWidget& w) {
    QPalette p = w.palette();
    const QColor text(0xE8, 0xEC, 0xF2);
    p.setColor(QPalette::Window, SkinBackgroundColour());
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2A, 0x2E, 0x36));
    p.setColor(QPalette::AlternateBase, QColor(0x31, 0x36, 0x40));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x4A, 0x52, 0x62));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x3B, 0x8E, 0xEA));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xF4, 0xF6, 0xF9));
    p.setColor(QPalette::ToolTipText, QColor(0x20, 0x24, 0x2C));
    p.setColor(QPalette::PlaceholderText, QColor(0x8A, 0x94, 0xA4));
    p.setColor(QPalette::Light, QColor(0x5C, 0x66, 0x78));
    p.setColor(QPalette::Midlight, QColor(0x4E, 0x57, 0x67));
    p.setColor(QPalette::Mid, QColor(0x33, 0x38, 0x42));
    p.setColor(QPalette::Dark, QColor(0x22, 0x26, 0x2E));
    p.setColor(QPalette::Shadow, QColor(0x12, 0x14, 0x18));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x88, 0x96));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x88, 0x96));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x88, 0x96));
    w.setPalette(p);
}

TPictureButton::TPictureButton(const QString& picture, QWidget* parent)
    : QAbstractButton(parent), Up(SkinPicture(picture + "_up")), Hot(SkinPicture(picture + "_hot")),
      Down(SkinPicture(picture + "_down")) {
    setFocusPolicy(Qt::NoFocus);
    resize(sizeHint());
}

QSize TPictureButton::sizeHint() const {
    return Up.isNull() ? QSize(25, 25) : Up.size();
}

void TPictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap& picture = isDown() ? Down : (Hovered && isEnabled() ? Hot : Up);
    if (!isEnabled())
        p.setOpacity(0.5);
    p.drawPixmap(rect(), picture);
}

void TPictureButton::enterEvent(QEnterEvent* event) {
    Hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TPictureButton::leaveEvent(QEvent* event) {
    Hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace clavenor
