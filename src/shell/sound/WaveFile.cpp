// Wave file length: the RIFF chunk of form "WAVE", its "fmt " chunk and its "data" chunk.
#include "shell/sound/WaveFile.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

namespace {

constexpr int kFormatBytes = 14; // tag, channels, rate, bytes per second, block alignment

bool ReadExactly(QIODevice &device, char *into, qint64 count)
{
    return device.read(into, count) == count;
}

// Finds a sub-chunk with the id between the device's position and `end`; leaves the device at
// the chunk's data and gives its size.
bool FindChunk(QIODevice &device, qint64 end, const char *id, std::uint32_t &size)
{
    char header[8];
    while (device.pos() + 8 <= end) {
        if (!ReadExactly(device, header, 8))
            return false;
        const std::uint32_t chunkSize = qFromLittleEndian<quint32>(header + 4);
        if (qstrncmp(header, id, 4) == 0) {
            size = chunkSize;
            return true;
        }
        // Chunks are padded to an even length.
        if (!device.seek(device.pos() + qint64(chunkSize) + (chunkSize & 1)))
            return false;
    }
    return false;
}

} // namespace

std::uint32_t CWaveFile::DurationFromDevice(QIODevice &device)
{
    if (!device.seek(0))
        return 0;
    char riff[12];
    if (!ReadExactly(device, riff, 12) || qstrncmp(riff, "RIFF", 4) != 0 ||
        qstrncmp(riff + 8, "WAVE", 4) != 0)
        return 0;
    const qint64 riffEnd = std::min<qint64>(device.size(), 8 + qint64(qFromLittleEndian<quint32>(riff + 4)));

    std::uint32_t formatSize = 0;
    if (!FindChunk(device, riffEnd, "fmt ", formatSize))
        return 0;
    // The basic format must be there whole: a shorter chunk has no trustworthy rate.
    char format[kFormatBytes];
    if (formatSize < std::uint32_t(kFormatBytes) || !ReadExactly(device, format, kFormatBytes))
        return 0;
    const std::uint32_t bytesPerSecond = qFromLittleEndian<quint32>(format + 8);
    if (bytesPerSecond == 0)
        return 0; // a damaged or crafted file must not divide by zero
    if (!device.seek(device.pos() - kFormatBytes + qint64(formatSize) + (formatSize & 1)))
        return 0;

    std::uint32_t dataSize = 0;
    if (!FindChunk(device, riffEnd, "data", dataSize))
        return 0;
    // A 64-bit product: data chunks above about 4 MB would overflow 32 bits.
    const std::uint64_t ms = std::uint64_t(dataSize) * 1000u / bytesPerSecond;
    return ms > 0xFFFFFFFFull ? 0xFFFFFFFFu : std::uint32_t(ms);
}

std::uint32_t CWaveFile::DurationFromBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return 0;
    return DurationFromDevice(buffer);
}

std::uint32_t CWaveFile::GetWaveDurationMs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return DurationFromDevice(file);
}
