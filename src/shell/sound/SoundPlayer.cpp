// The reminder sound player.
#include "shell/sound/SoundPlayer.h"

#include "shell/sound/QtSoundOutput.h"
#include "shell/sound/SoundOutput.h"
#include "shell/sound/WaveFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace {
ISoundOutput *g_testOutput = nullptr;
}

ISoundOutput &CSoundPlayer::DefaultOutput()
{
    if (g_testOutput)
        return *g_testOutput;
    // Owned by the application, so that the audio objects go before the application does.
    static QPointer<CQtSoundOutput> output;
    if (!output) {
        output = new CQtSoundOutput();
        output->setParent(QCoreApplication::instance());
    }
    return *output;
}

void CSoundPlayer::SetDefaultOutput(ISoundOutput *output)
{
    g_testOutput = output;
}

CSoundPlayer::CSoundPlayer(ISoundOutput *output, QObject *parent)
    : QObject(parent), m_output(output), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CSoundPlayer::OnRepeatTimer);
}

CSoundPlayer::~CSoundPlayer()
{
    Stop();
}

ISoundOutput &CSoundPlayer::Output() const
{
    return m_output ? *m_output : DefaultOutput();
}

bool CSoundPlayer::Play(const QString &path, std::uint32_t repeatIntervalMs)
{
    if (!Open(path, repeatIntervalMs))
        return false;
    Start();
    return true;
}

bool CSoundPlayer::Open(const QString &path, std::uint32_t repeatIntervalMs)
{
    Stop();
    QString file = path;
    // A directory is no sound file; a missing file turns into the beep.
    if (!file.isEmpty() && !(QFileInfo(file).isFile()))
        file.clear();
    Mode mode = Beep;
    if (!file.isEmpty()) {
        const int dot = file.lastIndexOf(QLatin1Char('.'));
        const int slash = file.lastIndexOf(QLatin1Char('/'));
        if (dot < 0 || dot < slash)
            return false;
        const QString extension = file.mid(dot + 1);
        if (extension.compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0)
            mode = Wave;
        else if (extension.compare(QLatin1String("mid"), Qt::CaseInsensitive) == 0 ||
                 extension.compare(QLatin1String("rmi"), Qt::CaseInsensitive) == 0)
            mode = Midi;
        else
            return false;
    }
    m_interval = repeatIntervalMs;
    m_path = file;
    m_mode = mode;
    m_midiUnavailable = false;
    return true;
}

void CSoundPlayer::Start()
{
    switch (m_mode) {
    case Beep:
        Output().Beep();
        if (m_interval != 0)
            Arm(m_interval);
        break;
    case Wave: {
        const std::uint32_t length = CWaveFile::GetWaveDurationMs(m_path);
        if (length == 0)
            return; // unreadable: nothing plays
        Output().PlayWave(m_path);
        if (m_interval != 0)
            Arm(length + m_interval);
        break;
    }
    case Midi: {
        const std::uint64_t run = ++m_run;
        QPointer<CSoundPlayer> self(this);
        const bool started = Output().PlayMidi(m_path, [self, run](bool played) {
            if (self)
                self->OnMidiFinished(played, run);
        });
        if (!started) {
            // Nothing here plays MIDI: the beep stands in for it.
            m_midiUnavailable = true;
            Output().Beep();
            if (m_interval != 0)
                Arm(m_interval);
        }
        break;
    }
    case None:
        break;
    }
}

void CSoundPlayer::OnMidiFinished(bool played, std::uint64_t run)
{
    if (run != m_run || m_mode != Midi)
        return;
    if (!played) {
        m_midiUnavailable = true;
        Output().Beep();
    }
    if (m_interval != 0)
        Arm(m_interval);
}

void CSoundPlayer::Stop()
{
    m_timer->stop();
    ++m_run;
    if (m_mode == Midi)
        Output().StopMidi();
    else if (m_mode == Wave)
        Output().StopWave();
    m_path.clear();
    m_interval = 0;
    m_mode = None;
}

void CSoundPlayer::Arm(std::uint32_t delayMs)
{
    m_timer->start(int(std::min<std::uint32_t>(delayMs, 0x7FFFFFFF)));
}

int CSoundPlayer::GetArmedDelayMs() const
{
    return m_timer->isActive() ? m_timer->interval() : 0;
}

void CSoundPlayer::OnRepeatTimer()
{
    m_timer->stop();
    Start();
}
