// List entries of the colour combo, drawn by the combo.
#include "toolkit/controls/ColorComboDelegate.h"

#include "toolkit/controls/ColorComboBox.h"

#include <QPainter>

CColorComboDelegate::CColorComboDelegate(CColorComboBox *combo) : QStyledItemDelegate(combo), m_combo(combo) {}

void CColorComboDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
    m_combo->DrawItem(*painter, option.rect, index.row(), selected, option.state & QStyle::State_Enabled);
}

QSize CColorComboDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), CColorComboBox::ItemHeightForDpi(m_combo->logicalDpiY()));
}
