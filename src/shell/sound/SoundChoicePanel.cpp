// The shared sound controls of the sound dialogs.
#include "shell/sound/SoundChoicePanel.h"

#include "core/system/ConstStrings.h"
#include "core/system/ProgramPaths.h"
#include "editing/base/ReminderWindowsGate.h"
#include "shell/sound/SoundChoice.h"
#include "shell/sound/SoundPlayer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QString ChooseSoundFile(QWidget *parent)
{
    QString start;
    QString sounds;
    if (GetProgramFolder(GetConstString(ConstName::FolderSounds), QString(), sounds) && QDir(sounds).exists())
        start = sounds;
    QFileDialog dialog(parent, QStringLiteral("Open Audio File"), start);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("All supported types (*.wav *.mid *.rmi)"),
                           QStringLiteral("Microsoft Waveform Audio Files (*.wav)"),
                           QStringLiteral("MIDI Files (*.mid *.rmi)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

CSoundChoicePanel::CSoundChoicePanel(CSoundChoice &choice, QWidget *parent)
    : QWidget(parent), m_choice(choice), m_player(std::make_unique<CSoundPlayer>()),
      m_chooser(ChooseSoundFile)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *group = new QButtonGroup(this);
    const char *texts[] = {"&No sound", "Default &beep", "Sound &file:"};
    for (int mode = 0; mode < 3; ++mode) {
        m_modes[mode] = new QRadioButton(QString::fromLatin1(texts[mode]), this);
        m_modes[mode]->setObjectName(QStringLiteral("soundMode%1").arg(mode));
        group->addButton(m_modes[mode], mode);
    }
    m_files = new QComboBox(this);
    m_files->setObjectName(QStringLiteral("soundFiles"));
    m_files->setMinimumWidth(180);
    m_browse = new QPushButton(QStringLiteral("Bro&wse..."), this);
    m_play = new QPushButton(QStringLiteral("&Play"), this);
    m_play->setObjectName(QStringLiteral("play"));
    m_repeat = new QCheckBox(QStringLiteral("&Repeat sound"), this);
    m_repeat->setObjectName(QStringLiteral("repeat"));
    m_pauseLabel = new QLabel(QStringLiteral("P&ause between sounds:"), this);
    m_minutes = new QSpinBox(this);
    m_minutes->setObjectName(QStringLiteral("minutes"));
    m_minutes->setRange(0, CSoundChoice::kMaxMinutes);
    m_seconds = new QSpinBox(this);
    m_seconds->setObjectName(QStringLiteral("seconds"));
    m_seconds->setRange(0, CSoundChoice::kMaxSeconds);
    m_pauseLabel->setBuddy(m_minutes);
    m_minLabel = new QLabel(QStringLiteral("min"), this);
    m_secLabel = new QLabel(QStringLiteral("sec"), this);

    grid->addWidget(m_modes[0], 0, 0, 1, 2);
    grid->addWidget(m_modes[1], 1, 0, 1, 2);
    grid->addWidget(m_modes[2], 2, 0);
    grid->addWidget(m_files, 2, 1);
    auto *fileButtons = new QHBoxLayout;
    fileButtons->addWidget(m_browse);
    fileButtons->addWidget(m_play);
    fileButtons->addStretch();
    grid->addLayout(fileButtons, 3, 1);
    grid->addWidget(m_repeat, 4, 0, 1, 2);
    auto *pause = new QHBoxLayout;
    pause->addSpacing(20);
    pause->addWidget(m_pauseLabel);
    pause->addWidget(m_minutes);
    pause->addWidget(m_minLabel);
    pause->addWidget(m_seconds);
    pause->addWidget(m_secLabel);
    pause->addStretch();
    grid->addLayout(pause, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    LoadFromChoice();

    connect(group, &QButtonGroup::idClicked, this, [this](int mode) {
        m_choice.SetMode(mode);
        Refresh();
    });
    connect(m_repeat, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_choice.SetRepeat(on);
        Refresh();
    });
    connect(m_files, &QComboBox::activated, this, [this](int row) {
        m_choice.Recent().SetSelectedRow(row);
        StopSound();
    });
    connect(m_minutes, &QSpinBox::valueChanged, this, [this](int v) { m_choice.SetMinutes(v); });
    connect(m_seconds, &QSpinBox::valueChanged, this, [this](int v) { m_choice.SetSeconds(v); });
    connect(m_browse, &QPushButton::clicked, this, &CSoundChoicePanel::Browse);
    connect(m_play, &QPushButton::clicked, this, &CSoundChoicePanel::Play);
}

CSoundChoicePanel::~CSoundChoicePanel() = default;

QRadioButton *CSoundChoicePanel::ModeButton(int mode) const
{
    return mode >= 0 && mode < 3 ? m_modes[mode] : nullptr;
}

void CSoundChoicePanel::FillFileList()
{
    m_files->clear();
    m_files->addItems(m_choice.Recent().RowTexts());
    m_files->setCurrentIndex(m_choice.Recent().SelectedRow());
}

void CSoundChoicePanel::LoadFromChoice()
{
    m_loading = true;
    m_modes[std::clamp(m_choice.GetMode(), 0, 2)]->setChecked(true);
    m_repeat->setChecked(m_choice.GetRepeat());
    m_minutes->setValue(m_choice.GetMinutes());
    m_seconds->setValue(m_choice.GetSeconds());
    FillFileList();
    m_loading = false;
    Refresh();
}

void CSoundChoicePanel::Refresh()
{
    m_loading = true;
    m_repeat->setChecked(m_choice.GetRepeat());
    m_loading = false;
    const SoundControls c = m_choice.Controls();
    for (QRadioButton *mode : m_modes)
        mode->setEnabled(c.modes);
    m_files->setEnabled(c.fileList);
    m_browse->setEnabled(c.browse);
    m_play->setEnabled(c.play);
    m_repeat->setEnabled(c.repeat);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_pauseLabel, m_minutes, m_seconds, m_minLabel, m_secLabel})
        w->setEnabled(c.pause);
    StopSound();
}

void CSoundChoicePanel::FocusFileList()
{
    m_files->setFocus();
}

void CSoundChoicePanel::StopSound()
{
    m_player->Stop();
}

void CSoundChoicePanel::Browse()
{
    const QString path = m_chooser ? m_chooser(this) : QString();
    if (path.isEmpty())
        return;
    if (m_choice.Recent().Add(path) >= 0)
        FillFileList();
}

void CSoundChoicePanel::Play()
{
    const QString path = m_choice.SelectedPath();
    if (path.isEmpty())
        return;
    m_player->Play(path, m_choice.PlayIntervalMs());
}

void CSoundChoicePanel::hideEvent(QHideEvent *event)
{
    StopSound();
    QWidget::hideEvent(event);
}
