// ISoundOutput: what the sound player asks of the audio system: the default beep, a wave file
// played in the background, a MIDI file with a notice at its end. Tests put a recording fake
// in; where no audio device exists the calls simply make no sound.
#pragma once

#include <QString>
#include <functional>

class ISoundOutput
{
  public:
    virtual ~ISoundOutput() = default;
    virtual void Beep() = 0;
    // Starts the wave file in the background, cutting off one that still plays.
    virtual void PlayWave(const QString &path) = 0;
    virtual void StopWave() = 0;
    // Starts a MIDI file; `finished` is told at its end whether it played through. False, with
    // nothing started, when nothing on this system can play MIDI.
    virtual bool PlayMidi(const QString &path, std::function<void(bool played)> finished) = 0;
    virtual void StopMidi() = 0;
};
