// CMainBasePointers: the program-wide ways to the main base window and the panes it creates
// (the Date Navigator, the TaskPad and the preview pane); each is null while it does not exist.
#pragma once

class CDateNavigatorWnd;
class CMainBaseWnd;
class CPreviewPane;
class QWidget;

class CMainBasePointers
{
  public:
    static CMainBaseWnd *MainBase();
    static CDateNavigatorWnd *DateNavigator();
    static QWidget *TaskPad();
    static CPreviewPane *PreviewPane();

    static void Publish(CMainBaseWnd *mainBase, CDateNavigatorWnd *navigator, QWidget *taskPad,
                        CPreviewPane *preview);
    static void ClearDateNavigator();
};
