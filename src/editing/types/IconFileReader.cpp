// The ".ico" reader with its bounds checks.
#include "editing/types/IconFileReader.h"

namespace {

std::uint32_t U16(const QByteArray &d, qsizetype at)
{
    return std::uint32_t(std::uint8_t(d[at])) | (std::uint32_t(std::uint8_t(d[at + 1])) << 8);
}

std::uint32_t U32(const QByteArray &d, qsizetype at)
{
    return U16(d, at) | (U16(d, at + 2) << 16);
}

} // namespace

bool CIconFileReader::Read(const QByteArray &data)
{
    m_entries.clear();
    m_data.clear();
    const qsizetype length = data.size();
    if (length < kHeaderBytes || U16(data, 0) != 0 || U16(data, 2) != 1)
        return false;
    const std::uint32_t count = U16(data, 4);
    // The directory must lie inside the data before a single entry is taken from it.
    if (count == 0 || qsizetype(kHeaderBytes) + qsizetype(count) * kEntryBytes > length)
        return false;
    std::vector<Entry> entries;
    entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const qsizetype at = kHeaderBytes + qsizetype(i) * kEntryBytes;
        Entry e;
        e.width = std::uint8_t(data[at]) == 0 ? 256 : std::uint8_t(data[at]);
        e.height = std::uint8_t(data[at + 1]) == 0 ? 256 : std::uint8_t(data[at + 1]);
        e.size = U32(data, at + 8);
        e.offset = U32(data, at + 12);
        // 64-bit sums: a lying offset or size cannot wrap around to look small.
        if (e.size == 0 || std::uint64_t(e.offset) + e.size > std::uint64_t(length))
            return false;
        entries.push_back(e);
    }
    m_entries = std::move(entries);
    m_data = data;
    return true;
}

QByteArray CIconFileReader::ImageData(int index) const
{
    if (index < 0 || index >= int(m_entries.size()))
        return {};
    const Entry &e = m_entries[std::size_t(index)];
    return m_data.mid(qsizetype(e.offset), qsizetype(e.size));
}

int CIconFileReader::BitsPerPixel(const QByteArray &bitmap)
{
    if (bitmap.size() < kInfoHeaderBytes || U32(bitmap, 0) < std::uint32_t(kInfoHeaderBytes))
        return 0;
    return int(U16(bitmap, 12) * U16(bitmap, 14));
}

bool CIconFileReader::DecodeBitmap(const QByteArray &bitmap, Image &out)
{
    const qsizetype length = bitmap.size();
    if (length < kInfoHeaderBytes)
        return false;
    const std::uint32_t headerSize = U32(bitmap, 0);
    const std::int32_t width = std::int32_t(U32(bitmap, 4));
    const std::int32_t doubleHeight = std::int32_t(U32(bitmap, 8));
    const int bits = BitsPerPixel(bitmap);
    const std::uint32_t compression = U32(bitmap, 16);
    const std::uint32_t used = U32(bitmap, 32);
    if (headerSize < std::uint32_t(kInfoHeaderBytes) || headerSize > std::uint32_t(length) ||
        compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8)
        return false;
    // The bitmap holds the colour rows and the mask rows: twice the icon's height.
    if (width <= 0 || width > kMaxSide || doubleHeight <= 0 || doubleHeight % 2 != 0 ||
        doubleHeight / 2 > kMaxSide)
        return false;
    const int height = doubleHeight / 2;
    const std::uint32_t colours = used == 0 ? (1u << bits) : used;
    if (colours > (1u << bits))
        return false;
    const std::uint64_t colourStride = std::uint64_t((width * bits + 31) / 32) * 4;
    const std::uint64_t maskStride = std::uint64_t((width + 31) / 32) * 4;
    const std::uint64_t paletteAt = headerSize;
    const std::uint64_t rowsAt = paletteAt + std::uint64_t(colours) * 4;
    const std::uint64_t maskAt = rowsAt + colourStride * std::uint64_t(height);
    if (maskAt + maskStride * std::uint64_t(height) > std::uint64_t(length))
        return false;

    const auto *d = reinterpret_cast<const std::uint8_t *>(bitmap.constData());
    out.width = width;
    out.height = height;
    out.bitsPerPixel = bits;
    out.pixels.assign(std::size_t(width) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const std::uint8_t *row = d + rowsAt + colourStride * std::uint64_t(height - 1 - y);
        const std::uint8_t *mask = d + maskAt + maskStride * std::uint64_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            if (mask[x / 8] & (0x80 >> (x % 8)))
                continue; // transparent
            const int bitAt = x * bits;
            const int index = (row[bitAt / 8] >> (8 - bits - bitAt % 8)) & ((1 << bits) - 1);
            if (std::uint32_t(index) >= colours)
                continue;
            const std::uint8_t *entry = d + paletteAt + std::uint64_t(index) * 4;
            out.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                0xFF000000u | (std::uint32_t(entry[2]) << 16) | (std::uint32_t(entry[1]) << 8) | entry[0];
        }
    }
    return true;
}

bool CIconFileReader::PickItemTypeIcons(ImagePixels &small, ImagePixels &large) const
{
    int smallBits = 0, largeBits = 0;
    ImagePixels s, l;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const QByteArray bitmap = ImageData(i);
        const int bits = BitsPerPixel(bitmap);
        if (bits != 4 && bits != 8)
            continue;
        Image image;
        if (!DecodeBitmap(bitmap, image) || image.width != image.height)
            continue;
        if (image.width == 16 && bits > smallBits) {
            s = std::move(image.pixels);
            smallBits = bits;
        } else if (image.width == 32 && bits > largeBits) {
            l = std::move(image.pixels);
            largeBits = bits;
        }
    }
    if (!smallBits || !largeBits)
        return false;
    small = std::move(s);
    large = std::move(l);
    return true;
}
