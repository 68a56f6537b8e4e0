// The frame window base.
#include "toolkit/bars/FrameWndEx.h"

#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/menus/MenuBarEx.h"

#include <QAction>
#include <QPainter>

CFrameWndEx::CFrameWndEx(CCommandTable &table, QWidget *parent) : QMainWindow(parent), m_table(table)
{
    // The menu bar keeps a row of its own above every docked toolbar.
    m_menuBar = new CMenuBarEx(table, this);
    setMenuBar(m_menuBar);
    table.Router().SetMainWindow(this);
}

void CFrameWndEx::LoadFrame(const QString &frameString, const QList<int> &acceleratorCommands)
{
    setWindowTitle(frameString.section(QLatin1Char('\n'), 0, 0));
    QList<QAction *> actions;
    for (int id : acceleratorCommands) {
        if (QAction *action = m_table.Action(id)) {
            addAction(action);
            actions.append(action);
        }
    }
    m_table.Router().WatchAccelerators(actions);
}

void CFrameWndEx::paintEvent(QPaintEvent *)
{
    // The dock areas around the client show the bar background.
    QPainter painter(this);
    painter.fillRect(rect(), GetBarBackgroundBrush());
}
