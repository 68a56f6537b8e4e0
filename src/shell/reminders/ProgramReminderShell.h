// CProgramReminderShell: the program's answers to a reminder window: events and tasks open in
// their editors on the document (modal under the main window, modeless without one), which hold
// the item's reminder window while they run and whose Setup... opens Reminder Options; Properties
// opens the Properties window of the item; Print stays unavailable until the program prints;
// the delete question is the occurrence-or-series prompt.
#pragma once

#include "shell/reminders/ReminderShell.h"

#include <functional>
#include <memory>

class CCalendarItem;
class CDocumentEventStore;
class CDocumentTaskStore;
class CReminderWindows;

class CProgramReminderShell : public IReminderShell
{
  public:
    // Opens a task holder: the parent (null: modeless), topmost, read-only.
    using TaskEditorOpener = std::function<void(std::unique_ptr<CItemRef>, QWidget *, bool, bool)>;

    explicit CProgramReminderShell(CReminderWindows &windows);
    ~CProgramReminderShell() override;

    // Puts another task editor in place of the program's own (none set: the program's).
    static void SetTaskEditorOpener(TaskEditorOpener opener);

    bool CanOpenItem(int kind) const override { return kind == 1 || kind == 2; }
    void OpenItemEditor(std::unique_ptr<CItemRef> holder, bool newException, bool topmost,
                        bool readOnly) override;
    bool CanShowProperties() const override { return true; }
    void ShowProperties(std::unique_ptr<CItemRef> holder, QWidget *parent) override;
    bool CanPrint() const override { return false; }
    void PrintItems(const CItemKeyArray &) override {}
    int AskDeleteScope(int kind, const QString &subject, QWidget *parent) override;

    // Reminder Options for the item an editor holds, modal over the editor: true after OK, when
    // the options are written into the item.
    bool RunReminderOptions(CCalendarItem &item, bool readOnly, QWidget *editor);

  private:
    CReminderWindows &m_windows;
    std::unique_ptr<CDocumentEventStore> m_eventStore;
    std::unique_ptr<CDocumentTaskStore> m_taskStore;
};
