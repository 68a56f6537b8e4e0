// The program's side of the reminder windows' commands.
#include "shell/reminders/ProgramReminderShell.h"

#include "core/document/CalendarDocument.h"
#include "core/items/ItemRef.h"
#include "editing/base/RecurrencePromptDlg.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/event/DocumentEventStore.h"
#include "editing/event/EditEventDlg.h"
#include "shell/reminders/ReminderWindows.h"

namespace {
CProgramReminderShell::TaskEditorOpener g_taskEditor;
}

CProgramReminderShell::CProgramReminderShell(CReminderWindows &windows)
    : m_windows(windows), m_eventStore(std::make_unique<CDocumentEventStore>(windows.Document()))
{
}

CProgramReminderShell::~CProgramReminderShell() = default;

void CProgramReminderShell::SetTaskEditorOpener(TaskEditorOpener opener)
{
    g_taskEditor = std::move(opener);
}

bool CProgramReminderShell::HasTaskEditor()
{
    return bool(g_taskEditor);
}

void CProgramReminderShell::OpenItemEditor(std::unique_ptr<CItemRef> holder, bool newException, bool topmost,
                                           bool readOnly)
{
    if (!holder)
        return;
    QWidget *parent = m_windows.MainWindow();
    if (holder->GetEvent()) {
        CCalendarDocument &document = m_windows.Document();
        EventEditorContext context;
        context.store = m_eventStore.get();
        context.masterList = &document.GetMasterList();
        context.file = &document.GetDataFile();
        context.reminderWindows = &m_windows;
        CEditEventDlg::OpenEventEditor(std::move(holder), context, parent, false, topmost, readOnly,
                                       newException);
    } else if (holder->GetTask() && g_taskEditor) {
        g_taskEditor(std::move(holder), parent, topmost, readOnly);
    }
}

int CProgramReminderShell::AskDeleteScope(int kind, const QString &subject, QWidget *parent)
{
    CRecurrencePromptDlg prompt(kind, 1, subject, parent);
    CReminderWindowsGate::Hold gate;
    if (prompt.exec() != QDialog::Accepted)
        return -1;
    return prompt.GetChoice();
}
