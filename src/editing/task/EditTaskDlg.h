// CEditTaskDlg: the task editor window over CTaskEditorModel; OK saves through CTaskSave.
//
// Opening a task from a view container:
//     CEditTaskDlg::OpenTaskEditor(std::move(holder), context, parent, openRecurrence, topmost, readOnly);
// modal under a live parent (returns 1 after OK), modeless without one (returns 0).
#pragma once

#include "editing/base/DialogEx.h"
#include "editing/base/EditorWidgets.h"
#include "editing/base/ItemKey.h"
#include "editing/task/TaskEditorModel.h"
#include "editing/task/TaskSave.h"

#include <memory>

class CDatePickerCtrl;
class CItemKeyArray;
class CMasterList;
class CNotesEdit;
class IFixedObjectStore;
class IReminderWindowPort;
class ITaskStore;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the editor works with besides the task: the store, and the lists and file for the
// categories dialog.
struct TaskEditorContext
{
    ITaskStore *store = nullptr;
    CMasterList *masterList = nullptr;
    IFixedObjectStore *file = nullptr;
    // The open reminder windows (null: none are asked about).
    IReminderWindowPort *reminderWindows = nullptr;
};

class CEditTaskDlg : public CDialogEx
{
    Q_OBJECT
  public:
    CEditTaskDlg(std::unique_ptr<CItemRef> holder, const TaskEditorContext &context, bool readOnly,
                 QWidget *parent = nullptr,
                 const EventEditorSettings &settings = EventEditorSettings::FromProfile());

    bool IsLoaded() const { return m_loaded; }
    CTaskEditorModel &GetModel() { return m_model; }

    void accept() override;
    void reject() override;
    ~CEditTaskDlg() override;

    // Opens the editor on a holder with a task: modal under a live parent (the result, 1 after
    // OK), else modeless (0). A holder without a task opens nothing and gives 0.
    static int OpenTaskEditor(std::unique_ptr<CItemRef> holder, const TaskEditorContext &context,
                              QWidget *parent, bool openRecurrence, bool topmost, bool readOnly);

    // Reminder Options wrote the task (after OK): the topmost button follows, and the task
    // counts as changed.
    void ReminderOptionsApplied();

  signals:
    // Print: the keys of the edited task, the unsaved copy beside its key.
    void printRequested(const CItemKeyArray &keys);
    // Setup...: the opener shows Reminder Options for the task and calls ReminderOptionsApplied
    // after OK.
    void reminderSetupRequested();

  public slots:
    void OnRecurrence();
    void OnCategories();
    void OnDelete();
    void OnPrint();
    void OnModifySeries();

  private:
    void BuildForm();
    void LoadWidgets();
    void LoadDates();
    void RefreshStates();
    void GatherTexts();
    void FocusField(TaskField field);
    CItemKey ReminderKey();
    void ReleaseReminderWindow();

    CTaskEditorModel m_model;
    TaskEditorContext m_context;
    QSize m_initialSize;
    bool m_loaded = false;
    bool m_holdsReminder = false; // the task's reminder window is held disabled meanwhile
    bool m_filling = false;

    CNotesEdit *m_subject = nullptr;
    QComboBox *m_type = nullptr;
    QComboBox *m_priority = nullptr;
    CDatePickerCtrl *m_due = nullptr;
    CDatePickerCtrl *m_start = nullptr;
    QPushButton *m_recurrence = nullptr;
    QPushButton *m_modifySeries = nullptr;
    QLabel *m_occurrenceIcon = nullptr;
    QLabel *m_seriesIcon = nullptr;
    QComboBox *m_status = nullptr;
    QComboBox *m_percent = nullptr;
    CDatePickerCtrl *m_completion = nullptr;
    QCheckBox *m_notify = nullptr;
    QWidget *m_reminderDate = nullptr;
    QWidget *m_reminderTime = nullptr;
    QPushButton *m_setup = nullptr;
    QAction *m_topmost = nullptr;
    CNotesEdit *m_notes = nullptr;
    QPushButton *m_categoriesButton = nullptr;
    QLineEdit *m_categories = nullptr;
    EditorWidgets::ItemActions m_item;
    QPushButton *m_ok = nullptr;
};
