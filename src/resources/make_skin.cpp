// Draws Clavenor's skin pictures into a folder: the main window's background, the picture
// buttons (each with an up, a hot and a down image), the separator, the logo, the time
// display, the trim bar artwork and the progress window's background.
//
// The pictures are committed under src/resources/; run scripts/make-skin.sh after changing
// this file. Usage: make_skin <output folder>
//
// Colours: the window body is 3D414D; the accent is a clear blue. Every shape is drawn with
// antialiasing except the window outline itself, which must stay crisp because the window
// region is cut from the pixels of the transparent colour (the bottom-left pixel's).

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kBody(0x3D, 0x41, 0x4D);
const QColor kKey(0xFF, 0x00, 0xFF); // cut out of the window region
const QColor kOutline(0x1B, 0x1F, 0x26);
const QColor kAccent(0x3B, 0x8E, 0xEA);
const QColor kAccentDark(0x1F, 0x5F, 0xB8);
const QColor kText(0xF2, 0xF5, 0xF9);
const QColor kGlyph(0xC9, 0xD3, 0xE0);

QString gOut;
QStringList gWritten;

void Save(const QImage& image, const QString& name) {
    gWritten << name + ".png";
    const QString path = gOut + "/" + name + ".png";
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QImage NewImage(int w, int h, QColor fill = Qt::transparent) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QFont Font(int pixelSize, bool bold) {
    QFont f("Nimbus Sans");
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QPainterPath Rounded(QRectF r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// ---------------------------------------------------------------------------------------
// Background of the main window, 692 x 456.

void DrawAppMark(QPainter& p, QRectF r) {
    // A rounded blue tile with a film frame and a play arrow: the program's mark.
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x5C, 0xA8, 0xF5));
    g.setColorAt(1, QColor(0x1E, 0x5E, 0xC0));
    p.setPen(QPen(QColor(0x12, 0x3A, 0x78), 1));
    p.setBrush(g);
    p.drawPath(Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), r.width() * 0.22));
    // gloss
    QLinearGradient gloss(r.topLeft(), QPointF(r.left(), r.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawPath(Rounded(r.adjusted(2, 2, -2, -r.height() / 2), r.width() * 0.18));
    // play arrow
    const qreal cx = r.center().x() + r.width() * 0.05, cy = r.center().y();
    const qreal s = r.width() * 0.24;
    QPainterPath tri;
    tri.moveTo(cx - s * 0.8, cy - s);
    tri.lineTo(cx + s, cy);
    tri.lineTo(cx - s * 0.8, cy + s);
    tri.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 240));
    p.drawPath(tri);
    // sprocket holes along the left and right edges
    p.setBrush(QColor(255, 255, 255, 110));
    for (int i = 0; i < 4; ++i) {
        const qreal y = r.top() + r.height() * (0.2 + 0.2 * i) - 1.5;
        p.drawRoundedRect(QRectF(r.left() + r.width() * 0.1, y, 3, 3), 0.8, 0.8);
        p.drawRoundedRect(QRectF(r.right() - r.width() * 0.1 - 3, y, 3, 3), 0.8, 0.8);
    }
}

void DrawInset(QPainter& p, QRectF r, qreal radius, QColor fill) {
    // A recessed panel: darker fill, a dark top-left edge and a light bottom-right one.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2B, 0x2F, 0x38));
    p.drawPath(Rounded(r, radius));
    p.setBrush(QColor(0x56, 0x5E, 0x6D));
    p.drawPath(Rounded(r.adjusted(1, 1, 0, 0), radius));
    p.setBrush(fill);
    p.drawPath(Rounded(r.adjusted(1, 1, -1, -1), radius - 0.5));
}

