// The program's side of the reminder windows' commands.
#include "shell/reminders/ProgramReminderShell.h"

#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemType.h"
#include "core/system/AppSettings.h"
#include "editing/base/EditorWidgets.h"
#include "editing/base/ItemKey.h"
#include "editing/base/RecurrencePromptDlg.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/event/DocumentEventStore.h"
#include "editing/event/EditEventDlg.h"
#include "editing/properties/PropertiesDlg.h"
#include "editing/task/DocumentTaskStore.h"
#include "editing/task/EditTaskDlg.h"
#include "shell/reminders/ReminderOptionsDlg.h"
#include "shell/reminders/ReminderWindows.h"

#include <QAction>
#include <QPointer>
#include <QSignalBlocker>

namespace {

CProgramReminderShell::TaskEditorOpener g_taskEditor;

// The event editor shows the two window options as toolbar buttons; they follow the item after
// Reminder Options wrote it.
void FollowWindowOptions(CEditEventDlg &editor)
{
    const EventToolbarState state = editor.GetModel().GetToolbarState();
    if (auto *topmost = editor.findChild<QAction *>(QStringLiteral("topmost"))) {
        const QSignalBlocker block(topmost);
        topmost->setChecked(state.topmostChecked);
    }
    if (auto *noWindow = editor.findChild<QAction *>(QStringLiteral("noWindowAfter"))) {
        const QSignalBlocker block(noWindow);
        noWindow->setChecked(state.noWindowAfterChecked);
    }
}

void ConnectSetup(CProgramReminderShell &shell, CEditEventDlg &editor)
{
    QObject::connect(&editor, &CEditEventDlg::reminderSetupRequested, &editor, [&shell, &editor] {
        if (!shell.RunReminderOptions(editor.GetModel().GetEvent(), editor.GetModel().IsReadOnly(), &editor))
            return;
        editor.GetModel().MarkModified();
        FollowWindowOptions(editor);
    });
}

void ConnectSetup(CProgramReminderShell &shell, CEditTaskDlg &editor)
{
    QObject::connect(&editor, &CEditTaskDlg::reminderSetupRequested, &editor, [&shell, &editor] {
        if (shell.RunReminderOptions(editor.GetModel().GetTask(), editor.GetModel().IsReadOnly(), &editor))
            editor.ReminderOptionsApplied();
    });
}

// Runs an editor made by `make` (given its parent) modal under a live parent, else as a window
// of its own; an editor with nothing to edit does not open.
template <class Editor, class Make>
void RunEditorFor(CProgramReminderShell &shell, QWidget *parent, bool topmost, Make make)
{
    if (parent) {
        // Guarded: the parent may go (the main window closing to the tray) and take it along.
        QPointer<Editor> editor = make(parent).release();
        if (editor->IsLoaded()) {
            ConnectSetup(shell, *editor);
            EditorWidgets::RunEditor(*editor, true, topmost, false);
        }
        delete editor.data();
        return;
    }
    std::unique_ptr<Editor> editor = make(nullptr);
    if (!editor->IsLoaded())
        return;
    ConnectSetup(shell, *editor);
    // The window deletes itself once closed.
    EditorWidgets::RunEditor(*editor.release(), false, topmost, false);
}

} // namespace

CProgramReminderShell::CProgramReminderShell(CReminderWindows &windows)
    : m_windows(windows), m_eventStore(std::make_unique<CDocumentEventStore>(windows.Document())),
      m_taskStore(std::make_unique<CDocumentTaskStore>(windows.Document()))
{
}

CProgramReminderShell::~CProgramReminderShell() = default;

void CProgramReminderShell::SetTaskEditorOpener(TaskEditorOpener opener)
{
    g_taskEditor = std::move(opener);
}

void CProgramReminderShell::OpenItemEditor(std::unique_ptr<CItemRef> holder, bool newException, bool topmost,
                                           bool readOnly)
{
    if (!holder)
        return;
    QWidget *parent = m_windows.MainWindow();
    CCalendarDocument &document = m_windows.Document();
    if (holder->GetEvent()) {
        EventEditorContext context;
        context.store = m_eventStore.get();
        context.masterList = &document.GetMasterList();
        context.file = &document.GetDataFile();
        context.reminderWindows = &m_windows;
        RunEditorFor<CEditEventDlg>(*this, parent, topmost, [&](QWidget *p) {
            return std::make_unique<CEditEventDlg>(std::move(holder), context, readOnly, newException, p);
        });
    } else if (holder->GetTask()) {
        if (g_taskEditor) {
            g_taskEditor(std::move(holder), parent, topmost, readOnly);
            return;
        }
        TaskEditorContext context;
        context.store = m_taskStore.get();
        context.masterList = &document.GetMasterList();
        context.file = &document.GetDataFile();
        context.reminderWindows = &m_windows;
        RunEditorFor<CEditTaskDlg>(*this, parent, topmost, [&](QWidget *p) {
            return std::make_unique<CEditTaskDlg>(std::move(holder), context, readOnly, p);
        });
    }
}

void CProgramReminderShell::ShowProperties(std::unique_ptr<CItemRef> holder, QWidget *parent)
{
    if (!holder || !holder->GetItem())
        return;
    // The item's reminder window stays disabled while its Properties window is up.
    CItemKey key;
    key.kind = holder->GetItem()->GetKind();
    key.itemId = holder->GetRecordId();
    const bool hold = m_windows.IsReminderWindowOpen(key) && parent;
    if (hold)
        m_windows.HoldReminderWindow(key, true);
    ShowPropertiesDialog(std::move(holder), parent);
    if (hold)
        m_windows.HoldReminderWindow(key, false);
}

bool CProgramReminderShell::RunReminderOptions(CCalendarItem &item, bool readOnly, QWidget *editor)
{
    const CItemType *type = nullptr;
    CCalendarDocument &document = m_windows.Document();
    if (document.IsOpen()) {
        const CItemTypeList &types = document.GetItemTypes();
        const int index = item.GetItemTypeIndex();
        if (index >= 0 && index < types.GetTypeCount())
            type = types.GetType(index);
    }
    QFont heading = editor ? editor->font() : QFont();
    heading.setBold(true);
    CReminderOptionsDlg dialog(item, type ? &type->GetSound() : nullptr, ProgramSettings().remindersTopmost != 0,
                               readOnly, heading, editor);
    return dialog.RunModal(true) == 1;
}

int CProgramReminderShell::AskDeleteScope(int kind, const QString &subject, QWidget *parent)
{
    CRecurrencePromptDlg prompt(kind, 1, subject, parent);
    CReminderWindowsGate::Hold gate;
    if (prompt.exec() != QDialog::Accepted)
        return -1;
    return prompt.GetChoice();
}
