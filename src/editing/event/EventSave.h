// CEventSave: what OK does in the event editor. The form is checked and copied into the event or
// into the exception of the edited occurrence, exceptions are carried over after a pattern change,
// the event goes to the store and a new location joins the location list. Every store step that
// fails leaves the file as it was before OK and the editor open; nothing is stored twice.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"

#include <cstdint>
#include <map>

class CEventEditorModel;
class CEventItem;
class CRecurrenceException;
class IEventStore;
class IReminderWindowPort;

// The field a failed check puts the focus on.
enum class EventField
{
    None,
    StartDate,
    StartTime,
    EndDate,
    EndTime,
    ReminderLead,
};

enum class EventSaveResult
{
    Saved,     // stored; the editor closes with OK
    Unchanged, // nothing to store; the editor closes as with Cancel
    StayOpen,  // a check or a store failed and was reported; the editor stays open
};

class CEventSave
{
  public:
    // Flags of an event made from an exception: recurring, reminder, snoozed, 0x8000 and deleted off.
    static constexpr std::uint32_t kTemplateFlagMask = 0xEFFF7FEC;
    // Exception state flags that match the event's when the exception changes nothing.
    static constexpr std::uint32_t kUnchangedExceptionMask = 0x1000000A;

    CEventSave(CEventEditorModel &model, IEventStore &store);
    // The open reminder windows: saving a stored recurring event whose window is open counts
    // its reminders as handled up to now (the store then closes the window).
    void SetReminderWindows(IReminderWindowPort *windows) { m_reminderWindows = windows; }

    // Checks the form and copies it into the item. With printOnly the reminder and placement
    // checks are left out. False: a message was shown and GetFocusField names the field.
    bool ApplyFieldsToItem(bool printOnly);
    EventField GetFocusField() const { return m_focus; }

    // OK: apply, carry the exceptions over, store, add the location.
    EventSaveResult Save();
    // After a pass over the exceptions the whole view reloads; else the one item is redrawn.
    bool ViewNeedsReload() const { return m_reloadView; }
    // The notes as stored: a line break added to a text of more than 4 characters without one.
    static QString NotesForStorage(const QString &notes);

  private:
    bool Fail(EventField field, const QString &message);
    bool ApplyTimes();
    bool ApplyReminder();
    bool CheckPlacement(CRecurrenceException &exception);
    bool IsUnchangedNewException(const CRecurrenceException &exception) const;
    // An exception of the series as an event of its own, stored; the key's earlier record is reused.
    HRESULT StoreExceptionEvent(const CEventItem &templ, const CRecurrenceException &exception, bool deleted);
    bool KeepExceptions();
    bool DropOutOfRangeExceptions();
    bool ReplaceRecord();
    // Takes back the events the exception pass stored (a record that cannot be deleted stays
    // remembered, so that the next OK writes over it rather than beside it).
    void RollBackPass();
    void AddLocation();
    EventSaveResult StayOpenWith(HRESULT code);

    CEventEditorModel &m_model;
    IEventStore &m_store;
    IReminderWindowPort *m_reminderWindows = nullptr;
    EventField m_focus = EventField::None;
    bool m_reloadView = false;
    std::map<double, std::uint32_t> m_passStored; // exception key date -> record stored for it
};
