// The frame window base.
#include "toolkit/bars/FrameWndEx.h"

#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/bars/MiniDockFrameWndEx.h"
#include "toolkit/menus/MenuBarEx.h"

#include <QAction>
#include <QPainter>

CFrameWndEx::CFrameWndEx(CCommandTable &table, QWidget *parent) : QMainWindow(parent), m_table(table)
{
    // The menu bar keeps a row of its own above every docked toolbar.
    m_menuBar = new CMenuBarEx(table, this);
    m_menuBar->setWindowTitle(tr("Menu Bar"));
    setMenuBar(m_menuBar);
    table.Router().SetMainWindow(this);
}

void CFrameWndEx::FloatMenuBar(const QPoint &topLeft)
{
    if (m_menuBarFrame)
        return;
    m_menuBarFrame = new CMiniDockFrameWndEx(this);
    m_menuBar->SetFloating(true, this);
    // Taking the bar from the frame's layout leaves the frame without a menu row.
    m_menuBarFrame->SetBar(m_menuBar);
    m_menuBarFrame->move(topLeft);
    m_menuBarFrame->show();
}

void CFrameWndEx::DockMenuBar()
{
    if (!m_menuBarFrame)
        return;
    m_menuBar->SetFloating(false);
    setMenuBar(m_menuBar);
    m_menuBar->show();
    delete std::exchange(m_menuBarFrame, nullptr);
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
