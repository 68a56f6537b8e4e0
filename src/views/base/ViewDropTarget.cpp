// The drop target's forwarding and border scrolling, and the drop source's progress rule.
#include "views/base/ViewDropTarget.h"

#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"

#include <QApplication>

int CViewDropTarget::DragEnter(const QMimeData *data, int keyState, const QPoint &point)
{
    m_data = data;
    m_rule.Reset();
    return m_window.OnDragEnter(data, keyState, point);
}

std::uint32_t CViewDropTarget::DragOver(const QMimeData *data, int keyState, const QPoint &point,
                                        qint64 nowMs)
{
    m_data = data;
    const std::uint32_t scroll = DragScroll(keyState, point, nowMs);
    if (scroll & DropEffect::Scroll)
        return scroll;
    return std::uint32_t(m_window.OnDragOver(data, keyState, point));
}

int CViewDropTarget::Drop(const QMimeData *data, int effect, int allowedEffects, const QPoint &point)
{
    m_rule.Reset();
    m_data = nullptr;
    return m_window.OnDropEx(data, effect, allowedEffects, point);
}

void CViewDropTarget::DragLeave()
{
    m_rule.Reset();
    m_data = nullptr;
    m_window.OnDragLeave();
}

std::uint32_t CViewDropTarget::DragScroll(int keyState, const QPoint &point, qint64 nowMs)
{
    const std::uint32_t hook = std::uint32_t(m_window.OnDragScroll(keyState, point));
    if (hook != DropEffect::Scroll)
        return hook;
    const QRect client = m_window.rect();
    const std::uint16_t code = CDragScrollRule::ScrollCodeAt(client, point);
    const bool canScroll = code != CDragScrollRule::NoScroll && m_window.OnScrollBy(code, false);
    const CDragScrollRule::Step step =
        m_rule.Update(client, point, canScroll, (keyState & kKeyStateControl) != 0,
                      (keyState & kKeyStateShift) != 0, nowMs);
    if (step.feedback == CDragScrollRule::Feedback::DragLeave)
        m_window.OnDragLeave();
    else if (step.feedback == CDragScrollRule::Feedback::DragEnter)
        m_window.OnDragEnter(m_data, keyState, point);
    if (step.scrollNow)
        m_window.OnScrollBy(step.code, true);
    return step.effect;
}

CViewDropSource::CViewDropSource()
{
    QApplication::setStartDragTime(kDragStartDelayMs);
}

CViewDropSource::Answer CViewDropSource::QueryContinueDrag(bool escapePressed, int keyState)
{
    if (m_owner)
        m_owner->OnDragFeedback(escapePressed);
    if (escapePressed)
        return Answer::Cancel;
    if (!(keyState & kKeyStateLeftButton))
        return Answer::Drop;
    return Answer::Continue;
}

CViewDropSource::Answer CViewDropSource::Poll(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                              bool escapePressed)
{
    int keyState = 0;
    if (buttons & Qt::LeftButton)
        keyState |= kKeyStateLeftButton;
    if (modifiers & Qt::ShiftModifier)
        keyState |= kKeyStateShift;
    if (modifiers & Qt::ControlModifier)
        keyState |= kKeyStateControl;
    return QueryContinueDrag(escapePressed, keyState);
}

Qt::DropActions DropActionsFromEffects(int effects)
{
    Qt::DropActions actions;
    if (effects & kDropEffectCopy)
        actions |= Qt::CopyAction;
    if (effects & kDropEffectMove)
        actions |= Qt::MoveAction;
    return actions;
}

int DropEffectFromAction(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction:
        return kDropEffectCopy;
    case Qt::MoveAction:
        return kDropEffectMove;
    default:
        return kDropEffectNone;
    }
}
