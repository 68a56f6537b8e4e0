// What every window that handles program commands offers the command route: running a command
// by its numeric id and telling whether it is enabled, checked or renamed right now.
#pragma once

#include <QList>
#include <QString>

// The state an update handler reports for one command before a menu, toolbar or accelerator
// shows or runs it.
struct CCmdUI
{
    bool enabled = true;
    bool checked = false;
    bool hasText = false; // text below replaces the command's own text
    QString text;

    void Enable(bool on = true) { enabled = on; }
    void SetCheck(bool on = true) { checked = on; }
    void SetText(const QString& newText)
    {
        text = newText;
        hasText = true;
    }
};

// One link of the route: the focused pane, its container, the main window, the application.
class ICommandTarget
{
public:
    virtual ~ICommandTarget() = default;
    // Runs the command; false when this target does not handle it, so the route goes on.
    virtual bool OnCommand(int id) = 0;
    // Fills the state of a command this target handles; false when it does not handle it.
    virtual bool OnUpdateCommand(int id, CCmdUI& ui) = 0;
};

// Walks the targets in order: the first that handles the command runs it. Returns whether one did.
bool RouteCommand(const QList<ICommandTarget*>& targets, int id);
// Asks the targets in order for the command's state. A command no target handles is disabled.
CCmdUI RouteUpdate(const QList<ICommandTarget*>& targets, int id);
