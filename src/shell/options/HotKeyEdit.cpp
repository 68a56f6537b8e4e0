// The hot-key field.
#include "shell/options/HotKeyEdit.h"

#include "shell/options/HotKeyCodec.h"

#include <QKeyEvent>

CHotKeyEdit::CHotKeyEdit(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    SetWord(0);
}

void CHotKeyEdit::SetWord(std::uint16_t word)
{
    m_word = word;
    setText(CHotKeyCodec::ToText(word));
}

bool CHotKeyEdit::event(QEvent *e)
{
    // Tab with a modifier is a key to take, not a move to the next field.
    if (e->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(e);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CHotKeyEdit::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool bare = (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (bare && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        SetWord(0);
        emit wordChanged(0);
        return;
    }
    if (bare &&
        (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab || event->key() == Qt::Key_Escape ||
         event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore(); // moving on and the dialog's own keys
        return;
    }
    const std::uint16_t word =
        CHotKeyCodec::WithDefaultModifiers(CHotKeyCodec::FromKey(event->key(), modifiers));
    if (word == 0)
        return; // a modifier alone, or a key with no code
    SetWord(word);
    emit wordChanged(word);
}
