// CYearContainer: the Year view's container: the year grid of twelve months in a bordered frame.
// It loads the shown year's events (never tasks, and it leaves the Date Navigator and the TaskPad
// alone), steps a year at a time keeping the focused day, runs its own Customize View dialog and
// offers the Year print style's range of whole calendar years.
#pragma once

#include "containers/month/FramedViewContainer.h"
#include "views/year/YearGridCtrl.h"

class CYearContainer : public CFramedViewContainer
{
  public:
    static constexpr int kFrameId = 884;
    static constexpr int kViewId = 784;
    static constexpr int kPrintStyle = 261;

    explicit CYearContainer(QWidget *parent = nullptr);
    ~CYearContainer() override;

    CYearGridCtrl &GetYearGrid() { return m_view; }
    const CYearGridCtrl &GetYearGrid() const { return m_view; }

    CDateTime GetCurrentDate() const override { return m_view.GetFocusDate(); }
    CDateTime GetLastShownDate() const override;
    int GetItemCount() const override { return m_view.Model().GetEntryCount(); }
    CShownRange GetShownRange() const override;
    void GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const override;
    void AlignPrintRange(CDateTime &start, CDateTime &end) const override;
    void GoToDate(int mode, const CDateTime &date) override;
    using CViewContainer::GoToDate;
    HRESULT LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date) override;
    bool OnContainerCommand(int id) override;
    // The grid keeps its marks per day, apart from the base's entry list.
    void ClearEntries() override;

    // Print pages of a Year print range, one per 12 months, and the first day a page shows.
    static int CountPrintPages(const CDateTime &start, const CDateTime &end);
    static CDateTime GetPrintPageDate(const CDateTime &start, int page);

  protected:
    // Runs the Customize Year View dialog; true after OK.
    virtual bool RunCustomizeDialog();

  private:
    CYearGridCtrl m_view;
};
