#pragma once
// The skin: the pictures compiled into the program (src/resources, under ":/skin/"), the
// colours and fonts of the skinned windows, and the picture button that shows an up, a hot
// and a down image.

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>

namespace clavenor {

// The skin picture name + ".png"; a null pixmap when the skin has no such picture.
QPixmap SkinPicture(const QString& name);

// The background colour of the skinned windows (the check boxes, the trim bar): 3D414D.
inline QColor SkinBackgroundColour() {
    return QColor(0x3D, 0x41, 0x4D);
}

// Arial (or its metric twin) at a pixel size, so that the layout does not follow the
// system font size.
QFont SkinFont(int pixelSize, bool bold = false);

// Sets the dark palette of the skinned windows on w (inherited by its children).
void ApplySkinPalette(QWidget& w);

// A button drawn from three pictures: picture + "_up", "_hot" (mouse over it) and "_down"
// (pressed). Its size is that of the up picture unless set otherwise.
class TPictureButton : public QAbstractButton {
    Q_OBJECT
public:
    TPictureButton(const QString& picture, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap Up, Hot, Down;
    bool Hovered = false;
};

} // namespace clavenor
