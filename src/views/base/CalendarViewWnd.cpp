// The window of a calendar view: input forwarding, painting and the in-place edit.
#include "views/base/CalendarViewWnd.h"

#include "core/system/AppSettings.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/StringTable.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/base/TipText.h"
#include "views/base/ViewContextMenus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

int ViewModifiers(Qt::KeyboardModifiers modifiers)
{
    return ((modifiers & Qt::ShiftModifier) ? kModShift : 0) |
           ((modifiers & Qt::ControlModifier) ? kModCtrl : 0);
}

CCalendarViewWnd::CCalendarViewWnd(CCalendarViewCtrl &view, QWidget *parent)
    : CCustomWnd(parent), m_view(view)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("inPlaceEdit"));
    m_edit->setFrame(false);
    m_edit->hide();
    m_edit->installEventFilter(this);
    m_view.SetHost(this);
    SetSectionIndex(view.GetSectionIndex());
    m_dragScrollTimer.setInterval(CDragScrollRule::DefaultInterval / 2);
    QObject::connect(&m_dragScrollTimer, &QTimer::timeout, this, [this] {
        if (m_dragData)
            m_dropTarget.DragOver(m_dragData, m_dragKeyState, m_dragPoint, m_dragClock.elapsed());
        if (!m_dropTarget.IsScrolling())
            m_dragScrollTimer.stop();
    });
}

CCalendarViewWnd::~CCalendarViewWnd()
{
    m_view.SetHost(nullptr);
}

void CCalendarViewWnd::Invalidate(const QRect &r)
{
    if (r.isEmpty())
        update();
    else
        update(r);
}

void CCalendarViewWnd::UpdateWindow()
{
    repaint();
}

void CCalendarViewWnd::SetCapture(bool on)
{
    m_capture = on;
}

void CCalendarViewWnd::SetCursorShape(ViewCursor cursor)
{
    const CMenuLook &look = CMenuLook::Instance();
    switch (cursor) {
    case ViewCursor::Zoom:
        setCursor(look.GetCursor(CMenuLook::kCursorZoom));
        break;
    case ViewCursor::Move:
        setCursor(look.GetCursor(CMenuLook::kCursorMove));
        break;
    case ViewCursor::ResizeVertical:
        setCursor(look.GetCursor(CMenuLook::kCursorResizeVertical));
        break;
    case ViewCursor::ResizeHorizontal:
        setCursor(look.GetCursor(CMenuLook::kCursorResizeHorizontal));
        break;
    default:
        unsetCursor();
        break;
    }
}

void CCalendarViewWnd::TakeFocus()
{
    setFocus(Qt::MouseFocusReason);
}

void CCalendarViewWnd::Beep()
{
    QApplication::beep();
}

void CCalendarViewWnd::ShowContextMenu(int popupIndex, const QPoint &screenPoint)
{
    QMenu menu(this);
    BuildContextMenu(menu, popupIndex, MenuStateOf(m_view, QApplication::clipboard()->mimeData()),
                     GetItemTypeCatalog());
    if (menu.isEmpty())
        return;
    const QAction *chosen = ExecMenu(menu, screenPoint);
    if (chosen && chosen->data().isValid() && m_view.GetContainer())
        m_view.GetContainer()->SendCommand(chosen->data().toInt());
}

QAction *CCalendarViewWnd::ExecMenu(QMenu &menu, const QPoint &screenPoint)
{
    return menu.exec(screenPoint);
}

int CCalendarViewWnd::StartOleDrag(int allowedEffects, const QRect &screenStartRect)
{
    return CCustomWnd::StartOleDrag(allowedEffects, screenStartRect);
}

void CCalendarViewWnd::ShowWarning(int stringId)
{
    QMessageBox::warning(this, QApplication::applicationName(), LoadResString(stringId));
}

void CCalendarViewWnd::ReportError(HRESULT code)
{
    QMessageBox::critical(this, QApplication::applicationName(),
                          QStringLiteral("0x%1").arg(qulonglong(code), 8, 16, QLatin1Char('0')));
}

void CCalendarViewWnd::ShowInfoText(const QString &text)
{
    QMessageBox::information(this, QApplication::applicationName(), text);
}

