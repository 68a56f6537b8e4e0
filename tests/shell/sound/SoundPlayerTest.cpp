// The sound player's modes, repeats and stops, through a recording output.
#include "shell/sound/SoundPlayer.h"

#include "shell/sound/FakeSoundOutput.h"
#include "shell/sound/WaveFile.h"
#include "toolkit/style/ViewResources.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A silent PCM wave of the given length: 8000 bytes per second.
void WriteWave(const QString &path, int milliseconds)
{
    auto u32 = [](std::uint32_t v) {
        QByteArray b(4, '\0');
        qToLittleEndian<quint32>(v, b.data());
        return b;
    };
    const QByteArray data(milliseconds * 8, '\0');
    QByteArray fmt =
        QByteArray::fromHex("01000100") + u32(8000) + u32(8000) + QByteArray::fromHex("01000800");
    QByteArray body =
        QByteArray("WAVE") + "fmt " + u32(16) + fmt + "data" + u32(std::uint32_t(data.size())) + data;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("RIFF") + u32(std::uint32_t(body.size())) + body);
}

class SoundPlayerTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_wave = m_dir.filePath(QStringLiteral("two.wav"));
        WriteWave(m_wave, 2000);
        for (const char *name : {"tune.MID", "tune.rmi", "noise.mp3", "nodot"}) {
            QFile f(m_dir.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
    }
    QString Path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    QString m_wave;
    FakeSoundOutput m_out;
};

TEST_F(SoundPlayerTest, ModeByFile)
{
    QFile::copy(m_wave, Path("mixed.WaV"));
    struct Case
    {
        QString path;
        bool opens;
        CSoundPlayer::Mode mode;
    } cases[] = {
        {Path("mixed.WaV"), true, CSoundPlayer::Wave},
        {Path("tune.MID"), true, CSoundPlayer::Midi},
        {Path("tune.rmi"), true, CSoundPlayer::Midi},
        {Path("noise.mp3"), false, CSoundPlayer::None},
        {Path("nodot"), false, CSoundPlayer::None},
        {Path("gone.wav"), true, CSoundPlayer::Beep}, // missing: the beep
        {m_dir.path(), true, CSoundPlayer::Beep},     // a folder is no file
        {QString(), true, CSoundPlayer::Beep},
    };
    CSoundPlayer player(&m_out);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(player.Open(c.path, 0), c.opens);
        EXPECT_EQ(player.GetMode(), c.mode);
    }
}

TEST_F(SoundPlayerTest, WaveRepeatsAfterItsLengthPlusThePause)
{
    CSoundPlayer player(&m_out);
    ASSERT_TRUE(player.Play(m_wave, 30000));
    EXPECT_EQ(m_out.calls, QStringList{QStringLiteral("wave ") + m_wave});
    EXPECT_EQ(player.GetArmedDelayMs(), 32000); // the pause counts from the end of the sound
    player.OnRepeatTimer();
    EXPECT_EQ(m_out.calls.count(QStringLiteral("wave ") + m_wave), 2);
    EXPECT_EQ(player.GetArmedDelayMs(), 32000);

    player.Stop(); // cuts the sound off and cancels the repeat
    EXPECT_EQ(m_out.calls.last(), QStringLiteral("stop wave"));
    EXPECT_EQ(player.GetArmedDelayMs(), 0);
    EXPECT_EQ(player.GetMode(), CSoundPlayer::None);
    const int calls = int(m_out.calls.size());
    player.Stop(); // idle: nothing
    EXPECT_EQ(m_out.calls.size(), calls);
}

TEST_F(SoundPlayerTest, OnceAndUnreadableWaves)
{
    CSoundPlayer player(&m_out);
    ASSERT_TRUE(player.Play(m_wave, 0));
    EXPECT_EQ(player.GetArmedDelayMs(), 0);
    QFile bad(Path("bad.wav"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("RIFF....WAVEjunk");
    bad.close();
    m_out.calls.clear();
    ASSERT_TRUE(player.Play(Path("bad.wav"), 1000)); // opens, but its length cannot be read
    EXPECT_EQ(m_out.calls, QStringList{QStringLiteral("stop wave")});
    EXPECT_EQ(player.GetArmedDelayMs(), 0);
}

TEST_F(SoundPlayerTest, MissingFileBeepsAtTheInterval)
{
    CSoundPlayer player(&m_out);
    ASSERT_TRUE(player.Play(Path("gone.wav"), 5000));
    EXPECT_EQ(m_out.calls, QStringList{QStringLiteral("beep")});
    EXPECT_EQ(player.GetArmedDelayMs(), 5000);
    player.OnRepeatTimer();
    EXPECT_EQ(m_out.calls.count(QStringLiteral("beep")), 2);
}

TEST_F(SoundPlayerTest, PlayWhilePlayingStopsTheOldSound)
{
    CSoundPlayer player(&m_out);
    player.Play(m_wave, 1000);
    player.Play(QString(), 0);
    EXPECT_EQ(m_out.calls, (QStringList{QStringLiteral("wave ") + m_wave, QStringLiteral("stop wave"),
                                        QStringLiteral("beep")}));
    EXPECT_EQ(player.GetArmedDelayMs(), 0);
}

TEST_F(SoundPlayerTest, MidiRepeatsFromItsEndNotice)
{
    CSoundPlayer player(&m_out);
    ASSERT_TRUE(player.Play(Path("tune.MID"), 4000));
    EXPECT_EQ(m_out.calls, QStringList{QStringLiteral("midi ") + Path("tune.MID")});
    EXPECT_EQ(player.GetArmedDelayMs(), 0); // armed only once the tune has ended
    m_out.midiFinished(true);
    EXPECT_EQ(player.GetArmedDelayMs(), 4000);
    EXPECT_FALSE(player.WasMidiUnavailable());

    // A notice of a stopped tune changes nothing.
    auto late = m_out.midiFinished;
    player.Stop();
    late(true);
    EXPECT_EQ(player.GetArmedDelayMs(), 0);
}

TEST_F(SoundPlayerTest, MidiWithoutASynthesiserBeeps)
{
    m_out.midiPlayable = false;
    CSoundPlayer player(&m_out);
    ASSERT_TRUE(player.Play(Path("tune.rmi"), 3000));
    EXPECT_EQ(m_out.calls, QStringList{QStringLiteral("beep")});
    EXPECT_TRUE(player.WasMidiUnavailable());
    EXPECT_EQ(player.GetArmedDelayMs(), 3000);

    // A backend that starts the file but fails on it: the beep too.
    m_out.midiPlayable = true;
    m_out.calls.clear();
    player.Play(Path("tune.rmi"), 0);
    m_out.midiFinished(false);
    EXPECT_EQ(m_out.calls.last(), QStringLiteral("beep"));
    EXPECT_EQ(player.GetArmedDelayMs(), 0);
}

TEST(SoundPlayerRealOutputTest, BundledWavePlaysWithoutADevice)
{
    // The program's own output: with or without an audio device the calls return and the
    // state machine runs on.
    InitViewResources();
    CSoundPlayer player;
    ASSERT_TRUE(player.Play(QStringLiteral(":/sounds/Alarm.wav"), 1000));
    EXPECT_EQ(player.GetMode(), CSoundPlayer::Wave);
    EXPECT_GT(player.GetArmedDelayMs(), 1000);
    player.Stop();
}

} // namespace
