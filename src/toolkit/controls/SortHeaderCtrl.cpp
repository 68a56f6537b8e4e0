// The sort header's columns, painting and tips.
#include "toolkit/controls/SortHeaderCtrl.h"

#include "toolkit/controls/ControlPainting.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

CSortHeaderCtrl::CSortHeaderCtrl(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false); // the own arrow is drawn instead
    setMinimumSectionSize(8);     // image columns are narrow
    m_images = CMenuLook::Instance().GetHeaderImages();
    connect(this, &QHeaderView::sectionCountChanged, this, [this] { ApplyResizeModes(); });
}

void CSortHeaderCtrl::ApplyResizeModes()
{
    for (int i = 0; i < count() && i < m_columns.size(); ++i)
        setSectionResizeMode(i, m_columns.at(i).image ? QHeaderView::Fixed : QHeaderView::Interactive);
}

void CSortHeaderCtrl::SetColumnData(int column, std::uint32_t data, bool imageColumn)
{
    // A header has a few dozen columns at most; anything past the bound is a caller's mistake.
    if (column < 0 || column >= kMaxColumns)
        return;
    if (column >= m_columns.size())
        m_columns.resize(column + 1);
    m_columns[column] = {data, imageColumn};
    ApplyResizeModes();
    viewport()->update();
}

std::uint32_t CSortHeaderCtrl::ColumnData(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column).data : 0;
}

bool CSortHeaderCtrl::IsImageColumn(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns.at(column).image;
}

void CSortHeaderCtrl::SetSortColumn(int column, bool ascending)
{
    if (column >= count())
        column = 0;
    m_sortColumn = column < 0 ? -1 : column;
    m_ascending = ascending;
    viewport()->update();
}

int CSortHeaderCtrl::GetSortColumn(bool *ascending) const
{
    if (ascending)
        *ascending = m_ascending;
    return m_sortColumn;
}

int CSortHeaderCtrl::GetColumnDataAt(int x) const
{
    for (int i = 0; i < count(); ++i) {
        if (isSectionHidden(i))
            continue;
        const int left = sectionViewportPosition(i);
        const int right = left + sectionSize(i);
        if (left < x && right >= x)
            return int(ColumnData(i) & 0xFFFF);
    }
    return -1;
}

QString CSortHeaderCtrl::SortTipText(const QString &columnText)
{
    return QStringLiteral("Sort by: %1").arg(columnText.left(kMaxItemText));
}

QList<CSortHeaderCtrl::ArrowLine> CSortHeaderCtrl::SortArrowLines(int x0, int y0, bool ascending)
{
    if (ascending) {
        return {{QLine(x0 + 4, y0 + 1, x0 + 7, y0 + 7), true},
                {QLine(x0 + 7, y0 + 7, x0, y0 + 7), true},
                {QLine(x0 + 4, y0 + 2, x0 + 7, y0 + 7), true},
                {QLine(x0, y0 + 7, x0 + 3, y0), false},
                {QLine(x0 + 1, y0 + 6, x0 + 3, y0 + 1), false}};
    }
    return {{QLine(x0 + 4, y0 + 7, x0 + 7, y0 + 1), true},
            {QLine(x0 + 4, y0 + 6, x0 + 7, y0 + 1), true},
            {QLine(x0 + 3, y0 + 7, x0, y0 + 1), false},
            {QLine(x0, y0 + 1, x0 + 8, y0 + 1), false},
            {QLine(x0 + 3, y0 + 7, x0 - 1, y0), false}};
}

int CSortHeaderCtrl::SortArrowLeft(int textRight, int itemRight)
{
    const int left = std::min(textRight + kArrowGap, itemRight);
    return itemRight - left >= kArrowWidth ? left : -1;
}

void CSortHeaderCtrl::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    painter->save();
    painter->setClipRect(rect);
    // A push-button frame.
    painter->fillRect(rect, ToQColor(look.buttonFace));
    const bool pressed = logicalIndex == m_pressed;
    if (pressed) {
        Draw3dRect(*painter, rect, look.buttonShadow, look.buttonShadow);
    } else {
        Draw3dRect(*painter, rect, look.buttonHighlight, look.windowFrame);
        Draw3dRect(*painter, rect.adjusted(1, 1, -1, -1), look.buttonFace, look.buttonShadow);
    }
    QRect inner = rect.adjusted(2, 2, -2, -2);
    if (pressed)
        inner.translate(1, 1);

    if (IsImageColumn(logicalIndex)) {
        const int image = int(ColumnData(logicalIndex) >> 16);
        if (image >= 0 && image < m_images.size()) {
            const QPixmap &pm = m_images.at(image);
            const int y = inner.top() + std::max(0, (inner.height() - pm.height()) / 2);
            const int x = inner.left() + std::max(0, (inner.width() - pm.width()) / 2);
            painter->drawPixmap(x, y, pm);
        }
        painter->restore();
        return;
    }

    const QString text =
        model()
            ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString().left(kMaxItemText)
            : QString();
    painter->setFont(font());
    painter->setPen(pressed ? QColor(Qt::black) : ToQColor(look.windowText));
    const QRect textRect = inner.adjusted(1, 0, 0, 0);
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);

    if (logicalIndex == m_sortColumn) {
        const int textRight = textRect.left() + painter->fontMetrics().horizontalAdvance(shown);
        const int x0 = SortArrowLeft(textRight, inner.right() + 1);
        if (x0 >= 0) {
            const int y0 = inner.top() + (inner.height() - kArrowHeight) / 2;
            for (const ArrowLine &l : SortArrowLines(x0, y0, m_ascending)) {
                painter->setPen(ToQColor(l.highlight ? look.buttonHighlight : look.buttonShadow));
                painter->drawLine(l.line);
            }
        }
    }
    painter->restore();
}

bool CSortHeaderCtrl::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int column = logicalIndexAt(help->pos());
        if (column < 0 || !model()) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const QString tip =
            SortTipText(model()->headerData(column, orientation(), Qt::DisplayRole).toString());
        QToolTip::showText(help->globalPos(), tip, viewport(),
                           QRect(sectionViewportPosition(column), 0, sectionSize(column), height()));
        emit sortTip(column, tip);
        return true;
    }
    return QHeaderView::viewportEvent(event);
}

void CSortHeaderCtrl::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // A press on the divider of an image column is swallowed, so the column keeps its width.
        const int column = logicalIndexAt(pos);
        for (int i = 0; i < count(); ++i) {
            const int right = sectionViewportPosition(i) + sectionSize(i);
            if (IsImageColumn(i) && !isSectionHidden(i) && std::abs(pos.x() - right) <= 3) {
                event->accept();
                return;
            }
        }
        m_pressed = column;
        viewport()->update();
    }
    QHeaderView::mousePressEvent(event);
}

void CSortHeaderCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed >= 0) {
        m_pressed = -1;
        viewport()->update();
    }
    QHeaderView::mouseReleaseEvent(event);
}
