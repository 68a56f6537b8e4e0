// CMainWnd: the visible main window on the toolkit's frame: the program's menu bar with menus
// rebuilt for the active view kind, the toolbar and link bar in a rebar, the information bar,
// the status bar and the client area; every command goes through the one command table and
// route. The File menu's data-file commands; layout saved in "Common"; full screen; closing or
// (with "MWHM") minimising it leaves the program in the tray.
#pragma once

#include "core/document/MainWindowSink.h"
#include "shell/RecentFileList.h"
#include "toolkit/bars/FrameWndEx.h"
#include "toolkit/commands/CommandTarget.h"

#include <QPointer>
#include <memory>

class CCalendarDocument;
class CCaptionBar;
class CDataFileCommands;
class CFlatReBar;
class CItemsStatusBar;
class CLinkBar;
class CMainFrame;
class CMenuEx;
class CToolBarEx;
class ICentralArea;

class CMainWnd : public CFrameWndEx, public IMainWindowSink, public ICommandTarget
{
    Q_OBJECT

  public:
    CMainWnd(CCalendarDocument &document, CMainFrame &frame);
    ~CMainWnd() override;

    // The live main window; null while the program runs in the tray alone.
    static CMainWnd *Instance();

    // Applies the stored geometry ("Data1") and shows the window.
    void ShowFromLayout();
    void BringToFront();
    // Saves the layout and goes without the close-to-tray steps (the program ends).
    void CloseForExit();
    void SaveLayout();

    void OnHourChanged();
    void OnTimeChange();
    void AddRecentFile(const QString &path);
    CRecentFileListEx &RecentFiles() { return m_recent; }
    CDataFileCommands &FileCommands() { return *m_fileCommands; }
    ICentralArea &CentralArea() { return *m_central; }

    bool IsFullScreenOn() const { return m_fullScreen; }
    void SetFullScreen(bool on);

    // Runs a command through the route from this window: the window, the frame, the application.
    bool RunCommand(int id);
    CCmdUI CommandState(int id);

    // The top-level menu with this title ("&File"), null when there is none.
    CMenuEx *TopMenu(const QString &title) const;
    // Prepares a menu as it does when the menu opens (the rebuild for the active view kind).
    void PrepareMenu(CMenuEx *menu);
    CToolBarEx *ToolBar() const { return m_toolBar; }
    CCaptionBar *InfoBar() const { return m_infoBar; }
    CItemsStatusBar *StatusBar() const { return m_statusBar; }

    // IMainWindowSink
    void RefreshItemInView(const CCalendarItem &item) override;
    void NotifyItemRescheduled(const CCalendarItem &item, const CDateTime &occurrence) override;
    void NotifyItemChanged(std::uint32_t recordId, const CDateTime &occurrence, bool oneOccurrence,
                           bool redraw) override;
    void UpdateTitle() override;
    void RefreshViews(bool rebind, bool keepDate) override;
    void ClearItemCount() override;

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CCmdUI &ui) override;

  protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void BuildMenus();
    void BuildBars();
    void PrepareFileMenu();
    void PrepareEditMenu();
    void PrepareViewMenu();
    void PrepareToolsMenu();
    // Refills a filter menu: item types, categories, saved filters, "Include Past Items".
    void FillFilterMenu(CMenuEx *menu);
    // Refills a sub-menu with one command per name, from `firstId`.
    void FillNamedCommands(CMenuEx *menu, int firstId, const QStringList &names, const QString &prompt,
                           int boldIndex = -1);
    void ShowView(int kind, int days = 0, bool workWeek = false);
    void UpdateInfoBar();
    void UpdateItemCount();
    void DataFileChanged();
    bool ToolbarShown() const;
    void SetToolbarShown(bool on);
    void CreateFullScreenBar();
    void DestroyFullScreenBar();

    CCalendarDocument &m_document;
    CMainFrame &m_frame;
    CRecentFileListEx m_recent;
    std::unique_ptr<CDataFileCommands> m_fileCommands;
    ICentralArea *m_central = nullptr;
    CFlatReBar *m_rebar = nullptr;
    CToolBarEx *m_toolBar = nullptr;
    CLinkBar *m_linkBar = nullptr;
    CCaptionBar *m_infoBar = nullptr;
    CItemsStatusBar *m_statusBar = nullptr;
    CMenuEx *m_fileMenu = nullptr;
    CMenuEx *m_editMenu = nullptr;
    CMenuEx *m_viewMenu = nullptr;
    CMenuEx *m_toolsMenu = nullptr;
    CMenuEx *m_previewMenu = nullptr;
    CMenuEx *m_recentMenu = nullptr;
    CMenuEx *m_newEventMenu = nullptr;
    CMenuEx *m_newRecurringMenu = nullptr;
    CMenuEx *m_changeTypeMenu = nullptr;
    CMenuEx *m_currentViewMenu = nullptr;
    CMenuEx *m_filterMenu = nullptr;
    CMenuEx *m_soundMenu = nullptr;
    int m_multiDays = 5;
    bool m_workWeek = false;
    int m_kindBeforeSearch = 1;
    bool m_fullScreen = false;
    int m_fullScreenState = 0;
    QRect m_savedGeometry;
    QPointer<CToolBarEx> m_fullScreenBar;
    bool m_closedByMinimise = false;
    bool m_exiting = false;
};

// The information bar of the main window, for the views and containers; nothing happens while
// there is no main window. An empty text hides the bar's filter text.
void SetInfoBarTitle(const QString &text);
void ShowInfoBarText(const QString &text);
void SetInfoBarMode(int viewKind);

// Before a modal editor opens: the main window (else the dialog that runs without it, else
// `window`) is restored when minimised and comes to the front with its active pop-up.
void BringProgramToFront(QWidget *window);
