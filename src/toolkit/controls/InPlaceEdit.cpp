// The in-place edit: its two kinds of edit window and the keys it reports.
#include "toolkit/controls/InPlaceEdit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

CInPlaceEdit::CInPlaceEdit(QObject *parent) : QObject(parent) {}

CInPlaceEdit::~CInPlaceEdit()
{
    if (m_window)
        m_window->removeEventFilter(this);
}

bool CInPlaceEdit::CreateEditWindow(bool multiLine, QWidget *parent, int controlId, const QFont &font)
{
    if (m_window && (m_multiLine != multiLine || m_window->parentWidget() != parent)) {
        m_window->removeEventFilter(this);
        delete m_window.data();
    }
    if (!m_window) {
        if (multiLine) {
            auto *edit = new QPlainTextEdit(parent);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setTabChangesFocus(false);
            m_window = edit;
        } else {
            m_window = new QLineEdit(parent);
        }
        m_window->hide();
        m_window->installEventFilter(this);
    }
    m_multiLine = multiLine;
    m_controlId = controlId;
    m_window->setFont(font);
    m_window->update();
    return m_window != nullptr;
}

QString CInPlaceEdit::Text() const
{
    if (auto *line = qobject_cast<QLineEdit *>(m_window.data()))
        return line->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(m_window.data()))
        return plain->toPlainText();
    return {};
}

void CInPlaceEdit::SetText(const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(m_window.data()))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(m_window.data()))
        plain->setPlainText(text);
}

bool CInPlaceEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        int virtualKey = 0;
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            virtualKey = kVirtualTab;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            virtualKey = kVirtualReturn;
            break;
        case Qt::Key_Escape:
            virtualKey = kVirtualEscape;
            break;
        default:
            return false;
        }
        // The keys go no further: the edit neither inserts them nor moves the focus, and a
        // dialog around it does not take Enter or Escape for itself.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            emit keyNotify(virtualKey, key->isAutoRepeat() ? kRepeatFlag : 0u);
        return true;
    }
    case QEvent::FocusOut: {
        if (m_forwarding)
            return false;
        // Reported after the edit's own handling.
        m_forwarding = true;
        QCoreApplication::sendEvent(m_window, event);
        m_forwarding = false;
        emit focusLost();
        return true;
    }
    default:
        return false;
    }
}
