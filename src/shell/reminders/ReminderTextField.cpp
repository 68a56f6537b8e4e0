// The reminder window's text fields.
#include "shell/reminders/ReminderTextField.h"

CReminderTextField::CReminderTextField(bool singleLine, QWidget *parent) : CNotesEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                            Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::ClickFocus);
    if (singleLine) {
        setLineWrapMode(QTextEdit::NoWrap);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
}

void CReminderTextField::SetColors(bool own, const QColor &text, const QColor &background)
{
    QPalette p = palette();
    if (own) {
        p.setColor(QPalette::Base, background);
        p.setColor(QPalette::Window, background);
        p.setColor(QPalette::Text, text);
        p.setColor(QPalette::Disabled, QPalette::Base, background);
    } else {
        p = QPalette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
    }
    setPalette(p);
    viewport()->setAutoFillBackground(true);
}
