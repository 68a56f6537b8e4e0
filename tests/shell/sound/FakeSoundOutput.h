// A sound output that records what it was asked to play, for the player's and the reminder
// windows' tests (no audio device is needed).
#pragma once

#include "shell/sound/SoundOutput.h"

#include <QStringList>

class FakeSoundOutput : public ISoundOutput
{
  public:
    void Beep() override { calls << QStringLiteral("beep"); }
    void PlayWave(const QString &path) override { calls << QStringLiteral("wave ") + path; }
    void StopWave() override { calls << QStringLiteral("stop wave"); }
    bool PlayMidi(const QString &path, std::function<void(bool)> finished) override
    {
        if (!midiPlayable)
            return false;
        calls << QStringLiteral("midi ") + path;
        midiFinished = std::move(finished);
        return true;
    }
    void StopMidi() override { calls << QStringLiteral("stop midi"); }

    QStringList calls;
    bool midiPlayable = true;
    std::function<void(bool)> midiFinished;
};
