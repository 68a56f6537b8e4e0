// CReminderOptionsDlg: "Reminder Options" of the item being edited: no window after the event
// time, a topmost window, and the item's own sound.
#pragma once

#include "editing/base/DialogEx.h"
#include "shell/reminders/ReminderOptionsModel.h"

class CCalendarItem;
class CSoundChoicePanel;
class QCheckBox;
class QPushButton;

class CReminderOptionsDlg : public CDialogEx
{
    Q_OBJECT
  public:
    // typeSound: the sound of the item's item type (null: none); headingFont: the caller's
    // font of the heading.
    CReminderOptionsDlg(CCalendarItem &item, const CReminderSound *typeSound, bool alwaysOnTop, bool readOnly,
                        const QFont &headingFont, QWidget *parent = nullptr);

    CReminderOptionsModel &Model() { return m_model; }
    CSoundChoicePanel *SoundPanel() const { return m_panel; }
    QCheckBox *NoWindowBox() const { return m_noWindow; }
    QCheckBox *TopmostBox() const { return m_topmost; }
    QCheckBox *CustomBox() const { return m_custom; }
    QPushButton *OkButton() const { return m_ok; }

    void accept() override;
    void reject() override;

  private:
    CReminderOptionsModel m_model;
    CSoundChoicePanel *m_panel = nullptr;
    QCheckBox *m_noWindow = nullptr;
    QCheckBox *m_topmost = nullptr;
    QCheckBox *m_custom = nullptr;
    QPushButton *m_ok = nullptr;
};
