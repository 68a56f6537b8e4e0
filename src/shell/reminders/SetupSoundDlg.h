// CSetupSoundDlg: "Setup Sound" of an item type: edits the type's sound record in place.
#pragma once

#include "editing/base/DialogEx.h"
#include "shell/sound/SoundChoice.h"

class CReminderSound;
class CSoundChoicePanel;
class QPushButton;

class CSetupSoundDlg : public CDialogEx
{
    Q_OBJECT
  public:
    CSetupSoundDlg(CReminderSound &record, QWidget *parent = nullptr, CRecentSounds::ExistsFn exists = {});

    CSoundChoice &Choice() { return m_choice; }
    CSoundChoicePanel *SoundPanel() const { return m_panel; }

    void accept() override;
    void reject() override;

  private:
    CReminderSound &m_record;
    CSoundChoice m_choice;
    CSoundChoicePanel *m_panel = nullptr;
};
