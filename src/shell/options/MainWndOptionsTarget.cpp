// The main window after the Options dialog's OK.
#include "shell/options/MainWndOptionsTarget.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "shell/MainFrame.h"
#include "shell/MainWnd.h"
#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QLayout>
#include <QToolBar>

CMainWndOptionsTarget::CMainWndOptionsTarget(CMainFrame &frame) : m_frame(&frame) {}

CMainWnd *CMainWndOptionsTarget::Window() const
{
    return m_frame ? m_frame->GetMainWnd() : nullptr;
}

bool CMainWndOptionsTarget::HasWindow() const
{
    return Window() != nullptr;
}

void CMainWndOptionsTarget::RefreshPaneColors()
{
    CMenuLook::Instance().UpdateColors(QApplication::palette(), LookOptions::FromProfile());
    if (CMainWnd *window = Window()) {
        window->update();
        for (QWidget *child : window->findChildren<QWidget *>())
            child->update();
    }
}

void CMainWndOptionsTarget::LayOutPanes()
{
    if (CMainWnd *window = Window())
        if (QLayout *layout = window->layout()) {
            layout->invalidate();
            layout->activate();
        }
}

void CMainWndOptionsTarget::RebuildToolBar()
{
    // The window's own toolbar, found by its name until the window rebuilds it itself.
    CMainWnd *window = Window();
    QToolBar *bar = window ? window->findChild<QToolBar *>(QStringLiteral("toolBar")) : nullptr;
    if (!bar)
        return;
    const int edge = ToolBarIconSize(GetProfileInt(ConstName::Common, ConstName::TLI, 1) != 0);
    if (bar->iconSize() != QSize(edge, edge))
        bar->setIconSize(QSize(edge, edge));
}

void CMainWndOptionsTarget::RefreshViews()
{
    if (CMainWnd *window = Window())
        window->RefreshViews(true, true);
}
