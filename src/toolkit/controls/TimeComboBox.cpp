// The time combo box widget: shows what its model decides and reports the changes.
#include "toolkit/controls/TimeComboBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

CTimeComboBox::CTimeComboBox(QWidget *parent, bool endOfDay) : QComboBox(parent)
{
    setEditable(true);
    // Typed text is read on leaving the field; it never becomes a list entry, and the list does
    // not complete what is being typed.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(12);
    m_model.SetEndOfDay(endOfDay);
    FillTimes();
    connect(this, &QComboBox::activated, this, [this](int index) { Report(m_model.Choose(index)); });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_model.Edit(); });
}

void CTimeComboBox::FillTimes()
{
    clear();
    for (const CTimeComboModel::Entry &entry : m_model.FillTimes())
        addItem(entry.text, QVariant::fromValue(entry.data));
    setCurrentIndex(0);
}

void CTimeComboBox::SetTime(const CDateTime &time)
{
    m_model.SetTime(time);
    ShowStored();
}

void CTimeComboBox::ShowStored()
{
    const int index = m_model.StoredEntryIndex();
    if (index >= 0) {
        setCurrentIndex(index);
        setEditText(itemText(index));
    } else {
        setEditText(m_model.StoredText());
    }
}

void CTimeComboBox::Report(const std::optional<CTimeComboModel::Change> &change)
{
    if (change)
        emit timeChanged(int(change->kind), change->span.Value());
}

void CTimeComboBox::CommitText()
{
    const auto change = m_model.Leave(currentText());
    if (change && change->kind == CTimeComboModel::kTimeOfDay)
        ShowStored();
    Report(change);
}

void CTimeComboBox::focusOutEvent(QFocusEvent *event)
{
    // The own list taking the focus is no leaving of the field.
    if (event->reason() != Qt::PopupFocusReason)
        CommitText();
    QComboBox::focusOutEvent(event);
}

void CTimeComboBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        CommitText();
    QComboBox::keyPressEvent(event);
}

void CTimeComboBox::showPopup()
{
    const CTimeComboModel::DropDownResult result = m_model.DropDown(currentText());
    if (result.index >= 0)
        ShowStored();
    Report(result.change);
    QComboBox::showPopup();
}
