// Paints the entries of a colour combo box's list through the combo's own item painter, at the
// combo's fixed item height.
#pragma once

#include <QStyledItemDelegate>

class CColorComboBox;

class CColorComboDelegate : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    explicit CColorComboDelegate(CColorComboBox *combo);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

  private:
    CColorComboBox *m_combo;
};
