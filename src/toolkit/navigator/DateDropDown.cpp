#include "toolkit/navigator/DateDropDown.h"

#include "core/dates/DateRules.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
bool g_dropDownOpen = false;
}

CDateDropDown::CDateDropDown(QWidget *picker)
    : QWidget(picker, Qt::Popup | Qt::FramelessWindowHint), m_host(this, QPoint(kInset, kInset))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_host.SetTimerHandler([this](int id) { m_engine.OnTimer(id); });
}

CDateDropDown::~CDateDropDown()
{
    if (isVisible())
        g_dropDownOpen = false;
}

bool CDateDropDown::Create(int controlId, bool weekNumbers, CNavigatorWidgetHost::Owner owner)
{
    m_host.SetOwner(std::move(owner));
    if (!m_engine.LoadLayout(&m_host, controlId, weekNumbers, true))
        return false;
    const NavigatorMetrics &m = m_engine.GetMetrics();
    setFixedSize(m.monthWidth + 2 * kInset, m.monthHeight + 2 * kInset);
    m_engine.SetGridSize(1, 1);
    m_engine.SetSize(m.monthWidth, m.monthHeight);
    m_created = true;
    return true;
}

bool CDateDropDown::SetDate(const CDateTime &date)
{
    if (!date.IsValid())
        return false;
    m_kept = date;
    return m_engine.SetSelection(date, CDateNavigator::UnitDay, 1, true);
}

void CDateDropDown::ShowAt(const QPoint &screenTopLeft)
{
    m_closing = false;
    g_dropDownOpen = true;
    move(screenTopLeft);
    show();
    setFocus(Qt::PopupFocusReason);
}

void CDateDropDown::Hide()
{
    g_dropDownOpen = false;
    m_hiding = true;
    hide();
    m_hiding = false;
}

CDateTime CDateDropDown::GetCurrentDate() const
{
    return m_created ? m_engine.GetCurDate() : GetToday();
}

bool CDateDropDown::IsAnyOpen() { return g_dropDownOpen; }

void CDateDropDown::Cancel()
{
    if (!isVisible() || m_hiding)
        return;
    NavigatorNotification n;
    n.controlId = m_engine.GetControlId();
    n.code = CDateNavigator::NotifyCancelled;
    n.date = m_kept;
    m_host.Notify(n);
}

void CDateDropDown::MoveBy(int days, int months, int reason)
{
    CDateTime date = m_engine.GetCurDate();
    if (months != 0) {
        if (!AddMonths(date, date.GetDay(), months))
            return;
    } else {
        AddDays(date, days);
    }
    m_engine.SetCurDate(date, reason, true);
}

void CDateDropDown::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const NavigatorColors &c = m_engine.GetColors();
    painter.fillRect(rect(), ToQColor(c.window));
    // The frame, then two rings in the border colour and two in the window colour.
    QRect ring = rect();
    painter.setPen(ToQColor(c.border));
    painter.drawRect(ring.adjusted(0, 0, -1, -1));
    ring.adjust(3, 3, -3, -3);
    for (int i = 0; i < 2; ++i, ring.adjust(1, 1, -1, -1))
        painter.drawRect(ring.adjusted(0, 0, -1, -1));
    painter.translate(m_host.Origin());
    m_engine.Paint(painter);
}

void CDateDropDown::mousePressEvent(QMouseEvent *event)
{
    if (!rect().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event); // outside: Qt closes the pop-up
        return;
    }
    if (event->button() == Qt::LeftButton)
        m_engine.OnLButtonDown(m_host.ToEngine(event->position().toPoint()));
}

void CDateDropDown::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_engine.OnLButtonDown(m_host.ToEngine(event->position().toPoint()));
}

void CDateDropDown::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_engine.OnLButtonUp(m_host.ToEngine(event->position().toPoint()));
}

void CDateDropDown::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = m_host.ToEngine(event->position().toPoint());
    m_engine.OnSetCursor(p);
    if (event->buttons() & Qt::LeftButton)
        m_engine.OnMouseMove(p);
}

void CDateDropDown::keyPressEvent(QKeyEvent *event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    event->accept();
    if (alt) {
        if (event->key() == Qt::Key_F4 || event->key() == Qt::Key_Up)
            Cancel();
        // Alt+Down and the other system keys stay here too: the pop-up holds the keyboard.
        return;
    }
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        Cancel();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        m_closing = true;
        NavigatorNotification n;
        n.controlId = m_engine.GetControlId();
        n.code = CDateNavigator::NotifyDateChosen;
        n.reason = CDateNavigator::ReasonKeyboard;
        n.date = m_engine.GetCurDate();
        m_host.Notify(n);
        break;
    }
    case Qt::Key_Left:
        MoveBy(-1, 0, CDateNavigator::ReasonKeyboard);
        break;
    case Qt::Key_Right:
        MoveBy(1, 0, CDateNavigator::ReasonKeyboard);
        break;
    case Qt::Key_Up:
        MoveBy(-7, 0, CDateNavigator::ReasonKeyboard);
        break;
    case Qt::Key_Down:
        MoveBy(7, 0, CDateNavigator::ReasonKeyboard);
        break;
    case Qt::Key_PageUp:
        MoveBy(0, -1, CDateNavigator::ReasonPrevMonth);
        break;
    case Qt::Key_PageDown:
        MoveBy(0, 1, CDateNavigator::ReasonNextMonth);
        break;
    case Qt::Key_Minus:
        if (keypad)
            MoveBy(0, -1, CDateNavigator::ReasonPrevMonth);
        break;
    case Qt::Key_Plus:
        if (keypad)
            MoveBy(0, 1, CDateNavigator::ReasonNextMonth);
        break;
    default:
        break; // every other key is used up without effect
    }
}

void CDateDropDown::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (!m_closing && isVisible() && !isAncestorOf(QApplication::focusWidget()) &&
        QApplication::focusWidget() != this && event->reason() != Qt::PopupFocusReason)
        Cancel();
}

// Qt closes a pop-up on a click outside it: that is a cancel unless a choice was made.
void CDateDropDown::closeEvent(QCloseEvent *event)
{
    if (!m_closing && !m_hiding)
        Cancel();
    g_dropDownOpen = false;
    event->accept();
}
