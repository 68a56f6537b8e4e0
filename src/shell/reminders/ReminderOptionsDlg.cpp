// The Reminder Options dialog.
#include "shell/reminders/ReminderOptionsDlg.h"

#include "core/system/Messages.h"
#include "shell/sound/SoundChoicePanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kNeedSoundFile = QStringLiteral("Please specify a sound file name.");
}

CReminderOptionsDlg::CReminderOptionsDlg(CCalendarItem &item, const CReminderSound *typeSound,
                                         bool alwaysOnTop, bool readOnly, const QFont &headingFont,
                                         QWidget *parent)
    : CDialogEx(parent), m_model(item, typeSound, alwaysOnTop, readOnly)
{
    setObjectName(QStringLiteral("ReminderOptionsDlg"));
    setWindowTitle(QStringLiteral("Reminder Options"));
    auto *layout = new QVBoxLayout(this);
    m_noWindow =
        new QCheckBox(QStringLiteral("&Don't show the reminder window when the event time is over"), this);
    m_noWindow->setObjectName(QStringLiteral("noWindowAfterTime"));
    m_topmost = new QCheckBox(QStringLiteral("&Make the reminder window topmost"), this);
    m_topmost->setObjectName(QStringLiteral("topmost"));
    auto *heading = new QLabel(QStringLiteral("When a reminder comes due"), this);
    heading->setFont(headingFont);
    m_custom = new QCheckBox(QStringLiteral("&Use custom sound options"), this);
    m_custom->setObjectName(QStringLiteral("customSound"));
    m_panel = new CSoundChoicePanel(m_model.Sound(), this);
    auto *indent = new QHBoxLayout;
    indent->addSpacing(20);
    indent->addWidget(m_panel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);

    layout->addWidget(m_noWindow);
    layout->addWidget(m_topmost);
    layout->addSpacing(6);
    layout->addWidget(heading);
    layout->addWidget(m_custom);
    layout->addLayout(indent);
    layout->addWidget(buttons);

    m_noWindow->setChecked(m_model.GetNoWindowAfterTime());
    m_noWindow->setEnabled(m_model.CanSetNoWindowAfterTime());
    m_topmost->setChecked(m_model.GetTopmost());
    m_topmost->setEnabled(m_model.CanSetTopmost());
    m_custom->setChecked(m_model.GetCustomSound());
    m_panel->Refresh();

    connect(m_noWindow, &QCheckBox::toggled, this, [this](bool on) { m_model.SetNoWindowAfterTime(on); });
    connect(m_topmost, &QCheckBox::toggled, this, [this](bool on) { m_model.SetTopmost(on); });
    connect(m_custom, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetCustomSound(on);
        m_panel->Refresh();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CReminderOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CReminderOptionsDlg::reject);

    if (!m_model.CanSave()) {
        m_ok->setEnabled(false);
        buttons->button(QDialogButtonBox::Cancel)->setFocus();
    }
}

void CReminderOptionsDlg::accept()
{
    if (!m_model.CanSave())
        return;
    if (!m_model.Apply()) {
        QApplication::beep();
        m_panel->FocusFileList();
        ShowWarningText(kNeedSoundFile, this);
        return;
    }
    m_panel->StopSound();
    CDialogEx::accept();
}

void CReminderOptionsDlg::reject()
{
    m_panel->StopSound();
    CDialogEx::reject();
}
