// CSoundChoicePanel: the sound controls the Reminder Options and Setup Sound dialogs share:
// No sound / Default beep / Sound file with the recent files, Browse, Play, Repeat and the
// pause, over a CSoundChoice. It owns the player that tries the sound out; changing the choice,
// picking a file or closing stops it.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class CSoundChoice;
class CSoundPlayer;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class CSoundChoicePanel : public QWidget
{
    Q_OBJECT
  public:
    // Asks for a sound file to add (Browse); empty when cancelled. Tests replace it.
    using FileChooser = std::function<QString(QWidget *parent)>;

    CSoundChoicePanel(CSoundChoice &choice, QWidget *parent = nullptr);
    ~CSoundChoicePanel() override;

    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Reads the controls into the choice and enables them by its rules.
    void Refresh();
    // After OK failed for want of a file: the list takes the focus.
    void FocusFileList();
    void StopSound();
    CSoundPlayer &Player() { return *m_player; }

    QRadioButton *ModeButton(int mode) const;
    QComboBox *FileList() const { return m_files; }
    QCheckBox *RepeatBox() const { return m_repeat; }
    QSpinBox *MinutesBox() const { return m_minutes; }
    QSpinBox *SecondsBox() const { return m_seconds; }
    QPushButton *PlayButton() const { return m_play; }
    QPushButton *BrowseButton() const { return m_browse; }

    void Browse();
    void Play();

  protected:
    void hideEvent(QHideEvent *event) override;

  private:
    void LoadFromChoice();
    void FillFileList();

    CSoundChoice &m_choice;
    std::unique_ptr<CSoundPlayer> m_player;
    FileChooser m_chooser;
    bool m_loading = false;
    QRadioButton *m_modes[3] = {};
    QComboBox *m_files = nullptr;
    QPushButton *m_browse = nullptr;
    QPushButton *m_play = nullptr;
    QCheckBox *m_repeat = nullptr;
    QLabel *m_pauseLabel = nullptr;
    QSpinBox *m_minutes = nullptr;
    QSpinBox *m_seconds = nullptr;
    QLabel *m_minLabel = nullptr;
    QLabel *m_secLabel = nullptr;
};
