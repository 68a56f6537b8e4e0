// CTransferPaste: pastes the private item format into a view: reads every record first, then
// re-dates tasks and events for the view they land in and stores them as new items.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"

#include <QByteArray>
#include <cstdint>

class CCalendarItem;
class CEventItem;
class CTaskItem;
class IItemTypeCatalog;

// String id of the warning shown when the bytes to paste are damaged.
inline constexpr int IDS_PASTE_DAMAGED = 61900;

// What a paste needs to know of the view and container it lands in.
struct PasteTarget
{
    int containerKind = 0; // 1..5 calendar views, 6 Event List, 7 Tasks, 8 Search
    int viewKind = 0;      // 1 time grid, 2 banner, 3 week, 4 month, 5 year, 6/7 lists
    std::uint32_t formatVersion = 0;
    const IItemTypeCatalog *types = nullptr;
    CDateTime firstCellDate;                    // the first selected cell's date (time grid: at its row time)
    CDateTime navigatorDay = CDateTime::Null(); // day last picked in the Date Navigator
    bool hasSelectedEntry = false;
    CDateTime selectedEntryStart; // start of the first selected entry
    CDateSpan shownSpan;          // the time grid's shown span
};

// The document and container operations a paste calls.
class IPasteSink
{
  public:
    virtual ~IPasteSink() = default;
    virtual HRESULT StoreEvent(CEventItem &event) = 0;
    virtual HRESULT StoreTask(CTaskItem &task) = 0;
    // Gives an event made from a pasted task the times of a new event of the view.
    virtual void InitNewEventTimes(CEventItem &event) = 0;
    // A stored item for the container's view; offerToTaskPad for tasks in calendar views.
    virtual void AddItemToView(CCalendarItem &item, bool offerToTaskPad) = 0;
};

class CTransferPaste
{
  public:
    CTransferPaste(const PasteTarget &target, IPasteSink &sink) : m_target(target), m_sink(sink) {}

    // S_OK after storing every item (or none, for bytes of another format version); the first
    // store error, items stored before it kept; S_FALSE after warning that the bytes are
    // damaged, with nothing pasted; E_OUT_OF_MEMORY.
    HRESULT Paste(const QByteArray &bytes);
    // Whether a task was offered to the TaskPad (the caller refreshes it once).
    bool OfferedToTaskPad() const { return m_offeredToTaskPad; }

    // A task pasted into a calendar view moves to the target date: one without a due date is
    // due then; one with a start date starts then and its due date keeps its distance; else its
    // due date becomes the target. The reminder moves by the due date's shift.
    static void RedateTask(CTaskItem &task, const CDateTime &targetDate);
    // The event a task pasted into the Event List becomes: type, subject and notes; in the
    // Event List view itself it covers the task's days (start through due, or the due day).
    // `event` comes with the times of a new event, kept otherwise. A date that is no day of the
    // calendar (zero or out of range) counts as missing, and so does a start after the due date.
    static void TaskToEvent(const CTaskItem &task, bool eventListView, CEventItem &event);
    // Places one pasted event in the view; single events keep the spacing they had, all
    // moved by the offset of the first.
    void PlaceEvent(CEventItem &event, bool series);

  private:
    HRESULT PasteTask(CTaskItem &task);
    HRESULT PasteEvent(CEventItem &event, bool series);

    PasteTarget m_target;
    IPasteSink &m_sink;
    bool m_haveOffset = false;
    CDateSpan m_offset;
    bool m_offeredToTaskPad = false;
};