void MakeBackground() {
    const int W = 692, H = 456;
    QImage image = NewImage(W, H, kKey);
    QPainter p(&image);

    // The outline: drawn without antialiasing so that no pixel blends with the key colour.
    const QPainterPath outline = Rounded(QRectF(0, 0, W, H), 14);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawPath(outline);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Body
    const QPainterPath body = Rounded(QRectF(1, 1, W - 2, H - 2), 13);
    p.setBrush(kBody);
    p.drawPath(body);
    p.setClipPath(body);

    // Header band behind the title, the window buttons and the link buttons.
    QLinearGradient head(0, 0, 0, 128);
    head.setColorAt(0.0, QColor(0x55, 0x62, 0x78));
    head.setColorAt(0.45, QColor(0x44, 0x4D, 0x5E));
    head.setColorAt(1.0, kBody);
    p.setBrush(head);
    p.drawRect(QRectF(0, 0, W, 128));
    // fine highlight along the very top
    p.setPen(QPen(QColor(255, 255, 255, 55), 1));
    p.drawLine(QPointF(14, 1.5), QPointF(W - 14, 1.5));
    // a soft blue glow in the top-left corner, behind the mark
    QRadialGradient glow(QPointF(40, 38), 120);
    glow.setColorAt(0, QColor(0x3B, 0x8E, 0xEA, 70));
    glow.setColorAt(1, QColor(0x3B, 0x8E, 0xEA, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRect(QRectF(0, 0, W, H));

    // The program's mark left of the title label (63, 32).
    DrawAppMark(p, QRectF(20, 24, 38, 38));

    // Title underline
    QLinearGradient rule(63, 0, 600, 0);
    rule.setColorAt(0, QColor(0x3B, 0x8E, 0xEA, 200));
    rule.setColorAt(0.6, QColor(0x3B, 0x8E, 0xEA, 60));
    rule.setColorAt(1, QColor(0x3B, 0x8E, 0xEA, 0));
    p.setBrush(rule);
    p.drawRect(QRectF(63, 61, 420, 1.5));

    // Small tagline under the title, left of the link buttons.
    p.setPen(QColor(0xA9, 0xB6, 0xC8));
    p.setFont(Font(11, false));
    p.drawText(QRectF(292, 80, 110, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               "MP4 \u00B7 MOV \u00B7 AAC\nM4A \u00B7 MP3");
    // A divider in the gap between the e-mail and the help buttons.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(536.5, 80), QPointF(536.5, 114));
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.drawLine(QPointF(537.5, 80), QPointF(537.5, 114));

    // Frame of the preview area (video window at 26, 76, 253 x 152).
    DrawInset(p, QRectF(21, 71, 263, 162), 5, QColor(0x16, 0x19, 0x1F));
    // Trim bar (22, 234, 260 x 19) sits on the body colour; a thin groove under it.
    // Transport strip behind the player buttons and the time display.
    DrawInset(p, QRectF(21, 255, 263, 33), 6, QColor(0x33, 0x38, 0x43));

    // Settings group: a faint rounded frame around the selectors and options.
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Rounded(QRectF(283.5, 129.5, 391, 157), 7));
    p.setPen(QPen(QColor(0, 0, 0, 45), 1));
    p.drawPath(Rounded(QRectF(284.5, 130.5, 389, 155), 6.5));

    // Frame of the source list (22, 292, 525 x 138).
    DrawInset(p, QRectF(20, 290, 529, 142), 4, QColor(0x2A, 0x2E, 0x36));
    // Frame of the command buttons column.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 28));
    p.drawPath(Rounded(QRectF(551, 285, 118, 150), 7));

    // Footer: a thin gradient line and a darker strip.
    QLinearGradient foot(0, H - 22, 0, H);
    foot.setColorAt(0, QColor(0x3D, 0x41, 0x4D, 0));
    foot.setColorAt(1, QColor(0x2A, 0x2E, 0x37));
    p.setBrush(foot);
    p.drawRect(QRectF(0, H - 22, W, 22));

    p.end();
    Save(image, "background");
}

// ---------------------------------------------------------------------------------------
// Picture buttons: three states each.

enum class State { Up, Hot, Down };
const char* Suffix(State s) {
    return s == State::Up ? "_up" : s == State::Hot ? "_hot" : "_down";
}

using Glyph = std::function<void(QPainter&, QRectF, QColor)>;

// A plain slate button with a caption and an optional glyph at its left.
void TextButton(const QString& name, int w, int h, const QString& caption, const Glyph& glyph,
                bool accent, int fontSize) {
    for (State s : {State::Up, State::Hot, State::Down}) {
        QImage image = NewImage(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QRectF r(0.5, 0.5, w - 1, h - 1);
        const qreal radius = h >= 30 ? 6 : 4;
        QColor top, bottom, border;
        if (accent) {
            top = s == State::Hot ? QColor(0x6A, 0xB4, 0xFF) : QColor(0x4C, 0x9D, 0xF2);
            bottom = s == State::Hot ? QColor(0x2C, 0x78, 0xD8) : kAccentDark;
            border = QColor(0x14, 0x3F, 0x7E);
        } else {
            top = s == State::Hot ? QColor(0x6A, 0x77, 0x8C) : QColor(0x5A, 0x65, 0x77);
            bottom = s == State::Hot ? QColor(0x48, 0x53, 0x66) : QColor(0x3B, 0x43, 0x51);
            border = QColor(0x22, 0x27, 0x30);
        }
        if (s == State::Down)
            std::swap(top, bottom);
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setPen(QPen(border, 1));
        p.setBrush(g);
        p.drawPath(Rounded(r, radius));
        if (s != State::Down) { // top highlight
            p.setPen(QPen(QColor(255, 255, 255, accent ? 90 : 55), 1));
            p.drawLine(QPointF(radius, 1.5), QPointF(w - radius, 1.5));
        }
        if (s == State::Hot) { // hover ring
            p.setPen(QPen(QColor(0x8C, 0xC4, 0xFF, 150), 1));
            p.setBrush(Qt::NoBrush);
            p.drawPath(Rounded(r.adjusted(1, 1, -1, -1), radius - 1));
        }
        const qreal shift = s == State::Down ? 1 : 0;
        QFont f = Font(fontSize, true);
        QFontMetricsF fm(f);
        const qreal glyphSize = glyph ? std::round(h * 0.46) : 0;
        const qreal gap = glyph ? 7 : 0;
        const qreal textW = fm.horizontalAdvance(caption);
        const qreal total = glyphSize + gap + textW;
        const qreal x0 = std::round((w - total) / 2) + shift;
        if (glyph)
            glyph(p, QRectF(x0, (h - glyphSize) / 2 + shift, glyphSize, glyphSize), kText);
        p.setFont(f);
        // a soft shadow under the caption
        p.setPen(QColor(0, 0, 0, 90));
        p.drawText(QRectF(x0 + glyphSize + gap, shift + 1, textW + 2, h), Qt::AlignVCenter,
                   caption);
        p.setPen(kText);
        p.drawText(QRectF(x0 + glyphSize + gap, shift, textW + 2, h), Qt::AlignVCenter, caption);
        p.end();
        Save(image, name + Suffix(s));
    }
}

// A round (or rounded square) button that shows only a glyph.
void GlyphButton(const QString& name, int size, const Glyph& glyph, bool round, bool danger) {
    for (State s : {State::Up, State::Hot, State::Down}) {
        QImage image = NewImage(size, size);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(0.5, 0.5, size - 1, size - 1);
        QPainterPath shape;
        if (round)
            shape.addEllipse(r);
        else
            shape = Rounded(r, size * 0.22);
        QColor top, bottom, border, ink;
        switch (s) {
        case State::Up:
            top = QColor(0x55, 0x60, 0x72);
            bottom = QColor(0x3A, 0x42, 0x50);
            border = QColor(0x23, 0x28, 0x31);
            ink = kGlyph;
            break;
        case State::Hot:
            top = danger ? QColor(0xF0, 0x6A, 0x5E) : QColor(0x5F, 0xAA, 0xF8);
            bottom = danger ? QColor(0xC2, 0x37, 0x2C) : QColor(0x2A, 0x72, 0xD2);
            border = danger ? QColor(0x7A, 0x1E, 0x17) : QColor(0x16, 0x45, 0x88);
            ink = Qt::white;
            break;
        case State::Down:
            top = danger ? QColor(0x9E, 0x2B, 0x22) : QColor(0x1D, 0x55, 0xA6);
            bottom = danger ? QColor(0xC8, 0x43, 0x38) : QColor(0x33, 0x7A, 0xD6);
            border = danger ? QColor(0x5E, 0x15, 0x10) : QColor(0x10, 0x35, 0x6C);
            ink = QColor(0xE6, 0xEE, 0xF8);
            break;
        }
        QLinearGradient g(0, 0, 0, size);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setPen(QPen(border, 1));
        p.setBrush(g);
        p.drawPath(shape);
        if (s != State::Down) {
            // gloss on the upper half
            QLinearGradient gloss(0, 0, 0, size * 0.55);
            gloss.setColorAt(0, QColor(255, 255, 255, s == State::Hot ? 80 : 45));
            gloss.setColorAt(1, QColor(255, 255, 255, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(gloss);
            QPainterPath upper;
            if (round)
                upper.addEllipse(r.adjusted(size * 0.12, 1.5, -size * 0.12, -size * 0.45));
            else
                upper = Rounded(r.adjusted(1.5, 1.5, -1.5, -size * 0.5), size * 0.18);
            p.drawPath(upper);
        }
        const qreal shift = s == State::Down ? 0.8 : 0;
        const qreal inset = size * 0.27;
        glyph(p, r.adjusted(inset, inset, -inset, -inset).translated(shift, shift), ink);
        p.end();
        Save(image, name + Suffix(s));
    }
}

// ---------------------------------------------------------------------------------------
// Glyphs: drawn into a square r in the colour c.

QPen Stroke(QColor c, qreal width) {
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void GlyphMinimize(QPainter& p, QRectF r, QColor c) {
    p.setPen(Stroke(c, 2));
    p.drawLine(QPointF(r.left() + 1, r.bottom() - 2), QPointF(r.right() - 1, r.bottom() - 2));
}

void GlyphClose(QPainter& p, QRectF r, QColor c) {
    p.setPen(Stroke(c, 2));
    const QRectF s = r.adjusted(1, 1, -1, -1);
    p.drawLine(s.topLeft(), s.bottomRight());
    p.drawLine(s.topRight(), s.bottomLeft());
}

void GlyphHome(QPainter& p, QRectF r, QColor c) {
    p.setPen(Stroke(c, 2.2));
    p.setBrush(Qt::NoBrush);
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    QPainterPath roof;
    roof.moveTo(l, t + h * 0.48);
    roof.lineTo(l + w / 2, t + h * 0.05);
    roof.lineTo(l + w, t + h * 0.48);
    p.drawPath(roof);
    QPainterPath house;
    house.moveTo(l + w * 0.16, t + h * 0.38);
    house.lineTo(l + w * 0.16, t + h * 0.95);
    house.lineTo(l + w * 0.84, t + h * 0.95);
    house.lineTo(l + w * 0.84, t + h * 0.38);
    p.drawPath(house);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(l + w * 0.41, t + h * 0.62, w * 0.18, h * 0.33), 1, 1);
}

void GlyphMail(QPainter& p, QRectF r, QColor c) {
    p.setPen(Stroke(c, 2));
    p.setBrush(Qt::NoBrush);
    const QRectF e(r.left(), r.top() + r.height() * 0.16, r.width(), r.height() * 0.68);
    p.drawRoundedRect(e, 2, 2);
    QPainterPath flap;
    flap.moveTo(e.left() + 1, e.top() + 1);
    flap.lineTo(e.center().x(), e.top() + e.height() * 0.58);
    flap.lineTo(e.right() - 1, e.top() + 1);
    p.drawPath(flap);
}

void GlyphLetter(QPainter& p, QRectF r, QColor c, const QString& letter, bool serif) {
    QFont f = Font(int(r.height() * 1.05), true);
    if (serif)
        f.setFamily("DejaVu Serif");
    p.setFont(f);
    p.setPen(c);
    p.drawText(r.adjusted(-4, -4, 4, 4), Qt::AlignCenter, letter);
}

void GlyphHelp(QPainter& p, QRectF r, QColor c) {
    GlyphLetter(p, r, c, "?", false);
}
void GlyphAbout(QPainter& p, QRectF r, QColor c) {
    GlyphLetter(p, r, c, "i", true);
}

void GlyphPlay(QPainter& p, QRectF r, QColor c) {
    QPainterPath tri;
    const qreal l = r.left() + r.width() * 0.18;
    tri.moveTo(l, r.top());
    tri.lineTo(r.right() + r.width() * 0.05, r.center().y());
    tri.lineTo(l, r.bottom());
    tri.closeSubpath();
    p.setPen(Stroke(c, 1));
    p.setBrush(c);
    p.drawPath(tri);
}

void GlyphPause(QPainter& p, QRectF r, QColor c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal bw = r.width() * 0.32;
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.06, r.top(), bw, r.height()), 1, 1);
    p.drawRoundedRect(QRectF(r.right() - r.width() * 0.06 - bw, r.top(), bw, r.height()), 1, 1);
}

void GlyphStop(QPainter& p, QRectF r, QColor c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
}

void GlyphPlus(QPainter& p, QRectF r, QColor c) {
    p.setPen(Stroke(c, 2.4));
    p.drawLine(QPointF(r.center().x(), r.top() + 1), QPointF(r.center().x(), r.bottom() - 1));
    p.drawLine(QPointF(r.left() + 1, r.center().y()), QPointF(r.right() - 1, r.center().y()));
}

void GlyphMinus(QPainter& p, QRectF r, QColor c) {
    p.setPen(Stroke(c, 2.4));
    p.drawLine(QPointF(r.left() + 1, r.center().y()), QPointF(r.right() - 1, r.center().y()));
}

void GlyphClear(QPainter& p, QRectF r, QColor c) {
    // a waste bin
    p.setPen(Stroke(c, 1.8));
    p.setBrush(Qt::NoBrush);
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    p.drawLine(QPointF(l, t + h * 0.2), QPointF(l + w, t + h * 0.2));
    p.drawLine(QPointF(l + w * 0.36, t + h * 0.2), QPointF(l + w * 0.4, t));
    p.drawLine(QPointF(l + w * 0.4, t), QPointF(l + w * 0.6, t));
    p.drawLine(QPointF(l + w * 0.6, t), QPointF(l + w * 0.64, t + h * 0.2));
    QPainterPath bin;
    bin.moveTo(l + w * 0.12, t + h * 0.3);
    bin.lineTo(l + w * 0.2, t + h);
    bin.lineTo(l + w * 0.8, t + h);
    bin.lineTo(l + w * 0.88, t + h * 0.3);
    p.drawPath(bin);
    p.drawLine(QPointF(l + w * 0.5, t + h * 0.42), QPointF(l + w * 0.5, t + h * 0.86));
}

void GlyphConvert(QPainter& p, QRectF r, QColor c) {
    // two arrows chasing each other
    p.setPen(Stroke(c, 2.2));
    p.setBrush(Qt::NoBrush);
    const QRectF a = r.adjusted(1, 1, -1, -1);
    p.drawArc(a, 30 * 16, 150 * 16);
    p.drawArc(a, 210 * 16, 150 * 16);
    auto head = [&](qreal angleDeg, int dir) {
        const qreal rad = angleDeg * M_PI / 180;
        const QPointF tip(a.center().x() + a.width() / 2 * std::cos(rad),
                          a.center().y() - a.height() / 2 * std::sin(rad));
        const qreal tangent = rad + dir * M_PI / 2;
        const QPointF along(std::cos(tangent), -std::sin(tangent));
        const QPointF across(-along.y(), along.x());
        QPainterPath h;
        h.moveTo(tip + along * 3.2);
        h.lineTo(tip - along * 1.2 + across * 3.2);
        h.lineTo(tip - along * 1.2 - across * 3.2);
        h.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(h);
    };
    head(30, -1);
    head(210, -1);
}

void GlyphFolder(QPainter& p, QRectF r, QColor c) {
    p.setPen(Stroke(c, 1.6));
    p.setBrush(Qt::NoBrush);
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    QPainterPath f;
    f.moveTo(l, t + h * 0.15);
    f.lineTo(l + w * 0.38, t + h * 0.15);
    f.lineTo(l + w * 0.5, t + h * 0.3);
    f.lineTo(l + w, t + h * 0.3);
    f.lineTo(l + w, t + h * 0.9);
    f.lineTo(l, t + h * 0.9);
    f.closeSubpath();
    p.drawPath(f);
}

void GlyphGear(QPainter& p, QRectF r, QColor c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const QPointF ctr = r.center();
    const qreal outer = r.width() / 2, inner = outer * 0.68;
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i - 0.5) * M_PI / teeth, a1 = (i + 0.5) * M_PI / teeth;
        const qreal rad = (i % 2 == 0) ? outer : inner;
        const QPointF p0(ctr.x() + rad * std::cos(a0), ctr.y() + rad * std::sin(a0));
        const QPointF p1(ctr.x() + rad * std::cos(a1), ctr.y() + rad * std::sin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(ctr, outer * 0.3, outer * 0.3);
    gear.setFillRule(Qt::OddEvenFill);
    p.drawPath(gear);
}

void GlyphStopSquare(QPainter& p, QRectF r, QColor c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(
        r.adjusted(r.width() * 0.12, r.height() * 0.12, -r.width() * 0.12, -r.height() * 0.12), 1.5,
        1.5);
}

// ---------------------------------------------------------------------------------------
// Other pictures.

void MakeSeparator() {
    QImage image = NewImage(379, 5);
    QPainter p(&image);
    QLinearGradient dark(0, 0, 379, 0);
    dark.setColorAt(0, QColor(0x20, 0x24, 0x2C, 0));
    dark.setColorAt(0.15, QColor(0x20, 0x24, 0x2C, 220));
    dark.setColorAt(0.85, QColor(0x20, 0x24, 0x2C, 220));
    dark.setColorAt(1, QColor(0x20, 0x24, 0x2C, 0));
    p.fillRect(QRectF(0, 1, 379, 1), dark);
    QLinearGradient light(0, 0, 379, 0);
    light.setColorAt(0, QColor(0x6E, 0x7A, 0x8E, 0));
    light.setColorAt(0.15, QColor(0x6E, 0x7A, 0x8E, 200));
    light.setColorAt(0.5, QColor(0x7F, 0xB6, 0xF5, 230));
    light.setColorAt(0.85, QColor(0x6E, 0x7A, 0x8E, 200));
    light.setColorAt(1, QColor(0x6E, 0x7A, 0x8E, 0));
    p.fillRect(QRectF(0, 2, 379, 1), light);
    p.end();
    Save(image, "separator");
}

void MakeLogo() {
    // Shown in the black preview area while no file plays.
    const int W = 200, H = 110;
    QImage image = NewImage(W, H);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawAppMark(p, QRectF((W - 52) / 2.0, 6, 52, 52));
    QFont f = Font(24, true);
    f.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(f);
    p.setPen(QColor(0xE8, 0xEE, 0xF6));
    p.drawText(QRectF(0, 62, W, 28), Qt::AlignCenter, "Clavenor");
    p.setFont(Font(11, false));
    p.setPen(QColor(0x8A, 0x98, 0xAC));
    p.drawText(QRectF(0, 89, W, 16), Qt::AlignCenter, "video converter");
    p.end();
    Save(image, "logo");
}

void MakeTimeDisplay() {
    // imgPlay: 136 x 38, the picture behind the position display (81 x 17 at 25, 11).
    const int W = 136, H = 38;
    QImage image = NewImage(W, H);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, H);
    g.setColorAt(0, QColor(0x2A, 0x30, 0x3A));
    g.setColorAt(1, QColor(0x1F, 0x24, 0x2C));
    p.setPen(QPen(QColor(0x56, 0x60, 0x70), 1));
    p.setBrush(g);
    p.drawPath(Rounded(QRectF(2.5, 4.5, W - 5, H - 9), 6));
    // the lit window in which the time shows
    p.setPen(QPen(QColor(0x0B, 0x0D, 0x11), 1));
    p.setBrush(Qt::black);
    p.drawPath(Rounded(QRectF(22.5, 9.5, 87, 19), 3));
    // two small status dots
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3B, 0x8E, 0xEA));
    p.drawEllipse(QPointF(12, 19), 2.5, 2.5);
    p.setBrush(QColor(0x6B, 0x77, 0x8A));
    p.drawEllipse(QPointF(121, 19), 2, 2);
    p.drawEllipse(QPointF(127, 19), 2, 2);
    p.end();
    Save(image, "timedisplay");
}

