// Cascade placement of reminder windows and the choice of their screen.
#include "shell/reminders/ReminderPlacement.h"

#include <algorithm>

QPoint CReminderPlacement::Place(const QSize &size, const QRect &workArea, int stepX, int stepY)
{
    if (m_x == 0 && m_y == 0) {
        m_x = kStartX;
        m_y = kStartY;
    } else {
        m_x += stepX;
        m_y += stepY;
    }
    auto fits = [&] { return workArea.contains(QRect(workArea.topLeft() + QPoint(m_x, m_y), size)); };
    if (!fits()) {
        m_rowStart += stepY;
        m_y = m_rowStart;
        m_x = kStartX;
        if (!fits()) {
            m_rowStart = kStartY;
            m_y = kStartY;
        }
    }
    return workArea.topLeft() + QPoint(m_x, m_y);
}

void CReminderPlacement::Reset()
{
    m_x = 0;
    m_y = 0;
    m_rowStart = kStartY;
}

CReminderPlacement &CReminderPlacement::Shared()
{
    static CReminderPlacement placement;
    return placement;
}

int CReminderPlacement::ChooseScreen(int screenCount, int primaryIndex, bool otherMonitor, int monitorNumber)
{
    if (!otherMonitor || screenCount <= 1)
        return primaryIndex;
    const int wanted = std::clamp(monitorNumber, 1, screenCount - 1);
    int seen = 0;
    for (int i = 0; i < screenCount; ++i) {
        if (i == primaryIndex)
            continue;
        if (++seen == wanted)
            return i;
    }
    return primaryIndex;
}
