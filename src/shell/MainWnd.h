// CMainWnd: the visible main window: menu bar, toolbar, information bar, status bar and the
// client area; the File menu's data-file commands; layout saved in "Common"; full screen;
// closing or (with "MWHM") minimising it leaves the program in the tray.
#pragma once

#include "core/document/MainWindowSink.h"
#include "shell/RecentFileList.h"
#include "toolkit/commands/CommandTarget.h"

#include <QMainWindow>
#include <memory>

class CCalendarDocument;
class CDataFileCommands;
class CMainFrame;
class ICentralArea;
class QLabel;
class QMenu;
class QToolBar;

class CMainWnd : public QMainWindow, public IMainWindowSink, public ICommandTarget
{
    Q_OBJECT

  public:
    CMainWnd(CCalendarDocument &document, CMainFrame &frame);
    ~CMainWnd() override;

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

    // Runs a command through the window, the frame and the application.
    bool RunCommand(int id);
    CCmdUI CommandState(int id);
    // Enables and checks the actions of a menu (also the toolbar's).
    void UpdateActions(const QList<QAction *> &actions);

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
    void BuildToolBar();
    QAction *AddCommand(QMenu *menu, const QString &text, int id, const QKeySequence &keys = {});
    void FillRecentFiles(QMenu *menu);
    void ShowView(int kind, int days = 0, bool workWeek = false);
    void UpdateItemCount();
    void DataFileChanged();

    CCalendarDocument &m_document;
    CMainFrame &m_frame;
    CRecentFileListEx m_recent;
    std::unique_ptr<CDataFileCommands> m_fileCommands;
    ICentralArea *m_central = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_infoBar = nullptr;
    QLabel *m_countPane = nullptr;
    QMenu *m_fileMenu = nullptr;
    bool m_fullScreen = false;
    int m_fullScreenState = 0;
    QRect m_savedGeometry;
    bool m_closedByMinimise = false;
    bool m_exiting = false;
};
