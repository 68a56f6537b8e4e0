// CNavigatorWidgetHost: what a navigator engine asks of its window, answered by a Qt widget:
// repaints, the repeat timers, the pointer, cursors and the owner that receives notifications.
#pragma once

#include "toolkit/navigator/DateNavigator.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

class QTimer;

class CNavigatorWidgetHost : public INavigatorHost
{
  public:
    using Owner = std::function<int(const NavigatorNotification &)>;

    // The engine's client coordinates start at `origin` inside the widget.
    CNavigatorWidgetHost(QWidget *widget, const QPoint &origin);
    ~CNavigatorWidgetHost() override;

    void SetOwner(Owner owner) { m_owner = std::move(owner); }
    void SetTimerHandler(std::function<void(int)> handler) { m_onTimer = std::move(handler); }
    const QPoint &Origin() const { return m_origin; }
    void SetOrigin(const QPoint &origin) { m_origin = origin; }
    // Widget coordinates to the engine's and back.
    QPoint ToEngine(const QPoint &widgetPoint) const { return widgetPoint - m_origin; }

    void Invalidate(const QRect &rect) override;
    void InvalidateAll() override;
    void UpdateNow() override;
    void SetMouseCapture(bool on) override;
    void StartTimer(int id, int milliseconds) override;
    void StopTimer(int id) override;
    QPoint CursorPos() const override;
    QPoint ToScreen(const QPoint &client) const override;
    void SetCursorShape(NavigatorCursor cursor) override;
    int Notify(const NavigatorNotification &notification) override;

  private:
    QPointer<QWidget> m_widget;
    QPoint m_origin;
    Owner m_owner;
    std::function<void(int)> m_onTimer;
    std::map<int, QTimer *> m_timers;
};