void CCalendarViewWnd::ShowEdit(const QRect &r, const QString &text, bool)
{
    m_edit->setFont(m_view.GetItemFont());
    m_edit->setText(text);
    m_edit->setModified(false);
    m_edit->setGeometry(r);
    m_edit->show();
}

void CCalendarViewWnd::HideEdit()
{
    m_edit->hide();
}

bool CCalendarViewWnd::IsEditVisible() const
{
    return !m_edit->isHidden();
}

QString CCalendarViewWnd::EditText() const
{
    return m_edit->text();
}

bool CCalendarViewWnd::IsEditModified() const
{
    return m_edit->isModified();
}

void CCalendarViewWnd::FocusEdit()
{
    m_edit->setFocus();
}

void CCalendarViewWnd::SendCharToEdit(QChar ch)
{
    m_edit->insert(QString(ch));
}

void CCalendarViewWnd::wheelEvent(QWheelEvent *event)
{
    // Horizontal-only wheels (tilt) carry no vertical delta and are not the views' wheel.
    const int delta = event->angleDelta().y();
    if (delta == 0 || !m_view.OnMouseWheel(delta))
        event->ignore();
    else
        event->accept();
}

HRESULT CCalendarViewWnd::PasteFromDataObject(const QMimeData *data, const QPoint &point)
{
    return CCustomWnd::PasteFromDataObject(data, point);
}

int CCalendarViewWnd::OnDragEnter(const QMimeData *data, int keyState, const QPoint &point)
{
    return m_view.OnDragEnter(data, keyState, point);
}

int CCalendarViewWnd::OnDragOver(const QMimeData *data, int keyState, const QPoint &point)
{
    return m_view.OnDragOver(data, keyState, point);
}

int CCalendarViewWnd::OnDropEx(const QMimeData *data, int effect, int, const QPoint &point)
{
    return m_view.OnDropEx(data, effect, point);
}

void CCalendarViewWnd::OnDragLeave()
{
    m_view.OnDragLeave();
}

int CCalendarViewWnd::OnDragScroll(int, const QPoint &point)
{
    return m_view.OnDragScroll(point);
}

bool CCalendarViewWnd::OnScrollBy(std::uint16_t scrollCode, bool doScroll)
{
    const bool horizontal = (scrollCode & 0xFF) != 0xFF;
    const bool vertical = (scrollCode >> 8) != 0xFF;
    if ((horizontal && !m_view.CanScrollHorizontally()) || (vertical && !m_view.CanScrollVertically()))
        return false;
    if (!doScroll)
        return horizontal || vertical;
    const bool scrolled = m_view.OnScroll(scrollCode);
    if (scrolled)
        UpdateWindow();
    return scrolled;
}

int DropKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (buttons & Qt::LeftButton)
        state |= kKeyStateLeftButton;
    if (modifiers & Qt::ShiftModifier)
        state |= kKeyStateShift;
    if (modifiers & Qt::ControlModifier)
        state |= kKeyStateControl;
    return state;
}

