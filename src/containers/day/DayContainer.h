// CDayContainer: the container of the two time-grid views, Day (one column) and Multi-day (2 to
// 14 columns or the work days of one week). It stacks the all-day banner above the time grid,
// each in a bordered frame, with a 6-pixel splitter bar between them that the user drags in whole
// banner rows; it owns the day count, the work-week mode, the time scale and the "work time
// only" switch, keeps the banner as tall as its items need and hands every loaded occurrence to
// the view that shows it: whole-day and multi-day ones and tasks to the banner, the rest to the
// grid. Operations on the entries go to both views.
#pragma once

#include "containers/base/MainViewContainer.h"
#include "containers/day/DayContainerLayout.h"
#include "views/timegrid/DayBannerCtrl.h"
#include "views/timegrid/DayViewCtrl.h"

class CBorderWnd;
class CDayBannerWnd;
class CDayViewWnd;
class QRubberBand;

class CDayContainer : public CMainViewContainer
{
  public:
    // Commands of the container's own message map.
    static constexpr int kCmdTimeScale60 = 32794; // .. 32799 five minutes
    static constexpr int kCmdTimeScale5 = 32799;
    static constexpr int kCmdWorkTimeOnly = 34867;
    // Child ids of the frames and the views.
    static constexpr int kBannerFrameId = 897;
    static constexpr int kGridFrameId = 898;
    static constexpr int kBannerId = 797;
    static constexpr int kGridId = 798;

    // Kind 1 (Day, section "Day") or 2 (Multi-day, section "MDay").
    explicit CDayContainer(int kind, QWidget *parent = nullptr);
    ~CDayContainer() override;

    CDayBannerCtrl &Banner() const { return m_banner; }
    CDayViewCtrl &Grid() const { return m_grid; }
    CDayBannerWnd *BannerWnd() const { return m_bannerWnd; }
    CDayViewWnd *GridWnd() const { return m_gridWnd; }
    CBorderWnd *BannerFrame() const { return m_bannerFrame; }
    CBorderWnd *GridFrame() const { return m_gridFrame; }
    QRect GetSplitterRect() const { return m_barRect; }
    int GetRowLimit() const { return m_rowLimit; }
    bool IsDraggingSplitter() const { return m_dragging; }

    // ---- IMainBaseContainer ----
    int GetDayCount() const override { return m_dayCount; }
    bool IsWorkWeek() const override { return m_workWeek; }
    // Multi-day: 2 to 14 days, or the work week when asked and the week has two work days or
    // more; the Day view always shows one day.
    void SetDayCount(int days, bool workWeek) override;
    // A range of a day or more focuses the banner; a shorter one selects its cells in the grid.
    void SelectTimeRange(const CDateTime &start, const CDateTime &end) override;
    void FocusAllDayBanner() override;

    // ---- The container ----
    CCalendarViewCtrl *SetViewKind(int kind, int sectionIndex) override;
    CDateTime GetFirstShownDate() const override;
    CDateTime GetLastShownDate() const override;
    CDateTime GetCurrentDate() const override;
    void GoToDate(int mode, const CDateTime &date) override;
    using CMainViewContainer::GoToDate;
    HRESULT LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date) override;
    CShownRange GetShownRange() const override;
    bool AddItemToView(CItemRef &holder, int select) override;
    void OnItemUpdated(CItemRef &holder, bool select) override;
    bool OnItemRescheduled(std::uint32_t recordId, const CDateTime &occurrence, const CDateTime &newStart) override;
    int MarkItemRemoved(std::uint32_t recordId, const CDateTime *occurrence, bool notify) override;
    int RemoveItemFromViews(std::uint32_t recordId, const CDateTime *occurrence, bool notify) override;
    // The banner when it had the focus last of the two, else the grid.
    CCalendarViewCtrl *GetViewCtrl() const override;
    CCalendarViewCtrl *GetFirstView() const override { return &m_banner; }
    CCalendarViewCtrl *GetSecondView() const override { return &m_grid; }
    int GetItemCount() const override;
    // The focused day column of the current view and its date.
    int GetFocusedDay(CDateTime &date) const override;
    // The banner's entries of the day column, then the grid's.
    void AttachZoomList(CDayZoomList &list, int cell) override;
    void ReloadOptions() override;
    void ClearEntries() override;
    void RefreshViews(bool sort) override;
    int EndInPlaceEdit(bool commit, bool fromKey) override;
    bool SetItemStates(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask, bool redraw) override;
    bool SetOccurrenceStates(std::uint32_t recordId, const CDateTime &occurrence, std::uint32_t value,
                             std::uint32_t mask, bool redraw) override;
    bool SetAllStates(std::uint32_t value, std::uint32_t mask, bool redraw) override;
    void RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence) override;
    void RemoveItemEntries(std::uint32_t recordId) override;
    void RemoveEntriesWithStates(std::uint32_t bits) override;
    void UpdateItemTypeEntries(std::uint32_t recordId, int typeIndex, const QString &typeName) override;
    void SwitchPane(bool forward) override;
    QString GetCaptionText() const override;
    void GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const override;
    void AlignPrintRange(CDateTime &start, CDateTime &end) const override;

    int OnNotify(const CNotifyRecord &record) override;
    bool OnContainerCommand(int id) override;
    bool OnUpdateContainerCommand(int id, CCmdUI &ui) override;

    // The time scale (60, 30, 15, 10, 6 or 5 minutes) and the work-time-only switch, reloading
    // the items; the setting is written only when the reload succeeded.
    void ApplyTimeScale(int minutes, bool workTimeOnly, const QString &settingName, int settingValue);

    // Splitter drag, as the mouse handlers run it; public for tests.
    void BeginSplitterDrag(int y);
    void TrackSplitterDrag(int y);
    void EndSplitterDrag(bool apply);

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    // The banner's header height (0 with one column) and row height.
    int HeaderHeight() const { return m_banner.GetHeaderHeight(); }
    int RowHeight() const { return std::max(1, m_banner.GetRowHeight()); }
    // Places the frames and the bar for a banner frame `banner` high.
    void PlacePanes(int banner);
    // Fits the banner to `rows` rows (at least 1, at most the row limit).
    void FitBannerRows(int rows);
    void SelectNavigatorDays();
    bool IsTaskPadVisible() const;

    int m_dayCount = 5;
    int m_rowLimit = CDayContainerLayout::kDefaultRowLimit;
    // The banner rows last asked for; -1 once the user has dragged the splitter. A fit made
    // while the window is still too low to hold them is made again when it grows.
    int m_wantedRows = -1;
    bool m_workWeek = false;
    bool m_bannerFocused = false;
    bool m_dragging = false;
    QRect m_barRect;
    CDayContainerLayout::DragBounds m_dragBounds;
    int m_dragTop = 0;

    mutable CDayBannerCtrl m_banner;
    mutable CDayViewCtrl m_grid;
    CBorderWnd *m_bannerFrame = nullptr;
    CBorderWnd *m_gridFrame = nullptr;
    CDayBannerWnd *m_bannerWnd = nullptr;
    CDayViewWnd *m_gridWnd = nullptr;
    QRubberBand *m_tracker = nullptr;
};
