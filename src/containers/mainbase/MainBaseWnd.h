// CMainBaseWnd: the one window that fills the main window's client area. It owns the eight view
// containers, the Date Navigator bar (the Date Navigator above the TaskPad) and the preview
// pane; shows one container at a time; lays the panes out with 6-pixel gaps that the user drags
// as splitters; and switches views on the main window's view commands.
#pragma once

#include "containers/mainbase/MainBaseContainer.h"
#include "containers/mainbase/MainBaseSplitter.h"

#include <QRect>
#include <QWidget>
#include <array>
#include <functional>

class CCalendarDocument;
class CDateNavigatorBar;
class CPreviewPane;
class IMainBaseShell;
class IMainBaseTaskPad;
class QRubberBand;

class CMainBaseWnd : public QWidget
{
  public:
    // Child ids of the containers in creation order (Day, Multi-day, Week, Month, Year, Event
    // List, Tasks, Search Results), the bar and the pane.
    static constexpr std::array<int, 8> kContainerIds = {779, 799, 781, 783, 785, 787, 789, 795};
    static constexpr int kBarId = 801;
    static constexpr int kPreviewId = 809;
    // The view commands the main window passes on.
    static constexpr int kCmdDay = 32803;
    static constexpr int kCmdWeek = 32804;
    static constexpr int kCmdMonth = 32802;
    static constexpr int kCmdYear = 34738;
    static constexpr int kCmdEventList = 32894;
    static constexpr int kCmdFind = 34730;
    static constexpr int kCmdTasks = 34746;
    static constexpr int kCmdDetailsPane = 34855;
    static constexpr int kCmdDateNavigator = 32814;
    static constexpr int kCmdTaskPad = 34789;

    // Makes the container of a view kind (1 to 8) as a child of the parent; null fails Create.
    using ContainerFactory = std::function<IMainBaseContainer *(int viewKind, QWidget *parent)>;

    explicit CMainBaseWnd(IMainBaseShell *shell, QWidget *parent = nullptr);
    ~CMainBaseWnd() override;

    // Creates the children: the eight containers, the bar with the TaskPad (none: an empty
    // pane) and the preview pane; publishes the program-wide pointers. False when a container
    // could not be made.
    bool Create(const ContainerFactory &factory, IMainBaseTaskPad *taskPad);

    // Attaches the open calendar (enables and shows the window) or detaches it (null).
    void SetDataFile(CCalendarDocument *document);

    // View switching. A null date keeps the shown period.
    void ShowDayView(const CDateTime &date = CDateTime::Null());
    // Index 0 keeps the day count, index k shows k + 1 days.
    void ShowMultiDayView(int index, bool workWeek, const CDateTime &date = CDateTime::Null());
    void ShowWeekView(const CDateTime &date = CDateTime::Null());
    void ShowMonthView(const CDateTime &date = CDateTime::Null());
    void ShowYearView(const CDateTime &date = CDateTime::Null());
    void ShowListView(bool search);
    void ShowTaskView();
    // An event (kind 1) of a list shown in the Day view at its start.
    void ShowItemInDayView(int kind, const CDateTime &start, const CDateSpan &duration);
    // The view commands above, the multi-day commands 32867 to 32880 and Work Week 34724; false
    // for any other command.
    bool OnCommand(int commandId);
    // The pane switches (Date Navigator, TaskPad, details pane): whether one may be switched in
    // the current view, and whether its pane is shown.
    bool PaneState(int commandId, bool &checked) const;

    void ToggleDetailsPane();
    void ToggleDateNavigator();
    void ToggleTaskPad();
    void ApplyOptions();
    void ResizeDateNavigatorBar();
    void OnSysColorChange();
    void SavePaneSizes();
    void RestorePaneSizes();

    void Layout(int cx, int cy);

    IMainBaseContainer *GetCurrentContainer() const { return m_current; }
    // The container of a view kind (1 to 8), null before Create.
    IMainBaseContainer *Container(int viewKind) const;
    CDateNavigatorBar *Bar() const { return m_bar; }
    CPreviewPane *Preview() const { return m_preview; }
    QRect GetVerticalStrip() const { return m_verticalStrip; }
    QRect GetHorizontalStrip() const { return m_horizontalStrip; }
    const CMainBaseSplitter &Splitter() const { return m_splitter; }
    int MonthWidth() const;

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // The switch of Show*View for a calendar view; index and work week for the Multi-day view.
    void SwitchTo(IMainBaseContainer *target, const CDateTime &date, int index, bool workWeek);
    // Makes the target current (step 9 of a switch); the navigator bar follows its flag when
    // `navigatorAllowed`, else it is hidden.
    void MakeCurrent(IMainBaseContainer *target, bool navigatorAllowed);
    void SetTaskPadOwner(IMainBaseContainer *owner);
    bool Check(HRESULT code);
    void UpdateStrips();
    void EndDrag(bool apply);
    void LayoutNow();

    IMainBaseShell *m_shell;
    CCalendarDocument *m_document = nullptr;
    std::array<IMainBaseContainer *, 8> m_containers{};
    CDateNavigatorBar *m_bar = nullptr;
    CPreviewPane *m_preview = nullptr;
    IMainBaseTaskPad *m_taskPad = nullptr;
    IMainBaseContainer *m_current = nullptr;
    CMainBaseSplitter m_splitter;
    QRect m_verticalStrip, m_horizontalStrip;
    QRubberBand *m_tracker = nullptr;
};
