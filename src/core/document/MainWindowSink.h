// IMainWindowSink: what the document tells the main window after it stores, deletes or
// reschedules items and after a session error. The shell implements it while the main
// window exists; tests fake it.
#pragma once

#include "core/dates/DateTime.h"

#include <cstdint>

class CCalendarItem;

class IMainWindowSink
{
  public:
    virtual ~IMainWindowSink() = default;
    // Redraw or re-place the stored item in the active view.
    virtual void RefreshItemInView(const CCalendarItem &item) = 0;
    // The item's schedule changed for that occurrence (a dismissed reminder).
    virtual void NotifyItemRescheduled(const CCalendarItem &item, const CDateTime &occurrence) = 0;
    // An item or one occurrence of it went away.
    virtual void NotifyItemChanged(std::uint32_t recordId, const CDateTime &occurrence, bool oneOccurrence,
                                   bool redraw) = 0;
    virtual void UpdateTitle() = 0;
    virtual void RefreshViews(bool rebind, bool keepDate) = 0;
    // Empties the item count of the status bar.
    virtual void ClearItemCount() = 0;
};
