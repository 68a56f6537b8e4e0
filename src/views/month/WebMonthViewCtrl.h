// CWebMonthViewCtrl: a month view that is never shown: HTML publishing uses it to collect one
// month's items and place them on the days of the month grid, without a window.
#pragma once

#include "views/month/MonthViewCtrl.h"

class CWebMonthViewCtrl : public CMonthViewCtrl
{
  public:
    // Settings section of publishing.
    static constexpr int kSectionWeb = 47;

    CWebMonthViewCtrl();

    // Sorts only: the writer reads cells, never rectangles.
    void Refresh(bool sort) override;
    // Loads the item's occurrences in the shown month; true when one was placed.
    bool AddItem(CItemRef &ref) override;
    // One piece per day of the shown month; false when the entry falls only on other months' days.
    bool AddEntry(std::unique_ptr<CDisplayItem> entry) override;
    // The calendar title of the open data file.
    QString GetCalendarTitle() const;
};
