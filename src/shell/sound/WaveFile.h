// CWaveFile: reads how long the sound of a RIFF wave file lasts, so that a repeating reminder
// sound can wait from the end of the sound rather than from its start.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

class CWaveFile
{
  public:
    // Milliseconds of sound in the file at the path (resource paths work too); 0 when the file
    // cannot be read or is not a wave file with a format and a data chunk.
    static std::uint32_t GetWaveDurationMs(const QString &path);
    // The same for the file's bytes.
    static std::uint32_t DurationFromBytes(const QByteArray &bytes);
    // The same for an open device, read from its start; only the chunk headers are read.
    static std::uint32_t DurationFromDevice(QIODevice &device);
};
