// CWeekContainer: the Week view's container: the week grid of seven day cells in a bordered
// frame. It loads the shown week's events and tasks, keeps the TaskPad and the Date Navigator on
// that week and offers the Week print style's range, whole weeks from Monday ("WE") or from the
// program's first day of the week.
#pragma once

#include "containers/month/FramedViewContainer.h"
#include "views/month/WeekGridCtrl.h"

class CWeekContainer : public CFramedViewContainer
{
  public:
    static constexpr int kFrameId = 880;
    static constexpr int kViewId = 780;
    static constexpr int kPrintStyle = 259;

    explicit CWeekContainer(QWidget *parent = nullptr);
    ~CWeekContainer() override;

    CWeekGridCtrl &GetWeekGrid() { return m_view; }
    const CWeekGridCtrl &GetWeekGrid() const { return m_view; }
    // The first day of a printed week: 0 Monday .. 6 Sunday; Monday when "WE" is set.
    int GetPrintFirstWeekday() const;

    CDateTime GetCurrentDate() const override { return m_view.GetFocusDate(); }
    int GetItemCount() const override { return m_view.GetEntryCount(); }
    void GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const override;
    void AlignPrintRange(CDateTime &start, CDateTime &end) const override;
    void GoToDate(int mode, const CDateTime &date) override;
    using CViewContainer::GoToDate;
    HRESULT LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date) override;

    // Print pages of a Week print range, one per 7 days, and the first day a page shows.
    static int CountPrintPages(const CDateTime &start, const CDateTime &end);
    static CDateTime GetPrintPageDate(const CDateTime &start, int page);

  private:
    CWeekGridCtrl m_view;
};
