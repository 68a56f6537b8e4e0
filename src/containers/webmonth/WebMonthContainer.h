// CWebMonthContainer: the container HTML publishing lays one month out with. It is never shown:
// it owns a hidden web month view, loads the month's events and tasks into it through the
// container's loading visitors (range test, filter, hidden items) and leaves the placed entries
// for the page writer to read. The side pane and the details pane are off, so publishing never
// marks busy days in the Date Navigator.
#pragma once

#include "containers/base/ViewContainer.h"
#include "views/month/WebMonthViewCtrl.h"

class CWebMonthContainer : public CViewContainer
{
  public:
    explicit CWebMonthContainer(QWidget *parent = nullptr);
    ~CWebMonthContainer() override;

    CCalendarViewCtrl *GetViewCtrl() const override { return &m_view; }
    CWebMonthViewCtrl &GetMonthView() const { return m_view; }
    CDateTime GetCurrentDate() const override { return m_view.GetAnchorDate(); }
    int GetItemCount() const override { return m_view.GetEntryCount(); }

    // The publishing options: hidden items, tasks on their due dates, completed tasks and the
    // filter the pages are written with.
    void SetShowHiddenItems(bool on) { m_showHidden = on; }
    void SetShowTasksWithDue(bool on) { m_includeTasksWithDue = on; }
    void SetShowCompletedTasks(bool on) { m_includeCompleted = on; }
    void SetFilter(const CActiveFilter &filter) { m_filter.Copy(filter); }

    // The month of the date, events first and tasks only when the events loaded; the first
    // error of the enumeration, else 0.
    HRESULT LoadPeriodItems(bool first, bool second, const CDateTime &date) override;

    CShownRange GetShownRange() const override;
    bool AddItemToView(CItemRef &holder, int select) override;

  private:
    mutable CWebMonthViewCtrl m_view;
    bool m_showHidden = false;
};
