#include "toolkit/navigator/DateNavigatorWnd.h"

#include "core/document/TransferFormat.h"
#include "core/system/Profile.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

CDateNavigatorWnd::CDateNavigatorWnd(QWidget *parent) : QWidget(parent), m_host(this, QPoint(kFrame, kFrame))
{
    setAcceptDrops(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_host.SetTimerHandler([this](int id) { m_engine.OnTimer(id); });
    const int across = std::max(1, GetProfileInt(QStringLiteral("Calendar"), QStringLiteral("CL"), 1));
    const int down = std::max(1, GetProfileInt(QStringLiteral("Calendar"), QStringLiteral("RS"), 10));
    m_engine.LoadSettings(&m_host, kControlId, false);
    m_engine.SetGridSize(across, down);
    resize(GetPreferredWidth(), GetPreferredHeight());
}

CDateNavigatorWnd::~CDateNavigatorWnd() = default;

QSize CDateNavigatorWnd::sizeHint() const { return QSize(GetPreferredWidth(), GetPreferredHeight()); }

void CDateNavigatorWnd::ReloadOptions()
{
    m_engine.LoadSettings(&m_host, kControlId, true);
    m_engine.SetSize(width() - 2 * kFrame, height() - 2 * kFrame);
    update();
}

void CDateNavigatorWnd::RebuildBusyDays()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_engine.RebuildBusyDays();
    QApplication::restoreOverrideCursor();
}

bool CDateNavigatorWnd::GetSplitLimits(int height, int &lower, int &upper) const
{
    lower = m_engine.GetMetrics().monthHeight + 8;
    upper = RoundHeight(height);
    return upper >= lower;
}

void CDateNavigatorWnd::RedrawCell(int index, bool on)
{
    const int old = m_dropCell;
    m_dropCell = on ? index : -1;
    if (old >= 0)
        update(m_engine.GetCellRect(old).translated(kFrame, kFrame));
    if (m_dropCell >= 0)
        update(m_engine.GetCellRect(m_dropCell).translated(kFrame, kFrame));
}

void CDateNavigatorWnd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const NavigatorColors &c = m_engine.GetColors();
    painter.fillRect(rect(), ToQColor(c.window));
    // The frame: two rings in the border colour, then two in the window colour.
    painter.setPen(ToQColor(c.border));
    QRect ring = rect().adjusted(0, 0, -1, -1);
    painter.drawRect(ring);
    painter.drawRect(ring.adjusted(1, 1, -1, -1));
    painter.translate(kFrame, kFrame);
    painter.setClipRect(QRect(0, 0, width() - 2 * kFrame, height() - 2 * kFrame));
    m_engine.Paint(painter);
    PaintDropFrame(painter);
}

void CDateNavigatorWnd::PaintDropFrame(QPainter &painter)
{
    if (m_dropCell < 0)
        return;
    const CNavigatorDay *cell = m_engine.GetCell(m_dropCell);
    if (!cell)
        return;
    const NavigatorColors &c = m_engine.GetColors();
    const bool marked = (cell->flags & CNavigatorDay::FlagHighlighted) || m_dropCell == m_engine.GetFocusCell();
    painter.setPen(ToQColor(marked ? c.windowText : c.dropFrame));
    painter.setBrush(Qt::NoBrush);
    const QRect r = m_engine.GetCellRect(m_dropCell);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.drawRect(r.adjusted(1, 1, -2, -2));
}

void CDateNavigatorWnd::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_engine.SetSize(width() - 2 * kFrame, height() - 2 * kFrame))
        update();
}

void CDateNavigatorWnd::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = m_host.ToEngine(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_engine.OnLButtonDown(p);
    else if (event->button() == Qt::RightButton)
        m_engine.OnRButtonDown(p);
}

void CDateNavigatorWnd::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_engine.OnLButtonDown(m_host.ToEngine(event->position().toPoint()));
}

void CDateNavigatorWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_engine.OnLButtonUp(m_host.ToEngine(event->position().toPoint()));
}

void CDateNavigatorWnd::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = m_host.ToEngine(event->position().toPoint());
    m_engine.OnSetCursor(p);
    if (event->buttons() & Qt::LeftButton)
        m_engine.OnMouseMove(p);
}

void CDateNavigatorWnd::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Show TaskPad"))->setData(kCmdShowTaskPad);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Customize Date &Navigator..."))->setData(kCmdCustomize);
    if (QAction *chosen = menu.exec(event->globalPos()); chosen && m_onCommand)
        m_onCommand(chosen->data().toInt());
}

// ---- Drops ----

Qt::DropAction CDateNavigatorWnd::DragOverAt(const QPoint &widgetPoint, bool ctrl, bool hasItems)
{
    int cell = -1;
    if (!hasItems || m_engine.HitTest(m_host.ToEngine(widgetPoint), &cell) != CDateNavigator::HitDay) {
        RedrawCell(-1, false);
        return Qt::IgnoreAction;
    }
    if (cell != m_dropCell)
        RedrawCell(cell, true);
    return ctrl ? Qt::CopyAction : Qt::MoveAction;
}

bool CDateNavigatorWnd::DropAt(const QPoint &widgetPoint, bool ctrl, bool hasItems)
{
    const Qt::DropAction action = DragOverAt(widgetPoint, ctrl, hasItems);
    const int cell = m_dropCell;
    RedrawCell(-1, false);
    if (action == Qt::IgnoreAction || cell < 0)
        return false;
    NavigatorNotification n;
    n.controlId = kControlId;
    n.code = CDateNavigator::NotifyItemsDropped;
    n.reason = ctrl ? kDropCopy : kDropMove;
    n.index = cell;
    // A grey or hidden cell stands for that day of the month before or after.
    n.date = m_engine.CellDate(cell);
    return m_host.Notify(n) != 0;
}

void CDateNavigatorWnd::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasFormat(QString::fromLatin1(Transfer::ItemsMimeType))) {
        event->ignore();
        return;
    }
    event->accept();
    dragMoveEvent(event);
}

void CDateNavigatorWnd::dragMoveEvent(QDragMoveEvent *event)
{
    const bool hasItems = event->mimeData()->hasFormat(QString::fromLatin1(Transfer::ItemsMimeType));
    const Qt::DropAction action =
        DragOverAt(event->position().toPoint(), event->modifiers() & Qt::ControlModifier, hasItems);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void CDateNavigatorWnd::dragLeaveEvent(QDragLeaveEvent *)
{
    DragLeft();
}

void CDateNavigatorWnd::dropEvent(QDropEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool hasItems = event->mimeData()->hasFormat(QString::fromLatin1(Transfer::ItemsMimeType));
    if (DropAt(event->position().toPoint(), ctrl, hasItems)) {
        event->setDropAction(ctrl ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}
