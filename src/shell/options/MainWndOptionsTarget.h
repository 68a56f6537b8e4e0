// CMainWndOptionsTarget: the main window's side of the Options dialog's OK, found through the
// frame each time, so that a dialog opened from the tray reaches a window restored meanwhile.
#pragma once

#include "shell/options/OptionsTarget.h"

#include <QPointer>

class CMainFrame;
class CMainWnd;

class CMainWndOptionsTarget : public IOptionsTarget
{
  public:
    explicit CMainWndOptionsTarget(CMainFrame &frame);

    bool HasWindow() const override;
    void RefreshPaneColors() override;
    void LayOutPanes() override;
    void RebuildToolBar() override;
    void RefreshViews() override;

    // The toolbar's icon edge for "Common"/"TLI".
    static int ToolBarIconSize(bool large) { return large ? 24 : 16; }

  private:
    CMainWnd *Window() const;

    QPointer<CMainFrame> m_frame;
};
