// The duration combo box widget: shows what its model decides and reports chosen durations.
#include "toolkit/controls/DurationComboBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

CDurationComboBox::CDurationComboBox(QWidget *parent) : CBitmapComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(17);
    connect(this, &QComboBox::activated, this, &CDurationComboBox::Picked);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_model.Edit(); });
}

void CDurationComboBox::FillList(bool zeroAllowed)
{
    clear();
    for (const CDurationComboModel::Entry &entry : m_model.FillList(zeroAllowed))
        addItem(entry.text, QVariant::fromValue(entry.data));
    setCurrentIndex(0);
}

void CDurationComboBox::SetDuration(const CDateSpan &span)
{
    setEditText(m_model.SetDuration(span));
}

void CDurationComboBox::Picked(int index)
{
    if (m_model.Pick(index)) {
        emit durationChanged(m_model.Duration().Value());
    } else if (index >= 0 && index == count() - 1) {
        // "Other...": ready for the user's own duration.
        lineEdit()->selectAll();
    }
}

void CDurationComboBox::CommitText()
{
    const CDurationComboModel::LeaveResult result = m_model.Leave(currentText());
    if (!result.text.isEmpty())
        setEditText(result.text);
    if (result.report)
        emit durationChanged(m_model.Duration().Value());
}

void CDurationComboBox::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason)
        CommitText();
    CBitmapComboBox::focusOutEvent(event);
}

void CDurationComboBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        CommitText();
    CBitmapComboBox::keyPressEvent(event);
}
