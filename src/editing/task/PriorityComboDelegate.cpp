// The priority combo's rows.
#include "editing/task/PriorityComboDelegate.h"

#include "toolkit/style/MenuLook.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {
// The images of the shared list are 16-pixel cells with the art in the 14 pixels inside.
constexpr int kCellInset = 1;
} // namespace

CPriorityComboDelegate::CPriorityComboDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void CPriorityComboDelegate::Install(QComboBox &combo)
{
    combo.setItemDelegate(new CPriorityComboDelegate(&combo));
    combo.setIconSize(QSize(kImageSize, kImageSize));
    for (int i = 0; i < combo.count(); ++i) {
        const QVariant data = combo.itemData(i);
        combo.setItemIcon(i, QIcon(PriorityImage(data.isValid() ? data.toInt() : i)));
    }
}

int CPriorityComboDelegate::ImageIndex(int priority)
{
    return priority >= 0 && priority <= 4 ? 4 - priority : -1;
}

QPixmap CPriorityComboDelegate::PriorityImage(int priority)
{
    QPixmap out(kImageSize, kImageSize);
    out.fill(Qt::transparent);
    const int image = ImageIndex(priority);
    const QList<QPixmap> &images = CMenuLook::Instance().GetSmallImages();
    if (image < 0 || image >= images.size())
        return out;
    QPainter painter(&out);
    painter.drawPixmap(QPoint(0, 0), images[image],
                       QRect(kCellInset, kCellInset, kImageSize, kImageSize));
    return out;
}

CPriorityComboDelegate::RowColors CPriorityComboDelegate::ColorsFor(const QPalette &palette, bool selected,
                                                                    bool enabled)
{
    if (selected)
        return {palette.color(QPalette::Active, QPalette::HighlightedText),
                palette.color(QPalette::Active, QPalette::Highlight)};
    if (!enabled)
        return {palette.color(QPalette::Active, QPalette::Dark), palette.color(QPalette::Active, QPalette::Button)};
    return {palette.color(QPalette::Active, QPalette::Text), palette.color(QPalette::Active, QPalette::Base)};
}

QRect CPriorityComboDelegate::ImageRect(const QRect &row)
{
    return QRect(row.left() + kImageLeft, row.top() + (row.height() - kImageSize) / 2, kImageSize, kImageSize);
}

QRect CPriorityComboDelegate::TextRect(const QRect &row)
{
    const int left = kImageLeft + kImageSize + kTextGap;
    return row.adjusted(left, 0, 0, 0);
}

void CPriorityComboDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = (option.state & QStyle::State_Enabled) && (index.flags() & Qt::ItemIsEnabled);
    const RowColors colors = ColorsFor(option.palette, selected, enabled);
    const QVariant data = index.data(Qt::UserRole);
    const int priority = data.isValid() ? data.toInt() : index.row();
    painter->save();
    painter->fillRect(option.rect, colors.background);
    painter->drawPixmap(ImageRect(option.rect).topLeft(), PriorityImage(priority));
    painter->setPen(colors.text);
    painter->setFont(option.font);
    painter->drawText(TextRect(option.rect), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize CPriorityComboDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(option.font);
    return QSize(kImageLeft + kImageSize + kTextGap + metrics.horizontalAdvance(text) + 4,
                 std::max(kImageSize + 2, metrics.height() + 2));
}
