// The bytes a fuzz target reads: an even first byte takes the rest of the input as they are; an
// odd one patches the target's seed with (offset low, offset high, value) triples and cuts it to
// the share of 256 the last leftover byte gives, so that most inputs stay close to a valid file.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// `size` is at least 1. With `wideOffsets` the first byte's upper bits reach past 64 KB.
inline QByteArray FuzzBytes(const std::uint8_t *data, std::size_t size, const QByteArray &seed,
                            bool wideOffsets = false)
{
    if (data[0] % 2 == 0)
        return QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    QByteArray bytes = seed;
    const std::size_t high = wideOffsets ? std::size_t(data[0] >> 1) << 16 : 0;
    std::size_t i = 1;
    for (; i + 2 < size && !bytes.isEmpty(); i += 3) {
        const std::size_t at =
            (std::size_t(data[i]) | (std::size_t(data[i + 1]) << 8) | high) % std::size_t(bytes.size());
        bytes[qsizetype(at)] = char(data[i + 2]);
    }
    if (i < size)
        bytes.truncate(qsizetype(data[i]) * bytes.size() / 256);
    return bytes;
}