namespace {

Qt::DropAction ToDropAction(std::uint32_t effect)
{
    if (effect & kDropEffectMove)
        return Qt::MoveAction;
    if (effect & kDropEffectCopy)
        return Qt::CopyAction;
    if (effect & DropEffect::Link)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

int FromDropActions(Qt::DropActions actions)
{
    int effects = 0;
    if (actions & Qt::CopyAction)
        effects |= kDropEffectCopy;
    if (actions & Qt::MoveAction)
        effects |= kDropEffectMove;
    return effects;
}

void AnswerDrag(QDropEvent *event, std::uint32_t effect)
{
    const Qt::DropAction action = ToDropAction(effect);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

} // namespace

void CCalendarViewWnd::dragEnterEvent(QDragEnterEvent *event)
{
    m_dragData = event->mimeData();
    m_dragKeyState = DropKeyState(event->buttons(), event->modifiers());
    m_dragPoint = event->position().toPoint();
    m_dragClock.start();
    const int effect = m_dropTarget.DragEnter(m_dragData, m_dragKeyState, m_dragPoint);
    // Accept the enter so that moves follow even where this spot refuses the drop.
    event->setDropAction(ToDropAction(std::uint32_t(effect)) == Qt::IgnoreAction
                             ? event->proposedAction()
                             : ToDropAction(std::uint32_t(effect)));
    event->accept();
}

void CCalendarViewWnd::dragMoveEvent(QDragMoveEvent *event)
{
    m_dragData = event->mimeData();
    m_dragKeyState = DropKeyState(event->buttons(), event->modifiers());
    m_dragPoint = event->position().toPoint();
    const std::uint32_t effect =
        m_dropTarget.DragOver(m_dragData, m_dragKeyState, m_dragPoint, m_dragClock.elapsed());
    if (m_dropTarget.IsScrolling() && !m_dragScrollTimer.isActive())
        m_dragScrollTimer.start();
    AnswerDrag(event, effect);
}

void CCalendarViewWnd::dragLeaveEvent(QDragLeaveEvent *)
{
    m_dragScrollTimer.stop();
    m_dragData = nullptr;
    m_dropTarget.DragLeave();
}

void CCalendarViewWnd::dropEvent(QDropEvent *event)
{
    m_dragScrollTimer.stop();
    m_dragData = nullptr;
    const int effect = m_dropTarget.Drop(
        event->mimeData(),
        int(std::uint32_t(event->dropAction() == Qt::CopyAction ? kDropEffectCopy : kDropEffectMove)),
        FromDropActions(event->possibleActions()), event->position().toPoint());
    AnswerDrag(event, std::uint32_t(effect));
}

bool CCalendarViewWnd::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(e);
        QRect toolRect;
        const int id = m_view.ToolHitTest(help->pos(), toolRect);
        const QString text = id ? m_view.ToolTipText(id) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            // The whole text, wrapped only where detailed tips ask for a width.
            const QFont &font = m_view.GetItemFont();
            const int width = ProgramSettings().detailedItems ? TipWrapWidth(text, font) : 0;
            QToolTip::showText(help->globalPos(), TipRichText(WrapTipLines(text, font, width), font), this,
                               toolRect);
        }
        return true;
    }
    return CCustomWnd::event(e);
}

bool CCalendarViewWnd::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_edit) {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter ||
                key == Qt::Key_Escape) {
                m_view.OnEditKey(key);
                return true;
            }
        } else if (e->type() == QEvent::FocusOut && !m_edit->isHidden()) {
            m_view.OnEditFocusLost();
        }
    }
    return CCustomWnd::eventFilter(watched, e);
}

void CCalendarViewWnd::paintEvent(QPaintEvent *e)
{
    QPainter painter(this);
    painter.fillRect(e->rect(), ToQColor(m_view.m_backgroundColour));
    m_view.Draw(painter, e->rect());
}

void CCalendarViewWnd::resizeEvent(QResizeEvent *e)
{
    CCustomWnd::resizeEvent(e);
    if (width() > 0 && height() > 0) {
        m_view.RecalcLayout();
        m_view.Refresh(false);
    }
}

void CCalendarViewWnd::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        m_view.OnLeftDown(e->position().toPoint(), ViewModifiers(e->modifiers()));
    else if (e->button() == Qt::RightButton)
        m_view.OnRightDown(e->position().toPoint());
}

void CCalendarViewWnd::mouseMoveEvent(QMouseEvent *e)
{
    m_view.OnMouseMove(e->position().toPoint());
}

void CCalendarViewWnd::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        m_view.OnLeftButtonUp(e->position().toPoint());
    else if (e->button() == Qt::RightButton)
        m_view.OnRightButtonUp();
}

void CCalendarViewWnd::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        m_view.OnDoubleClick(e->position().toPoint());
}

void CCalendarViewWnd::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && m_view.OnEscapeWhileCaptured())
        return;
    if (m_view.OnKeyDown(e->key(), ViewModifiers(e->modifiers())))
        return;
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 32) {
        m_view.OnChar(text.at(0));
        return;
    }
    CCustomWnd::keyPressEvent(e);
}

void CCalendarViewWnd::contextMenuEvent(QContextMenuEvent *e)
{
    m_view.OnContextMenu(e->reason() == QContextMenuEvent::Keyboard ? QPoint(-1, -1) : e->globalPos());
}

void CCalendarViewWnd::focusInEvent(QFocusEvent *e)
{
    CCustomWnd::focusInEvent(e);
    m_view.OnFocusGained();
}

void CCalendarViewWnd::focusOutEvent(QFocusEvent *e)
{
    CCustomWnd::focusOutEvent(e);
    m_view.OnFocusLost();
}