void MakeTrimPictures() {
    // The two handles, 17 x 19: a grip with an arrow pointing inward.
    for (int side = 0; side < 2; ++side) {
        QImage image = NewImage(17, 19);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 17, 0);
        g.setColorAt(0, QColor(0x6C, 0xB6, 0xFF));
        g.setColorAt(1, QColor(0x2A, 0x72, 0xD2));
        p.setPen(QPen(QColor(0x14, 0x3F, 0x7E), 1));
        p.setBrush(g);
        p.drawPath(Rounded(QRectF(0.5, 0.5, 16, 18), 3));
        p.setPen(Stroke(QColor(255, 255, 255, 220), 1));
        for (int i = 0; i < 3; ++i) {
            const qreal x = side == 0 ? 5.5 + i * 2 : 7.5 + i * 2;
            p.drawLine(QPointF(x, 5), QPointF(x, 14));
        }
        p.end();
        Save(image, side == 0 ? "trim_left" : "trim_right");
    }
    // The fills: outside the cut (dim) and the part that is converted (blue).
    QImage outside = NewImage(4, 19);
    {
        QPainter p(&outside);
        QLinearGradient g(0, 0, 0, 19);
        g.setColorAt(0, QColor(0x24, 0x28, 0x31));
        g.setColorAt(1, QColor(0x34, 0x39, 0x45));
        p.fillRect(QRectF(0, 4, 4, 11), g);
    }
    Save(outside, "trim_outside");
    QImage inside = NewImage(4, 19);
    {
        QPainter p(&inside);
        QLinearGradient g(0, 0, 0, 19);
        g.setColorAt(0, QColor(0x5C, 0xA8, 0xF5));
        g.setColorAt(1, QColor(0x24, 0x66, 0xC6));
        p.fillRect(QRectF(0, 5, 4, 9), g);
    }
    Save(inside, "trim_inside");
}

