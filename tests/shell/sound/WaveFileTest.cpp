// The length of a wave file's sound, from the file's chunks.
#include "shell/sound/WaveFile.h"
#include "toolkit/style/ViewResources.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray U32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

QByteArray Chunk(const char *id, const QByteArray &data, std::uint32_t claimedSize = 0xFFFFFFFF)
{
    QByteArray out(id, 4);
    out += U32(claimedSize == 0xFFFFFFFF ? std::uint32_t(data.size()) : claimedSize);
    out += data;
    if (data.size() & 1)
        out += '\0';
    return out;
}

QByteArray Format(std::uint32_t bytesPerSecond, int size = 16)
{
    QByteArray f;
    f += QByteArray::fromHex("0100"); // PCM
    f += QByteArray::fromHex("0200"); // 2 channels
    f += U32(44100);
    f += U32(bytesPerSecond);
    f += QByteArray::fromHex("0400"); // block alignment
    f += QByteArray::fromHex("1000"); // 16 bits
    return f.left(size);
}

QByteArray Riff(const QByteArray &body)
{
    return QByteArray("RIFF") + U32(std::uint32_t(body.size() + 4)) + QByteArray("WAVE") + body;
}

struct WaveCase
{
    const char *name;
    QByteArray bytes;
    std::uint32_t expected;
};

TEST(WaveFileTest, DurationFromChunks)
{
    const QByteArray twoSeconds(2 * 4000, '\x01');
    const WaveCase cases[] = {
        {"two seconds at 4000 bytes/s", Riff(Chunk("fmt ", Format(4000)) + Chunk("data", twoSeconds)), 2000},
        {"a chunk before the format and one between",
         Riff(Chunk("LIST", QByteArray(11, 'x')) + Chunk("fmt ", Format(4000)) + Chunk("fact", U32(1)) +
              Chunk("data", twoSeconds)),
         2000},
        {"format chunk shorter than the basic format",
         Riff(Chunk("fmt ", Format(4000, 12)) + Chunk("data", twoSeconds)), 0},
        {"no data chunk", Riff(Chunk("fmt ", Format(4000))), 0},
        {"no format chunk", Riff(Chunk("data", twoSeconds)), 0},
        {"zero bytes per second does not divide", Riff(Chunk("fmt ", Format(0)) + Chunk("data", twoSeconds)),
         0},
        // 5 MB of data claimed: 32-bit "size x 1000" would wrap.
        {"data above 4.3 MB", Riff(Chunk("fmt ", Format(176400)) + Chunk("data", QByteArray(), 5000000)),
         28344},
        {"not RIFF", QByteArray("RIFX") + U32(4) + QByteArray("WAVE"), 0},
        {"not WAVE", QByteArray("RIFF") + U32(4) + QByteArray("AVI "), 0},
        {"empty", QByteArray(), 0},
        {"truncated chunk header", Riff(QByteArray("fmt ", 4)), 0},
    };
    for (const WaveCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CWaveFile::DurationFromBytes(c.bytes), c.expected);
    }
}

TEST(WaveFileTest, FilesAndResources)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("half.wav"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Riff(Chunk("fmt ", Format(8000)) + Chunk("data", QByteArray(4000, '\0'))));
    file.close();
    EXPECT_EQ(CWaveFile::GetWaveDurationMs(path), 500u);
    EXPECT_EQ(CWaveFile::GetWaveDurationMs(dir.filePath(QStringLiteral("missing.wav"))), 0u);
    // The generated sounds of the program are real wave files.
    InitViewResources();
    const std::uint32_t alarm = CWaveFile::GetWaveDurationMs(QStringLiteral(":/sounds/Alarm.wav"));
    EXPECT_GT(alarm, 100u);
    EXPECT_LT(alarm, 5000u);
}

} // namespace
