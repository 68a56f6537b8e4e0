// CMonthContainer: the Month view's container: the month view in a bordered frame, showing a
// whole month or a run of 1 to 10 weeks with all days, work days only or weekend days only. It
// loads the shown weeks' items, keeps the TaskPad and the Date Navigator on its period, steps by
// month or by its run of weeks and offers the Month print style's range.
#pragma once

#include "containers/month/FramedViewContainer.h"
#include "views/month/MonthViewCtrl.h"

class CMonthContainer : public CFramedViewContainer
{
  public:
    static constexpr int kFrameId = 882;
    static constexpr int kViewId = 782;
    static constexpr int kPrintStyle = 260;
    // Commands of the container's own map: a run of 1..10 weeks, the whole month, the days shown.
    static constexpr int kCmdWeeksFirst = 32881;
    static constexpr int kCmdWeeksLast = 32890;
    static constexpr int kCmdWholeMonth = 32891;
    static constexpr int kCmdWeekendOnly = 34862;
    static constexpr int kCmdWorkDaysOnly = 34863;
    static constexpr int kCmdAllDays = 34864;
    // "Please open Options and specify work week."
    static constexpr int kIdsNoWorkWeek = 61287;

    explicit CMonthContainer(QWidget *parent = nullptr);
    ~CMonthContainer() override;

    CMonthViewCtrl &GetMonthView() { return m_view; }
    const CMonthViewCtrl &GetMonthView() const { return m_view; }
    // 0 all days, 1 work days only, 2 weekend days only.
    int GetDayFilter() const { return m_view.GetModel().GetWeekdayMode(); }
    bool IsWeeksMode() const { return m_view.GetModel().IsWeekCountMode(); }
    int GetWeekCount() const { return m_view.GetModel().GetWeekCount(); }
    // The first day of the shown period: the grid's first day in weeks mode, else the 1st of the
    // shown month.
    CDateTime GetPeriodStart() const;

    // ---- Overrides of the container base ----
    CDateTime GetLastShownDate() const override;
    CDateTime GetCurrentDate() const override;
    CDateTime GetPrintStartDate() const override { return GetPeriodStart(); }
    void GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const override;
    void AlignPrintRange(CDateTime &start, CDateTime &end) const override;
    void GoToDate(int mode, const CDateTime &date) override;
    using CViewContainer::GoToDate;
    HRESULT LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date) override;
    bool GoPrevPeriod() override { return StepPeriod(false, false); }
    bool GoNextPeriod() override { return StepPeriod(true, false); }
    // Weeks mode: one week with `singleStep`, else the run of weeks; month mode: one month.
    bool StepPeriod(bool forward, bool singleStep);
    void StepByKey(bool forward, bool singleStep) override { StepPeriod(forward, singleStep); }
    int GetItemCount() const override { return m_view.GetEntryCount(); }
    CShownRange GetShownRange() const override;
    bool OnContainerCommand(int id) override;
    bool OnUpdateContainerCommand(int id, CCmdUI &ui) override;

    // Print pages of a Month print range: one per period (two with the two-pages-per-month
    // option), and the first day a page shows.
    int CountPrintPages(const CDateTime &start, const CDateTime &end, bool twoPagesPerPeriod) const;
    CDateTime GetPrintPageDate(const CDateTime &start, int page, bool twoPagesPerPeriod) const;

  private:
    // Switches the shown days and the weeks mode (saved), then reloads the shown month.
    void SetViewMode(bool showWork, bool showNonWork, bool weeksMode, int weeks);
    bool IsInShownPeriod(int mode, const CDateTime &date) const;
    // The cell a period step keeps the focus in, moved up a row at a time into the new grid.
    int CellInsideGrid(int cell) const;

    CMonthViewCtrl m_view;
};