void MakeConvertingBackground() {
    // The progress window, 420 x 256: a caption bar of 32 pixels, the body, and the status
    // bar strip of 22 pixels at the bottom. Cut to its outline like the main window.
    const int W = 420, H = 256;
    QImage image = NewImage(W, H, kKey);
    QPainter p(&image);
    const QPainterPath outline = Rounded(QRectF(0, 0, W, H), 10);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawPath(outline);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath body = Rounded(QRectF(1, 1, W - 2, H - 2), 9);
    p.setBrush(kBody);
    p.drawPath(body);
    p.setClipPath(body);

    // caption bar
    QLinearGradient head(0, 0, 0, 32);
    head.setColorAt(0, QColor(0x58, 0x66, 0x7D));
    head.setColorAt(1, QColor(0x43, 0x4C, 0x5C));
    p.fillRect(QRectF(0, 0, W, 32), head);
    p.setPen(QPen(QColor(255, 255, 255, 55), 1));
    p.drawLine(QPointF(10, 1.5), QPointF(W - 10, 1.5));
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawLine(QPointF(0, 32.5), QPointF(W, 32.5));
    QRadialGradient glow(QPointF(30, 50), 110);
    glow.setColorAt(0, QColor(0x3B, 0x8E, 0xEA, 55));
    glow.setColorAt(1, QColor(0x3B, 0x8E, 0xEA, 0));
    p.fillRect(QRectF(0, 33, W, H), glow);
    DrawAppMark(p, QRectF(9, 7, 18, 18));

    // the status bar strip at the bottom
    p.fillRect(QRectF(0, H - 22, W, 22), QColor(0x2A, 0x2E, 0x37));
    p.setPen(QPen(QColor(0, 0, 0, 80), 1));
    p.drawLine(QPointF(0, H - 22.5), QPointF(W, H - 22.5));
    p.end();
    Save(image, "converting_background");
}

