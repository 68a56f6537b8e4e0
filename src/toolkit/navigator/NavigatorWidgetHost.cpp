#include "toolkit/navigator/NavigatorWidgetHost.h"

#include <QCursor>
#include <QTimer>

CNavigatorWidgetHost::CNavigatorWidgetHost(QWidget *widget, const QPoint &origin)
    : m_widget(widget), m_origin(origin)
{
}

CNavigatorWidgetHost::~CNavigatorWidgetHost()
{
    for (auto &[id, timer] : m_timers)
        delete timer;
}

void CNavigatorWidgetHost::Invalidate(const QRect &rect)
{
    if (m_widget && rect.isValid())
        m_widget->update(rect.translated(m_origin));
}

void CNavigatorWidgetHost::InvalidateAll()
{
    if (m_widget)
        m_widget->update();
}

// Qt paints soon after; nothing waits for it.
void CNavigatorWidgetHost::UpdateNow() {}

// A press already holds the mouse for the widget until the release.
void CNavigatorWidgetHost::SetMouseCapture(bool) {}

void CNavigatorWidgetHost::StartTimer(int id, int milliseconds)
{
    QTimer *&timer = m_timers[id];
    if (!timer) {
        timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [this, id] {
            if (m_onTimer)
                m_onTimer(id);
        });
    }
    timer->start(milliseconds);
}

void CNavigatorWidgetHost::StopTimer(int id)
{
    auto it = m_timers.find(id);
    if (it != m_timers.end() && it->second)
        it->second->stop();
}

QPoint CNavigatorWidgetHost::CursorPos() const
{
    return m_widget ? m_widget->mapFromGlobal(QCursor::pos()) - m_origin : QPoint();
}

QPoint CNavigatorWidgetHost::ToScreen(const QPoint &client) const
{
    return m_widget ? m_widget->mapToGlobal(client + m_origin) : client;
}

void CNavigatorWidgetHost::SetCursorShape(NavigatorCursor cursor)
{
    if (!m_widget)
        return;
    if (cursor == NavigatorCursor::Arrow)
        m_widget->unsetCursor();
    else
        m_widget->setCursor(Qt::PointingHandCursor);
}

int CNavigatorWidgetHost::Notify(const NavigatorNotification &notification)
{
    return m_owner ? m_owner(notification) : 0;
}
