// One fuzz input for the ".ico" reader of the item-type icons, shared by the fuzz target and the
// test that replays the inputs kept under tests/data/fuzz-iconfile. The first byte chooses how
// the rest is used: as the file as it stands, or as edits (offset, byte) and a cut applied to a
// well-formed file with 4-bit and 8-bit images of 16 and 32 pixels. Whatever the bytes, the
// reader keeps inside them, and what it accepts decodes to images of the size they claim.
#pragma once

#include "editing/types/IconFileReader.h"
#include "fuzz/FuzzBytes.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace IconFileFuzz {

// A palette bitmap of `side` pixels (colour rows, then mask rows) with a diagonal drawn in colour 1
// on colour 2 and the top-left corner transparent.
inline QByteArray Bitmap(int side, int bits)
{
    auto put32 = [](QByteArray &b, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [](QByteArray &b, std::uint32_t v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    const int colours = 1 << bits;
    QByteArray b;
    put32(b, 40);
    put32(b, std::uint32_t(side));
    put32(b, std::uint32_t(side * 2));
    put16(b, 1);
    put16(b, std::uint32_t(bits));
    for (int i = 0; i < 6; ++i)
        put32(b, 0);
    for (int i = 0; i < colours; ++i)
        put32(b, i == 1 ? 0x00C03020u : i == 2 ? 0x00F0E0D0u : 0u);
    const int stride = (side * bits + 31) / 32 * 4;
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < side; ++x) {
            const int index = x == y ? 1 : 2;
            const int at = x * bits;
            row[at / 8] = char(std::uint8_t(row[at / 8]) | (index << (8 - bits - at % 8)));
        }
        b.append(row);
    }
    const int maskStride = (side + 31) / 32 * 4;
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        if (y == 0)
            row[0] = char(0x80);
        b.append(row);
    }
    return b;
}

// An icon file of the given (side, bits) images, in that order.
inline QByteArray IconFile(const std::vector<std::pair<int, int>> &images)
{
    QByteArray head, body;
    auto put = [](QByteArray &b, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    put(head, 0, 2);
    put(head, 1, 2);
    put(head, std::uint32_t(images.size()), 2);
    std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
    for (const auto &[side, bits] : images) {
        const QByteArray bitmap = Bitmap(side, bits);
        put(head, std::uint32_t(side & 0xFF), 1);
        put(head, std::uint32_t(side & 0xFF), 1);
        put(head, bits == 4 ? 16 : 0, 1);
        put(head, 0, 1);
        put(head, 1, 2);
        put(head, std::uint32_t(bits), 2);
        put(head, std::uint32_t(bitmap.size()), 4);
        put(head, offset, 4);
        offset += std::uint32_t(bitmap.size());
        body.append(bitmap);
    }
    return head + body;
}

inline QByteArray Seed()
{
    return IconFile({{16, 4}, {32, 4}, {16, 8}, {32, 8}});
}

// Runs one input; returns a description of the first broken rule, or null.
inline const char *RunInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return nullptr;
    static const QByteArray seed = Seed();
    const QByteArray bytes = FuzzBytes(data, size, seed);
    CIconFileReader reader;
    if (!reader.Read(bytes))
        return reader.Entries().empty() ? nullptr : "a refused file keeps entries";
    for (int i = 0; i < int(reader.Entries().size()); ++i) {
        const CIconFileReader::Entry &e = reader.Entries()[std::size_t(i)];
        if (std::uint64_t(e.offset) + e.size > std::uint64_t(bytes.size()))
            return "an accepted entry reaches past the file";
        const QByteArray image = reader.ImageData(i);
        if (image.size() != qsizetype(e.size))
            return "an image is not the size its entry gives";
        CIconFileReader::Image decoded;
        if (CIconFileReader::DecodeBitmap(image, decoded) &&
            decoded.pixels.size() != std::size_t(decoded.width) * std::size_t(decoded.height))
            return "a decoded image is not the size it claims";
    }
    ImagePixels small, large;
    if (reader.PickItemTypeIcons(small, large) && (small.size() != 16 * 16 || large.size() != 32 * 32))
        return "the picked icons are not 16 and 32 pixels square";
    return nullptr;
}

} // namespace IconFileFuzz
