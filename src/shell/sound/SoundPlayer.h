// CSoundPlayer: plays one reminder sound, once or repeated with a pause: the default beep, a
// wave file or a MIDI file. The pause of a wave file counts from the end of the sound. A missing
// file beeps; a file of another kind plays nothing. All of it is silent about failures.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class ISoundOutput;
class QTimer;

class CSoundPlayer : public QObject
{
    Q_OBJECT
  public:
    enum Mode
    {
        None = 0,
        Beep = 1,
        Wave = 2,
        Midi = 3,
    };

    // Without an output the program's audio output (DefaultOutput) plays.
    explicit CSoundPlayer(ISoundOutput *output = nullptr, QObject *parent = nullptr);
    ~CSoundPlayer() override;

    // Open, then Start when that succeeded; false when nothing could be opened.
    bool Play(const QString &path, std::uint32_t repeatIntervalMs);
    // Stops what plays, then chooses the mode by the file: an empty path or a missing file
    // beeps, ".wav" plays a wave and ".mid"/".rmi" MIDI (any case); anything else fails.
    bool Open(const QString &path, std::uint32_t repeatIntervalMs);
    // Plays the sound once and arms the repeat.
    void Start();
    // Stops everything; safe at any time.
    void Stop();

    Mode GetMode() const { return m_mode; }
    const QString &GetPath() const { return m_path; }
    std::uint32_t GetInterval() const { return m_interval; }
    // The delay the repeat timer runs with, 0 when none runs.
    int GetArmedDelayMs() const;
    // What the repeat timer does when it fires (tests call it in place of waiting).
    void OnRepeatTimer();
    // Set after a MIDI file could not be played here; the beep stood in for it.
    bool WasMidiUnavailable() const { return m_midiUnavailable; }

    // The audio output of the program; tests replace it (null restores the real one).
    static ISoundOutput &DefaultOutput();
    static void SetDefaultOutput(ISoundOutput *output);

  private:
    void Arm(std::uint32_t delayMs);
    void OnMidiFinished(bool played, std::uint64_t run);
    ISoundOutput &Output() const;

    ISoundOutput *m_output;
    QTimer *m_timer;
    std::uint32_t m_interval = 0;
    QString m_path;
    Mode m_mode = None;
    bool m_midiUnavailable = false;
    // Tells a late MIDI end notice of an earlier sound from the current one.
    std::uint64_t m_run = 0;
};
