// The one route every command takes: the window with the focus and its containers up to the main
// window, then the application. Menus ask it for enable and check state when they open, toolbars
// once input has settled, accelerators just before they fire.
#pragma once

#include "toolkit/commands/CommandTarget.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

class QAction;
class QMenu;
class QWidget;

class CCommandRouter : public QObject
{
    Q_OBJECT
  public:
    explicit CCommandRouter(QObject *parent = nullptr);
    ~CCommandRouter() override;

    static CCommandRouter &Instance();

    // The last link of every route.
    void SetApplicationTarget(ICommandTarget *target) { m_application = target; }
    // The main window: its target joins every route that does not already pass through it.
    void SetMainWindow(QWidget *window) { m_mainWindow = window; }
    // A window that handles commands; it leaves the route when it is destroyed.
    void RegisterTarget(QWidget *window, ICommandTarget *target);
    void UnregisterTarget(QWidget *window);

    // The route from a widget (the focus widget, else the active window, when null).
    QList<ICommandTarget *> Route(QWidget *start = nullptr) const;

    // The state the route reports for a command; a command no target handles is disabled.
    CCmdUI Update(int id) const;
    // Runs a command when the route reports it enabled; false when it is disabled or unhandled.
    bool Execute(int id);

    // Applies the route's state to an action that carries a command id.
    void UpdateAction(QAction *action) const;
    void UpdateActions(const QList<QAction *> &actions) const;
    // Updates the menu's actions each time it is about to show (sub-menus included).
    void WatchMenu(QMenu *menu);
    // Updates the bar's actions whenever input has settled.
    void WatchBar(QWidget *bar);
    // Updates every watched bar now.
    void UpdateBars();
    // Actions whose accelerators must be current before a key press is matched.
    void WatchAccelerators(const QList<QAction *> &actions);

  signals:
    // A command ran through the route.
    void commandExecuted(int id);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QPointer<QWidget> m_mainWindow;
    ICommandTarget *m_application = nullptr;
    QHash<QWidget *, ICommandTarget *> m_targets;
    QSet<QObject *> m_menus;
    QList<QPointer<QWidget>> m_bars;
    QList<QPointer<QAction>> m_accelerators;
    QTimer m_idle;
    bool m_filtering = false;
};
