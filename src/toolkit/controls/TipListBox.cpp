// The tip list box's selection rules and tips.
#include "toolkit/controls/TipListBox.h"

#include "core/items/DisplayItem.h"
#include "core/system/Profile.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace {
constexpr int kItemRole = Qt::UserRole + 1;
}

CTipListBox::RightPress CTipListBox::RightPressAction(int row, bool rowSelected)
{
    if (row < 0)
        return RightPress::ClearAll;
    return rowSelected ? RightPress::MoveCaret : RightPress::SelectOnly;
}

CTipListBox::CTipListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setMouseTracking(true);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_quiet)
            emit selChange();
    });
}

int CTipListBox::AddEntry(const QString &text, const CDisplayItem *item)
{
    auto *entry = new QListWidgetItem(text, this);
    entry->setData(kItemRole, QVariant::fromValue(quintptr(item)));
    return row(entry);
}

const CDisplayItem *CTipListBox::EntryItem(int row) const
{
    const QListWidgetItem *entry = item(row);
    return entry ? reinterpret_cast<const CDisplayItem *>(entry->data(kItemRole).value<quintptr>()) : nullptr;
}

int CTipListBox::GetCurrentSelection(bool preferCaret) const
{
    const int caret = currentRow();
    if (preferCaret && caret >= 0 && item(caret)->isSelected())
        return caret;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            return i;
    }
    return -1;
}

void CTipListBox::SelectOnly(int row)
{
    m_quiet = true;
    clearSelection();
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    m_quiet = false;
    emit selChange();
}

int CTipListBox::SelectItemByKey(std::uint32_t recordId, const CDateTime &occurrenceDate, int kind)
{
    for (int i = 0; i < count(); ++i) {
        const CDisplayItem *shown = EntryItem(i);
        if (shown && shown->GetItemRef() == recordId && shown->GetOccurrenceDate() == occurrenceDate &&
            shown->GetKind() == kind)
            SelectOnly(i);
    }
    return count();
}

void CTipListBox::SelectAll()
{
    m_quiet = true;
    selectAll();
    m_quiet = false;
    emit selChange();
}

void CTipListBox::DeselectAll()
{
    m_quiet = true;
    clearSelection();
    m_quiet = false;
    emit selChange();
}

QString CTipListBox::TipText(int row, bool detailed) const
{
    const CDisplayItem *shown = EntryItem(row);
    if (!shown)
        return {};
    QString text = shown->FormatCaption(detailed);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void CTipListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) {
        QListWidget::mousePressEvent(event);
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    const int row = index.isValid() ? index.row() : -1;
    switch (RightPressAction(row, row >= 0 && item(row)->isSelected())) {
    case RightPress::ClearAll:
        DeselectAll();
        break;
    case RightPress::MoveCaret:
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        break;
    case RightPress::SelectOnly:
        SelectOnly(row);
        break;
    }
    event->accept();
}

void CTipListBox::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging with the left button does not extend the selection.
    if (event->buttons() & Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

bool CTipListBox::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        const bool detailed = GetProfileInt(QStringLiteral("Common"), QStringLiteral("SN"), 0) != 0;
        const QString tip = index.isValid() ? TipText(index.row(), detailed) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else {
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
            emit tipShown(index.row(), tip);
        }
        return true;
    }
    return QListWidget::viewportEvent(event);
}
