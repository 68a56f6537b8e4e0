// Caption band geometry, hit testing and the caption buttons' press-release machine.
#include "shell/reminders/ReminderCaption.h"

QRect CReminderCaption::BandRect(int width) const
{
    return QRect(0, m_metrics.frameY, width, m_metrics.captionY);
}

int CReminderCaption::CollapsedHeight() const
{
    return 2 * m_metrics.frameY + m_metrics.captionY;
}

int CReminderCaption::ClientTop() const
{
    return m_metrics.frameY + m_metrics.captionY;
}

QRect CReminderCaption::ButtonRect(int button, int width) const
{
    const int w = m_metrics.buttonX - 4 + 2;
    const int h = m_metrics.buttonY - 4;
    const int top = m_metrics.frameY + 2;
    int right = width - (m_metrics.frameX + 2); // the minimise button's right edge
    for (const int b : kButtons) {
        if (b == HitStopSound && !m_stopPresent)
            return {};
        if (b == button)
            return QRect(right - w, top, w, h);
        right -= w + 2;
    }
    return {};
}

int CReminderCaption::HitTest(const QPoint &p, const QSize &size) const
{
    const int width = size.width();
    const int height = size.height();
    if (p.x() < 0 || p.y() < 0 || p.x() >= width || p.y() >= height)
        return HitNowhere;
    const CaptionMetrics &m = m_metrics;
    const bool sizing = !m_collapsed;
    if (p.y() < m.frameY) {
        if (!sizing)
            return HitCaption;
        if (p.x() < m.captionY + m.frameX)
            return HitTopLeft;
        if (p.x() >= width - (m.captionY + m.frameX))
            return HitTopRight;
        return HitTop;
    }
    if (BandRect(width).contains(p)) {
        if (p.x() >= m.frameX && p.x() < m.frameX + m.smallIcon + 2)
            return HitSysMenu;
        for (const int b : kButtons) {
            if (ButtonRect(b, width).contains(p))
                return b;
        }
        return HitCaption;
    }
    if (!sizing)
        return HitCaption; // the frame line below a collapsed band
    const bool bottom = p.y() >= height - m.frameY;
    if (p.x() < m.frameX)
        return bottom ? HitBottomLeft : HitLeft;
    if (p.x() >= width - m.frameX)
        return bottom ? HitBottomRight : HitRight;
    if (bottom)
        return p.x() < m.captionY ? HitBottomLeft : p.x() >= width - m.captionY ? HitBottomRight : HitBottom;
    return HitClient;
}

bool CReminderCaption::Press(int hit)
{
    const bool button = hit == HitMinimise || hit == HitAlwaysOnTop || hit == HitCollapse ||
                        (hit == HitStopSound && m_stopPresent && m_soundPlaying);
    if (!button)
        return false;
    m_pressed = hit;
    m_pressedOver = true;
    return true;
}

void CReminderCaption::Move(int hit)
{
    if (m_pressed != 0)
        m_pressedOver = hit == m_pressed;
}

int CReminderCaption::Release(int hit)
{
    const int pressed = m_pressed;
    m_pressed = 0;
    m_pressedOver = false;
    if (pressed == 0 || hit != pressed)
        return 0;
    return CommandOf(pressed);
}

CaptionButtonState CReminderCaption::StateOf(int button) const
{
    if (button == HitStopSound && !m_soundPlaying)
        return CaptionButtonState::Disabled;
    if (IsDrawnPressed(button))
        return CaptionButtonState::Pressed;
    return CaptionButtonState::Normal;
}

int CReminderCaption::GlyphOf(int button) const
{
    switch (button) {
    case HitAlwaysOnTop:
        return m_topmost ? 1 : 0;
    case HitCollapse:
        return m_collapsed ? 3 : 2;
    case HitStopSound:
        return m_soundPlaying ? 4 : 5;
    case HitMinimise:
        return 6;
    default:
        return -1;
    }
}

QString CReminderCaption::ToolTipOf(int button) const
{
    switch (button) {
    case HitMinimise:
        return QStringLiteral("Minimize");
    case HitAlwaysOnTop:
        return QStringLiteral("Always on Top");
    case HitCollapse:
        return m_collapsed ? QStringLiteral("Expand") : QStringLiteral("Collapse");
    case HitStopSound:
        return QStringLiteral("Stop Sound");
    default:
        return {};
    }
}

int CReminderCaption::CommandOf(int button)
{
    switch (button) {
    case HitMinimise:
        return ReminderCmd::Minimise;
    case HitAlwaysOnTop:
        return ReminderCmd::AlwaysOnTop;
    case HitCollapse:
        return ReminderCmd::Collapse;
    case HitStopSound:
        return ReminderCmd::StopSound;
    default:
        return 0;
    }
}
