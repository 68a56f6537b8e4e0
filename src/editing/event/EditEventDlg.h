// CEditEventDlg: the event editor window over CEventEditorModel; OK saves through CEventSave.
#pragma once

#include "editing/base/DialogEx.h"
#include "editing/base/EditorWidgets.h"
#include "editing/base/ItemKey.h"
#include "editing/event/EventEditorModel.h"
#include "editing/event/EventSave.h"

#include <memory>

class CItemKeyArray;
class CMasterList;
class CNotesEdit;
class IEventStore;
class IFixedObjectStore;
class IReminderWindowPort;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolBar;

// What the editor works with besides the item: the store, and the lists and file for the
// categories dialog (null: the Categories button stays without its Setup).
struct EventEditorContext
{
    IEventStore *store = nullptr;
    CMasterList *masterList = nullptr;
    IFixedObjectStore *file = nullptr;
    // The open reminder windows (null: none are asked about).
    IReminderWindowPort *reminderWindows = nullptr;
};

class CEditEventDlg : public CDialogEx
{
    Q_OBJECT
  public:
    CEditEventDlg(std::unique_ptr<CItemRef> holder, const EventEditorContext &context, bool readOnly,
                  bool newException, QWidget *parent = nullptr,
                  const EventEditorSettings &settings = EventEditorSettings::FromProfile());

    // False when there is nothing to edit (no event, or an occurrence without its exception).
    bool IsLoaded() const { return m_loaded; }
    CEventEditorModel &GetModel() { return m_model; }

    void accept() override;
    void reject() override;
    ~CEditEventDlg() override;

    // Opens the editor on the holder: modal under a live parent, else modeless. Returns the result
    // of a modal run (1 after OK), 0 for a modeless one.
    static int OpenEventEditor(std::unique_ptr<CItemRef> holder, const EventEditorContext &context,
                               QWidget *parent, bool openRecurrence, bool topmost, bool readOnly,
                               bool newException);

  signals:
    // Print: the keys of the edited item, the unsaved copy beside its key.
    void printRequested(const CItemKeyArray &keys);
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
    // The caption and the window icons, after the type or the recurrence changed.
    void RefreshTitle();
    void LoadTimes();
    void RefreshStates();
    void GatherTexts();
    void FocusField(EventField field);
    CItemKey ReminderKey();
    void ReleaseReminderWindow();

    CEventEditorModel m_model;
    EventEditorContext m_context;
    QSize m_initialSize;
    bool m_loaded = false;
    bool m_holdsReminder = false; // the item's reminder window is held disabled meanwhile
    bool m_filling = false;

    CNotesEdit *m_subject = nullptr;
    QComboBox *m_location = nullptr;
    QComboBox *m_type = nullptr;
    QLabel *m_timeHeading = nullptr;
    QStackedWidget *m_timeBlock = nullptr;
    QLabel *m_patternText = nullptr;
    QWidget *m_startDate = nullptr;
    QWidget *m_startTime = nullptr;
    QWidget *m_endDate = nullptr;
    QWidget *m_endTime = nullptr;
    QComboBox *m_duration = nullptr;
    QCheckBox *m_allDay = nullptr;
    QPushButton *m_recurrence = nullptr;
    QPushButton *m_modifySeries = nullptr;
    QLabel *m_occurrenceIcon = nullptr;
    QCheckBox *m_notify = nullptr;
    QComboBox *m_lead = nullptr;
    QPushButton *m_setup = nullptr;
    QAction *m_topmost = nullptr;
    QAction *m_noWindowAfter = nullptr;
    CNotesEdit *m_notes = nullptr;
    QPushButton *m_categoriesButton = nullptr;
    QLineEdit *m_categories = nullptr;
    EditorWidgets::ItemActions m_item;
    QPushButton *m_ok = nullptr;
};
