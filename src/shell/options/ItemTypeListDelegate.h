// CItemTypeListDelegate: draws a row of the Item Types page's list: the type's colours (as a
// gradient when asked), its small icon, its name (bold for the two default types), a double
// frame when selected.
#pragma once

#include <QStyledItemDelegate>

class COptionsItemTypesModel;

class CItemTypeListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    static constexpr int kIconLeft = 2;
    static constexpr int kTextLeft = 21;
    static constexpr int kMaxNameLength = 128;

    CItemTypeListDelegate(const COptionsItemTypesModel &model, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

  private:
    const COptionsItemTypesModel &m_model;
};
