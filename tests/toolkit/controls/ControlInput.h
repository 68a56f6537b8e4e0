// Synthetic keys, mouse and focus changes for the control tests, sent straight to the widget
// so that no window manager or event loop timing is involved.
#pragma once

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

namespace controlinput {

inline void Key(QWidget *w, int key, const QString &text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

// Types the text character by character, as key presses.
inline void Type(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        const int key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
        Key(w, key, QString(c));
    }
}

inline void Mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons held = Qt::NoButton)
{
    const QPointF local(pos);
    QMouseEvent event(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void Press(QWidget *w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonPress, pos, button, button);
}
inline void Move(QWidget *w, QPoint pos, Qt::MouseButtons held = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}
inline void Release(QWidget *w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}
inline void Click(QWidget *w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    Press(w, pos, button);
    Release(w, pos, button);
}
// Press, release, double click, release: what a person's double click delivers.
inline void DoubleClick(QWidget *w, QPoint pos)
{
    Click(w, pos);
    Mouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
    Release(w, pos);
}

inline void FocusOut(QWidget *w, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent event(QEvent::FocusOut, reason);
    QApplication::sendEvent(w, &event);
}

} // namespace controlinput
