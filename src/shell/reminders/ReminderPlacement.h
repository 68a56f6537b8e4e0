// CReminderPlacement: where the next reminder window opens. Windows cascade from (38, 19) of
// the work area by the cascade steps; one that would leave the work area starts a new row
// lower down, and when that fails too the cascade starts over. One cascade runs for the whole
// program (Shared); tests make their own.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class CReminderPlacement
{
  public:
    static constexpr int kStartX = 38;
    static constexpr int kStartY = 19;

    // The top-left corner (in the work area's coordinates, that is absolute) for a window of
    // the size; advances the cascade.
    QPoint Place(const QSize &size, const QRect &workArea, int stepX, int stepY);
    void Reset();

    static CReminderPlacement &Shared();

    // Which screen holds the reminders: the primary one, or with "reminders on another monitor"
    // and more than one screen the n-th screen that is not the primary one in the system's order,
    // n clamped to 1..count-1. Returns an index into the screen list.
    static int ChooseScreen(int screenCount, int primaryIndex, bool otherMonitor, int monitorNumber);

  private:
    int m_x = 0;
    int m_y = 0;
    int m_rowStart = kStartY;
};
