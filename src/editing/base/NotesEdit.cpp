// The notes field.
#include "editing/base/NotesEdit.h"

#include "editing/base/InsertDateTimeDlg.h"
#include "editing/base/LinkDetector.h"
#include "editing/base/ReminderWindowsGate.h"
#include "toolkit/controls/LinkOpener.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

NotesCommandState NotesCommandState::For(bool readOnly, bool hasSelection, bool canPaste, bool canUndo)
{
    NotesCommandState s;
    const bool editable = !readOnly;
    s.undo = editable && canUndo;
    s.cut = editable && hasSelection;
    s.copy = hasSelection;
    s.paste = editable && canPaste;
    s.clear = editable && hasSelection;
    s.selectAll = true;
    s.insertDateTime = editable;
    return s;
}

CNotesEdit::CNotesEdit(QWidget *parent, int maxLength) : QTextEdit(parent), m_maxLength(maxLength)
{
    setAcceptRichText(false);
    setTabChangesFocus(true);
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (m_updating)
            return;
        EnforceLimit();
        UpdateLinks();
    });
}

QString CNotesEdit::GetStoredText() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void CNotesEdit::SetStoredText(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_updating = true;
    setPlainText(plain.left(m_maxLength));
    m_updating = false;
    UpdateLinks();
    document()->setModified(false);
}

void CNotesEdit::EnforceLimit()
{
    const QString text = toPlainText();
    if (text.size() <= m_maxLength)
        return;
    m_updating = true;
    QTextCursor cursor(document());
    cursor.setPosition(m_maxLength);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_updating = false;
    QApplication::beep();
}

void CNotesEdit::UpdateLinks()
{
    m_updating = true;
    const bool modified = document()->isModified();
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    QTextCharFormat plain;
    plain.setAnchor(false);
    plain.setAnchorHref(QString());
    plain.setFontUnderline(false);
    plain.setForeground(palette().text());
    all.mergeCharFormat(plain);
    for (const DetectedLink &link : CLinkDetector::Find(toPlainText())) {
        QTextCursor cursor(document());
        cursor.setPosition(link.start);
        cursor.setPosition(link.start + link.length, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorHref(link.url.toString());
        anchor.setFontUnderline(true);
        anchor.setForeground(palette().link());
        cursor.mergeCharFormat(anchor);
    }
    document()->setModified(modified);
    m_updating = false;
}

bool CNotesEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || (!m_plainPaste && QTextEdit::canInsertFromMimeData(source));
}

void CNotesEdit::insertFromMimeData(const QMimeData *source)
{
    // Records hold plain text: formatting is never taken over.
    if (source->hasText())
        textCursor().insertText(source->text());
    else if (!m_plainPaste)
        QTextEdit::insertFromMimeData(source);
}

void CNotesEdit::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
            if (auto *dialog = qobject_cast<QDialog *>(w)) {
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                break;
            }
        }
        return;
    }
    if (ctrl && (event->modifiers() & Qt::ShiftModifier) && event->key() == Qt::Key_D) {
        if (!isReadOnly())
            InsertDateTime();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void CNotesEdit::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    if (document()->isModified()) {
        document()->setModified(false);
        emit notesChanged();
    }
}

void CNotesEdit::InsertDateTime()
{
    CInsertDateTimeDlg dialog(this);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() == QDialog::Accepted)
        textCursor().insertText(dialog.GetResult());
}

QMenu *CNotesEdit::CreateNotesMenu(QWidget *parent)
{
    const bool hasSelection = textCursor().hasSelection();
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    const NotesCommandState state = NotesCommandState::For(
        isReadOnly(), hasSelection, clip && canInsertFromMimeData(clip), document()->isUndoAvailable());
    auto *menu = new QMenu(parent);
    menu->addAction(tr("&Undo"), this, &QTextEdit::undo)->setEnabled(state.undo);
    menu->addSeparator();
    menu->addAction(tr("Cu&t"), this, &QTextEdit::cut)->setEnabled(state.cut);
    menu->addAction(tr("&Copy"), this, &QTextEdit::copy)->setEnabled(state.copy);
    menu->addAction(tr("&Paste"), this, &QTextEdit::paste)->setEnabled(state.paste);
    menu->addAction(tr("Clea&r"), this, [this] { textCursor().removeSelectedText(); })
        ->setEnabled(state.clear);
    menu->addSeparator();
    menu->addAction(tr("Select A&ll"), this, &QTextEdit::selectAll);
    if (state.insertDateTime) {
        menu->addSeparator();
        menu->addAction(tr("Insert &Date && Time"), this, &CNotesEdit::InsertDateTime);
    }
    return menu;
}

void CNotesEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = CreateNotesMenu(this);
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapToGlobal(cursorRect().bottomLeft())
                          : event->globalPos();
    menu->exec(at);
    delete menu;
}

bool CNotesEdit::OpenLinkAt(const QPoint &point)
{
    const QString href = anchorAt(point);
    if (href.isEmpty())
        return false;
    const QUrl url(href);
    if (!CLinkDetector::MayOpen(url))
        return false;
    emit linkActivated(url);
    return CLinkOpener::Open(url);
}

void CNotesEdit::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint point = event->pos();
    QTextEdit::mouseReleaseEvent(event);
    // Only a plain left click opens a link; a drag that selected text does not.
    if (event->button() == Qt::LeftButton && !textCursor().hasSelection())
        OpenLinkAt(point);
}
