// Audio through Qt Multimedia.
#include "shell/sound/QtSoundOutput.h"

#include "toolkit/style/ViewResources.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

namespace {

QUrl SoundUrl(const QString &path)
{
    if (path.startsWith(QLatin1String(":/")))
        return QUrl(QStringLiteral("qrc") + path);
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

bool HasAudioDevice()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

} // namespace

CQtSoundOutput::CQtSoundOutput() = default;

CQtSoundOutput::~CQtSoundOutput()
{
    StopMidi();
}

QSoundEffect *CQtSoundOutput::Effect()
{
    if (!m_effect)
        m_effect = new QSoundEffect(this);
    return m_effect;
}

void CQtSoundOutput::Beep()
{
    if (!HasAudioDevice()) {
        QApplication::beep();
        return;
    }
    InitViewResources(); // the bundled sounds are compiled in there
    PlayWave(QString::fromLatin1(kBeepResource));
}

void CQtSoundOutput::PlayWave(const QString &path)
{
    if (!HasAudioDevice())
        return; // no device: nothing to be heard, the repeat still runs
    QSoundEffect *effect = Effect();
    effect->stop();
    const QUrl url = SoundUrl(path);
    if (effect->source() != url)
        effect->setSource(url);
    effect->play(); // a sound still loading plays once it is loaded
}

void CQtSoundOutput::StopWave()
{
    if (m_effect)
        m_effect->stop();
}

bool CQtSoundOutput::PlayMidi(const QString &path, std::function<void(bool played)> finished)
{
    StopMidi();
    if (!HasAudioDevice())
        return false;
    m_midi = new QMediaPlayer(this);
    m_midiOutput = new QAudioOutput(m_midi);
    m_midi->setAudioOutput(m_midiOutput);
    m_midiFinished = std::move(finished);
    connect(m_midi, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia) {
            auto done = std::move(m_midiFinished);
            m_midiFinished = nullptr;
            if (done)
                done(status == QMediaPlayer::EndOfMedia);
        }
    });
    connect(m_midi, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString &) {
        // The media backend has no synthesiser for MIDI (the usual case).
        auto done = std::move(m_midiFinished);
        m_midiFinished = nullptr;
        if (done)
            done(false);
    });
    m_midi->setSource(SoundUrl(path));
    m_midi->play();
    return true;
}

void CQtSoundOutput::StopMidi()
{
    m_midiFinished = nullptr;
    if (m_midi) {
        m_midi->disconnect(this);
        m_midi->stop();
        m_midi->deleteLater();
        m_midi = nullptr;
        m_midiOutput = nullptr;
    }
}
