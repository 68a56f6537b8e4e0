// The Setup Sound dialog.
#include "shell/reminders/SetupSoundDlg.h"

#include "core/items/ReminderSound.h"
#include "core/system/Messages.h"
#include "shell/sound/SoundChoicePanel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CSetupSoundDlg::CSetupSoundDlg(CReminderSound &record, QWidget *parent, CRecentSounds::ExistsFn exists)
    : CDialogEx(parent), m_record(record), m_choice(std::move(exists))
{
    setObjectName(QStringLiteral("SetupSoundDlg"));
    setWindowTitle(QStringLiteral("Setup Sound"));
    m_choice.Init(record);
    auto *layout = new QVBoxLayout(this);
    m_panel = new CSoundChoicePanel(m_choice, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_panel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSetupSoundDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSetupSoundDlg::reject);
}

void CSetupSoundDlg::accept()
{
    if (m_choice.BuildRecord(m_record, true) != CSoundChoice::OkResult::Ok) {
        QApplication::beep();
        m_panel->FocusFileList();
        ShowWarningText(QStringLiteral("Please specify a sound file name."), this);
        return;
    }
    m_panel->StopSound();
    CDialogEx::accept();
}

void CSetupSoundDlg::reject()
{
    m_panel->StopSound();
    CDialogEx::reject();
}