void MakeCheckMark() {
    // The tick of the skinned check boxes, 13 x 13, white on transparent.
    QImage image = NewImage(13, 13);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Stroke(Qt::white, 2));
    QPainterPath tick;
    tick.moveTo(3, 6.8);
    tick.lineTo(5.6, 9.4);
    tick.lineTo(10.2, 3.8);
    p.drawPath(tick);
    p.end();
    Save(image, "check");
}

void MakeIcon() {
    QImage image = NewImage(64, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawAppMark(p, QRectF(2, 2, 60, 60));
    p.end();
    Save(image, "icon");
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skin <output folder>\n");
        return 2;
    }
    gOut = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(gOut);

    MakeBackground();
    MakeSeparator();
    MakeLogo();
    MakeTimeDisplay();
    MakeTrimPictures();
    MakeConvertingBackground();
    MakeIcon();
    MakeCheckMark();

    GlyphButton("minimize", 25, GlyphMinimize, false, false);
    GlyphButton("close", 25, GlyphClose, false, true);
    GlyphButton("homepage", 48, GlyphHome, true, false);
    GlyphButton("email", 48, GlyphMail, true, false);
    GlyphButton("help", 48, GlyphHelp, true, false);
    GlyphButton("about", 48, GlyphAbout, true, false);
    GlyphButton("play", 25, GlyphPlay, true, false);
    GlyphButton("pause", 25, GlyphPause, true, false);
    GlyphButton("stop", 25, GlyphStop, true, false);

    TextButton("options", 70, 20, "Options", GlyphGear, false, 11);
    TextButton("browse", 70, 20, "Browse", GlyphFolder, false, 11);
    TextButton("openfile", 110, 30, "Add Files", GlyphPlus, false, 13);
    TextButton("removefile", 110, 30, "Remove", GlyphMinus, false, 13);
    TextButton("clearfile", 110, 30, "Clear", GlyphClear, false, 13);
    TextButton("convert", 110, 40, "Convert", GlyphConvert, true, 15);
    TextButton("stopjob", 96, 28, "Stop", GlyphStopSquare, false, 13);

    // The resource list that compiles the pictures into the program.
    QFile qrc(gOut + "/skin.qrc");
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(qrc.fileName()));
        return 1;
    }
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/skin\">\n";
    gWritten.sort();
    for (const QString& file : gWritten)
        out << "    <file>" << file << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return 0;
}
