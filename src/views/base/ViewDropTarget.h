// CViewDropTarget and CViewDropSource: the drag-and-drop glue of the program's windows. The
// target forwards every drop event to the window's drop callbacks and scrolls the window while a
// drag rests in its border strip; the source keeps the dragging view told of the drag's progress.
// Both are plain classes: Qt's drag events (and a timer for resting drags) call into them.
#pragma once

#include "views/base/DragScrollRule.h"

#include <QPoint>
#include <Qt>
#include <cstdint>

class CCustomWnd;
class CCalendarViewCtrl;
class QMimeData;

class CViewDropTarget
{
  public:
    explicit CViewDropTarget(CCustomWnd &window) : m_window(window) {}

    int DragEnter(const QMimeData *data, int keyState, const QPoint &point);
    // Border scrolling first; without it, the window's drag over.
    std::uint32_t DragOver(const QMimeData *data, int keyState, const QPoint &point, qint64 nowMs);
    int Drop(const QMimeData *data, int effect, int allowedEffects, const QPoint &point);
    void DragLeave();
    // The window's drag-scroll hook, then the border rule.
    std::uint32_t DragScroll(int keyState, const QPoint &point, qint64 nowMs);

    bool IsScrolling() const { return m_rule.IsScrolling(); }
    bool IsDragInside() const { return m_data != nullptr; }

  private:
    CCustomWnd &m_window;
    CDragScrollRule m_rule;
    const QMimeData *m_data = nullptr;
};

class CViewDropSource
{
  public:
    enum class Answer
    {
        Continue,
        Drop,
        Cancel
    };

    // Sets the process-wide drag delay so that only moving the mouse starts a drag.
    CViewDropSource();
    static constexpr int kDragStartDelayMs = 60000;

    void SetOwnerView(CCalendarViewCtrl *view) { m_owner = view; }
    // Tells the owner view of the drag's progress, then Escape cancels, a released left button
    // drops, anything else continues.
    Answer QueryContinueDrag(bool escapePressed, int keyState);
    // One look at a running drag from the buttons and modifiers held now. Qt's drag loop has no
    // hook of its own for this, so the loop asks on a timer.
    Answer Poll(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, bool escapePressed = false);
    static constexpr int kPollIntervalMs = 50;

  private:
    CCalendarViewCtrl *m_owner = nullptr;
};

// Drop effects and Qt's drop actions.
Qt::DropActions DropActionsFromEffects(int effects);
int DropEffectFromAction(Qt::DropAction action);
