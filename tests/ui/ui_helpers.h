#pragma once
// Small helpers for driving widgets on the offscreen platform.

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include <functional>

namespace clavenor_test {

// Processes events until done() holds or a generous deadline passes; returns done().
inline bool WaitUntil(const std::function<bool()>& done, int maxMs = 10000) {
    QDeadlineTimer deadline(maxMs);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A left click (press and release) at pos of widget.
inline void Click(QWidget* widget, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF local(pos);
    const QPointF global(widget->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(widget, &release);
}

// The text of the label named name inside window, or "<missing>".
inline QString LabelText(const QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

} // namespace clavenor_test
