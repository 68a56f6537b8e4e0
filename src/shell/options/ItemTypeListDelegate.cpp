// Drawing the rows of the item-type list.
#include "shell/options/ItemTypeListDelegate.h"

#include "shell/options/OptionsItemTypesModel.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/drawing/ImagePixelsQt.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>

CItemTypeListDelegate::CItemTypeListDelegate(const COptionsItemTypesModel &model, QObject *parent)
    : QStyledItemDelegate(parent), m_model(model)
{
}

QSize CItemTypeListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), std::max(20, option.fontMetrics.height() + 6)};
}

void CItemTypeListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const CItemType *type = m_model.GetTypeAt(index.row());
    if (!type)
        return;
    painter->save();
    const QRect r = option.rect;
    QColor back = option.palette.color(QPalette::Base);
    QColor text = option.palette.color(QPalette::Text);
    QColor light = back.lighter(103), dark = back.darker(112);
    if (type->HasFlag(CItemType::kFlagOwnColors)) {
        back = ToQColor(type->GetFillColor());
        text = ToQColor(type->GetTextColor());
        light = ToQColor(type->GetGradientColors().light);
        dark = ToQColor(type->GetGradientColors().dark);
    }
    if (m_model.IsGradientOn()) {
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, light);
        fill.setColorAt(1, dark);
        painter->fillRect(r, fill);
    } else {
        painter->fillRect(r, back);
    }

    if (const ImagePixels *icon = m_model.GetSmallIconAt(index.row()))
        painter->drawPixmap(r.left() + kIconLeft, r.top() + (r.height() - 16) / 2,
                            PixmapFromPixels(*icon, 16, 16));

    QFont font = option.font;
    if (type->HasFlag(CItemType::kFlagDefaultEvent) || type->HasFlag(CItemType::kFlagDefaultTask))
        font.setBold(true);
    painter->setFont(font);
    painter->setPen(text);
    const QRect textRect = r.adjusted(kTextLeft, 0, -4, 0);
    const QString name =
        QFontMetrics(font).elidedText(type->GetName().left(kMaxNameLength), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);

    if (option.state & QStyle::State_Selected) {
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
        painter->drawRect(r.adjusted(1, 1, -2, -2));
    }
    if (option.state & QStyle::State_HasFocus) {
        QPen dotted(text, 1, Qt::DotLine);
        painter->setPen(dotted);
        painter->drawRect(r.adjusted(2, 2, -3, -3));
    }
    painter->restore();
}
