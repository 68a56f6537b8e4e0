// CProgramReminderShell: the program's answers to a reminder window: events open in the event
// editor on the document (modal under the main window, modeless without one); tasks open in the
// task editor once one is registered; Properties and Print stay unavailable until the program
// has them; the delete question is the occurrence-or-series prompt.
#pragma once

#include "shell/reminders/ReminderShell.h"

#include <functional>
#include <memory>

class CDocumentEventStore;
class CReminderWindows;

class CProgramReminderShell : public IReminderShell
{
  public:
    // Opens a task holder: the parent (null: modeless), topmost, read-only.
    using TaskEditorOpener = std::function<void(std::unique_ptr<CItemRef>, QWidget *, bool, bool)>;

    explicit CProgramReminderShell(CReminderWindows &windows);
    ~CProgramReminderShell() override;

    static void SetTaskEditorOpener(TaskEditorOpener opener);
    static bool HasTaskEditor();

    bool CanOpenItem(int kind) const override { return kind == 1 || (kind == 2 && HasTaskEditor()); }
    void OpenItemEditor(std::unique_ptr<CItemRef> holder, bool newException, bool topmost,
                        bool readOnly) override;
    bool CanShowProperties() const override { return false; }
    void ShowProperties(CItemRef &, QWidget *) override {}
    bool CanPrint() const override { return false; }
    void PrintItems(const CItemKeyArray &) override {}
    int AskDeleteScope(int kind, const QString &subject, QWidget *parent) override;

  private:
    CReminderWindows &m_windows;
    std::unique_ptr<CDocumentEventStore> m_eventStore;
};
