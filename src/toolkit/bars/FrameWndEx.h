// The base of the program's frame windows: its menu bar is the program's own, its dock areas
// show the bar background, its accelerators come from the command table, and it is the main
// window of the command route.
#pragma once

#include <QMainWindow>

class CCommandTable;
class CMenuBarEx;
class CMiniDockFrameWndEx;

class CFrameWndEx : public QMainWindow
{
    Q_OBJECT
  public:
    explicit CFrameWndEx(CCommandTable &table, QWidget *parent = nullptr);

    // Takes the title from the first "\n"-separated part of the frame string and makes the
    // accelerators of the given commands work in the frame.
    void LoadFrame(const QString &frameString, const QList<int> &acceleratorCommands = {});
    CMenuBarEx *MenuBar() const { return m_menuBar; }
    CCommandTable &Table() const { return m_table; }

    // Tears the menu bar off into a floating frame at a screen point, where it wraps its items
    // into rows; DockMenuBar puts it back in its own row above the toolbars.
    void FloatMenuBar(const QPoint &topLeft);
    void DockMenuBar();
    // The floating frame of the menu bar, null while it is docked.
    CMiniDockFrameWndEx *MenuBarFrame() const { return m_menuBarFrame; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    CCommandTable &m_table;
    CMenuBarEx *m_menuBar = nullptr;
    CMiniDockFrameWndEx *m_menuBarFrame = nullptr;
};
