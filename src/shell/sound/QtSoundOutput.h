// CQtSoundOutput: the sound player's audio through Qt Multimedia. Wave files and the default
// beep (a short bundled wave, since a terminal bell is silent on most desktops) play through a
// sound effect; MIDI goes to a media player, which plays it only where the system's media
// backend has a synthesiser, else the player is told that it did not play.
#pragma once

#include "shell/sound/SoundOutput.h"

#include <QObject>
#include <memory>

class QAudioOutput;
class QMediaPlayer;
class QSoundEffect;

class CQtSoundOutput : public QObject, public ISoundOutput
{
    Q_OBJECT
  public:
    // The bundled sound of the default beep.
    static constexpr char kBeepResource[] = ":/sounds/Notify.wav";

    CQtSoundOutput();
    ~CQtSoundOutput() override;

    void Beep() override;
    void PlayWave(const QString &path) override;
    void StopWave() override;
    bool PlayMidi(const QString &path, std::function<void(bool played)> finished) override;
    void StopMidi() override;

  private:
    QSoundEffect *Effect();

    QSoundEffect *m_effect = nullptr;
    QMediaPlayer *m_midi = nullptr;
    QAudioOutput *m_midiOutput = nullptr;
    std::function<void(bool)> m_midiFinished;
};
