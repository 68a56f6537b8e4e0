// Synthetic keys and clicks for driving the colour pickers offscreen.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

inline void SendKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

inline void SendMouse(QWidget *target, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget *target, QPoint pos)
{
    SendMouse(target, QEvent::MouseButtonPress, pos);
    SendMouse(target, QEvent::MouseButtonRelease, pos);
}

inline void Click(QWidget *target)
{
    Click(target, target->rect().center());
}

// Shows a window and makes it the active one, so focus changes reach its widgets.
inline void ShowActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    QApplication::processEvents();
}
