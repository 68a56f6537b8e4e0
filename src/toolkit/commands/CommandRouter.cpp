// The command route with its menu, toolbar and accelerator updates.
#include "toolkit/commands/CommandRouter.h"

#include "toolkit/commands/CommandTable.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QWidget>

CCommandRouter::CCommandRouter(QObject *parent) : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &CCommandRouter::UpdateBars);
}

CCommandRouter::~CCommandRouter()
{
    if (m_filtering && qApp)
        qApp->removeEventFilter(this);
    for (QObject *menu : std::as_const(m_menus))
        disconnect(menu, nullptr, this, nullptr);
    for (QWidget *window : m_targets.keys())
        disconnect(window, nullptr, this, nullptr);
}

CCommandRouter &CCommandRouter::Instance()
{
    static CCommandRouter *router = new CCommandRouter(qApp);
    return *router;
}

void CCommandRouter::RegisterTarget(QWidget *window, ICommandTarget *target)
{
    if (!window)
        return;
    if (!m_targets.contains(window))
        connect(window, &QObject::destroyed, this, [this, window] { m_targets.remove(window); });
    m_targets.insert(window, target);
}

void CCommandRouter::UnregisterTarget(QWidget *window)
{
    m_targets.remove(window);
}

QList<ICommandTarget *> CCommandRouter::Route(QWidget *start) const
{
    if (!start)
        start = QApplication::focusWidget();
    if (!start)
        start = QApplication::activeWindow();
    // A popup menu holds the focus while it is open; its commands belong to the window behind it.
    if (qobject_cast<QMenu *>(start)) {
        QWidget *owner = start->parentWidget() ? start->parentWidget()->window() : m_mainWindow.data();
        start = owner ? (owner->focusWidget() ? owner->focusWidget() : owner) : nullptr;
    }
    QList<ICommandTarget *> route;
    bool passedMain = false;
    for (QWidget *w = start; w; w = w->parentWidget()) {
        if (ICommandTarget *target = m_targets.value(w))
            route.append(target);
        if (w == m_mainWindow)
            passedMain = true;
    }
    if (!passedMain && m_mainWindow) {
        if (ICommandTarget *target = m_targets.value(m_mainWindow.data()))
            route.append(target);
    }
    if (m_application)
        route.append(m_application);
    return route;
}

CCmdUI CCommandRouter::Update(int id) const
{
    return RouteUpdate(Route(), id);
}

bool CCommandRouter::Execute(int id)
{
    const QList<ICommandTarget *> route = Route();
    // The state may have changed since a menu or toolbar last showed it.
    if (!RouteUpdate(route, id).enabled)
        return false;
    if (!RouteCommand(route, id))
        return false;
    emit commandExecuted(id);
    return true;
}

void CCommandRouter::UpdateAction(QAction *action) const
{
    const int id = CommandIdOf(action);
    if (!action || id == 0 || action->menu())
        return;
    const CCmdUI ui = Update(id);
    action->setEnabled(ui.enabled);
    if (ui.checked && !action->isCheckable())
        action->setCheckable(true);
    if (action->isCheckable())
        action->setChecked(ui.checked);
    if (ui.hasText)
        action->setText(ui.text);
}

void CCommandRouter::UpdateActions(const QList<QAction *> &actions) const
{
    for (QAction *action : actions)
        UpdateAction(action);
}

void CCommandRouter::WatchMenu(QMenu *menu)
{
    if (!menu || m_menus.contains(menu))
        return;
    m_menus.insert(menu);
    connect(menu, &QObject::destroyed, this, [this, menu] { m_menus.remove(menu); });
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
}

void CCommandRouter::WatchBar(QWidget *bar)
{
    if (!bar)
        return;
    m_bars.append(bar);
    if (!m_filtering && qApp) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
    m_idle.start();
}

void CCommandRouter::UpdateBars()
{
    m_bars.removeAll(nullptr);
    for (const QPointer<QWidget> &bar : std::as_const(m_bars))
        UpdateActions(bar->actions());
}

void CCommandRouter::WatchAccelerators(const QList<QAction *> &actions)
{
    for (QAction *action : actions)
        m_accelerators.append(action);
    if (!m_filtering && qApp) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
}

bool CCommandRouter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Shortcuts are matched right after this event: their enabled state must be current.
        m_accelerators.removeAll(nullptr);
        for (const QPointer<QAction> &action : std::as_const(m_accelerators))
            UpdateAction(action);
        break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
        if (!m_bars.isEmpty())
            m_idle.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
