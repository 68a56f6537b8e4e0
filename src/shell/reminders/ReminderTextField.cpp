// The reminder window's text fields.
#include "shell/reminders/ReminderTextField.h"

#include "editing/base/LinkDetector.h"
#include "toolkit/controls/LinkOpener.h"

#include <QMouseEvent>

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

bool CReminderTextField::OpenLinkAt(const QPoint &point)
{
    const QString href = anchorAt(point);
    if (href.isEmpty())
        return false;
    const QUrl url(href);
    return CLinkDetector::MayOpen(url) && CLinkOpener::Open(url);
}

void CReminderTextField::mouseReleaseEvent(QMouseEvent *event)
{
    // The notes field's own release would open the link directly; here the opener decides.
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !textCursor().hasSelection())
        OpenLinkAt(event->position().toPoint());
}
