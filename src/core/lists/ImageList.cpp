// Image lists of raw pixels and their stream form with embedded bitmap files.
#include "core/lists/ImageList.h"

#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <new>

namespace {

constexpr HRESULT kOutOfMemory = HresultFromSystem(14); // the system's out-of-memory code
constexpr std::uint16_t kBitmapMagic = 0x4D42;          // "BM"
constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr int kMaxBitmapSide = 1 << 20;

// A bitmap file decoded to one 0xAARRGGBB value per pixel, top row first.
struct DecodedBitmap
{
    int width = 0;
    int height = 0;
    bool hasAlpha = false; // the alpha bytes come from the data (32 bits per pixel)
    std::vector<std::uint32_t> pixels;
};

std::uint32_t U32At(const QByteArray &b, qsizetype offset)
{
    return qFromLittleEndian<std::uint32_t>(b.constData() + offset);
}
std::uint16_t U16At(const QByteArray &b, qsizetype offset)
{
    return qFromLittleEndian<std::uint16_t>(b.constData() + offset);
}

// The value of the bits under `mask`, scaled to 0..255.
std::uint32_t MaskedChannel(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t bits = mask >> shift;
    const std::uint64_t v = (value & mask) >> shift; // never above `bits`
    return std::uint32_t((v * 255u + bits / 2) / bits);
}

// Reads one bitmap file at the reader's position. False for anything this reader does not take
// or for data that ends early; nothing is allocated before the bytes it covers are known to be there.
bool ReadBitmapFile(CArchiveReader &ar, DecodedBitmap &out, qsizetype maxPixels)
{
    QByteArray fileHeader;
    if (!ar.ReadBytes(kFileHeaderBytes, fileHeader) || U16At(fileHeader, 0) != kBitmapMagic)
        return false;
    std::uint32_t infoSize = 0;
    if (!ar.ReadU32(infoSize) || infoSize < kInfoHeaderBytes || infoSize > 1024)
        return false;
    QByteArray info;
    if (!ar.ReadBytes(qsizetype(infoSize) - 4, info))
        return false;
    info.prepend(4, '\0');
    const auto width = std::int32_t(U32At(info, 4));
    const auto rawHeight = std::int32_t(U32At(info, 8));
    const std::uint16_t planes = U16At(info, 12);
    const std::uint16_t bpp = U16At(info, 14);
    const std::uint32_t compression = U32At(info, 16);
    const std::uint32_t colorsUsed = U32At(info, 32);
    if (planes != 1 || width <= 0 || width > kMaxBitmapSide || rawHeight == 0 ||
        rawHeight < -kMaxBitmapSide || rawHeight > kMaxBitmapSide)
        return false;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    if (qsizetype(width) * height > maxPixels)
        return false;

    const bool paletted = bpp == 1 || bpp == 4 || bpp == 8;
    if (!paletted && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (compression != kBiRgb && !(compression == kBiBitfields && (bpp == 16 || bpp == 32)))
        return false;

    // Channel masks: the three after a 40-byte header, or inside a longer header.
    std::uint32_t rMask = 0, gMask = 0, bMask = 0, aMask = 0;
    if (compression == kBiBitfields) {
        if (infoSize == kInfoHeaderBytes) {
            if (!ar.ReadU32(rMask) || !ar.ReadU32(gMask) || !ar.ReadU32(bMask))
                return false;
        } else {
            if (infoSize < 52)
                return false;
            rMask = U32At(info, 40);
            gMask = U32At(info, 44);
            bMask = U32At(info, 48);
            if (infoSize >= 56)
                aMask = U32At(info, 52);
        }
    } else if (bpp == 16) {
        rMask = 0x7C00;
        gMask = 0x03E0;
        bMask = 0x001F;
    } else if (bpp == 32) {
        rMask = 0x00FF0000;
        gMask = 0x0000FF00;
        bMask = 0x000000FF;
        aMask = 0xFF000000;
    }

    std::vector<std::uint32_t> palette;
    if (paletted) {
        const std::uint32_t full = 1u << bpp;
        const std::uint32_t entries = colorsUsed == 0 ? full : colorsUsed;
        if (entries > full)
            return false;
        QByteArray table;
        if (!ar.ReadBytes(qsizetype(entries) * 4, table))
            return false;
        palette.assign(full, 0xFF000000u);
        for (std::uint32_t i = 0; i < entries; ++i)
            palette[i] = 0xFF000000u | (U32At(table, qsizetype(i) * 4) & 0x00FFFFFFu);
    } else if (colorsUsed != 0) {
        // An optional palette before true-colour bits is passed over.
        if (colorsUsed > 256 || !ar.Skip(qsizetype(colorsUsed) * 4))
            return false;
    }

    const qsizetype stride = ((qsizetype(width) * bpp + 31) / 32) * 4;
    QByteArray bits;
    if (!ar.ReadBytes(stride * height, bits))
        return false;

    out.width = width;
    out.height = height;
    out.hasAlpha = bpp == 32 && aMask != 0;
    out.pixels.assign(std::size_t(width) * std::size_t(height), 0);
    const auto *data = reinterpret_cast<const std::uint8_t *>(bits.constData());
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *row = data + stride * (topDown ? y : height - 1 - y);
        std::uint32_t *target = out.pixels.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            if (paletted) {
                const int bitPos = x * bpp;
                const std::uint8_t byte = row[bitPos / 8];
                const int shift = 8 - bpp - bitPos % 8;
                argb = palette[(byte >> shift) & ((1u << bpp) - 1)];
            } else if (bpp == 24) {
                const std::uint8_t *p = row + x * 3;
                argb = 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
            } else {
                const std::uint32_t v = bpp == 16 ? qFromLittleEndian<std::uint16_t>(row + x * 2)
                                                  : qFromLittleEndian<std::uint32_t>(row + x * 4);
                const std::uint32_t a = aMask ? MaskedChannel(v, aMask) : 0xFF;
                argb = (a << 24) | (MaskedChannel(v, rMask) << 16) | (MaskedChannel(v, gMask) << 8) |
                       MaskedChannel(v, bMask);
            }
            target[x] = argb;
        }
    }
    return true;
}

void WriteBitmapHeaders(CArchiveWriter &ar, int width, int height, int bpp, int paletteEntries,
                        qsizetype imageBytes)
{
    const qsizetype offBits = kFileHeaderBytes + kInfoHeaderBytes + qsizetype(paletteEntries) * 4;
    ar.WriteU16(kBitmapMagic);
    ar.WriteU32(std::uint32_t(offBits + imageBytes));
    ar.WriteU16(0);
    ar.WriteU16(0);
    ar.WriteU32(std::uint32_t(offBits));
    ar.WriteU32(kInfoHeaderBytes);
    ar.WriteU32(std::uint32_t(width));
    ar.WriteU32(std::uint32_t(height)); // bottom-up
    ar.WriteU16(1);
    ar.WriteU16(std::uint16_t(bpp));
    ar.WriteU32(kBiRgb);
    ar.WriteU32(std::uint32_t(imageBytes));
    ar.WriteU32(0);
    ar.WriteU32(0);
    ar.WriteU32(std::uint32_t(paletteEntries));
    ar.WriteU32(0);
}

} // namespace

CImageList::CImageList(int width, int height, int grow)
{
    Create(width, height, grow);
}

void CImageList::Create(int width, int height, int grow)
{
    m_images.clear();
    m_width = std::clamp(width, 0, kMaxSide);
    m_height = std::clamp(height, 0, kMaxSide);
    m_grow = std::max(grow, 1);
}

const ImagePixels *CImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return nullptr;
    return &m_images[std::size_t(index)];
}

ImagePixels CImageList::BlankImage() const
{
    return ImagePixels(std::size_t(m_width) * std::size_t(m_height), 0);
}

void CImageList::Normalise(ImagePixels &pixels)
{
    for (auto &p : pixels) {
        if ((p >> 24) == 0)
            p = 0;
    }
}

bool CImageList::Insert(int index, const ImagePixels &pixels)
{
    if (!IsCreated() || index < 0 || index > GetImageCount() ||
        pixels.size() != std::size_t(m_width) * std::size_t(m_height) || GetImageCount() >= 0x7FFF)
        return false;
    try {
        ImagePixels copy = pixels;
        Normalise(copy);
        m_images.insert(m_images.begin() + index, std::move(copy));
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

bool CImageList::Add(const ImagePixels &pixels)
{
    return Insert(GetImageCount(), pixels);
}

bool CImageList::Replace(int index, const ImagePixels &pixels)
{
    if (index < 0 || index >= GetImageCount() || pixels.size() != m_images[std::size_t(index)].size())
        return false;
    try {
        ImagePixels copy = pixels;
        Normalise(copy);
        m_images[std::size_t(index)] = std::move(copy);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

bool CImageList::Remove(int index)
{
    if (index < 0 || index >= GetImageCount())
        return false;
    m_images.erase(m_images.begin() + index);
    return true;
}

HRESULT CImageList::Write(CArchiveWriter &ar) const
{
    if (!IsCreated() || GetImageCount() > 0x7FFF - kTileColumns)
        return QV_E_INTERNAL;
    try {
        const int count = GetImageCount();
        const int rows = std::max(1, (count + kTileColumns - 1) / kTileColumns);
        const int capacity = rows * kTileColumns;
        const int bmWidth = m_width * kTileColumns;
        const int bmHeight = m_height * rows;

        ar.WriteU16(kMagic);
        ar.WriteU16(kVersion);
        ar.WriteU16(std::uint16_t(count));
        ar.WriteU16(std::uint16_t(capacity));
        ar.WriteU16(std::uint16_t(m_grow));
        ar.WriteU16(std::uint16_t(m_width));
        ar.WriteU16(std::uint16_t(m_height));
        ar.WriteU32(0xFFFFFFFFu);
        ar.WriteU16(kFlagMask | kFlagColor32);
        for (int i = 0; i < 4; ++i)
            ar.WriteU16(0xFFFF);

        // The pixel at grid position (x, y) of the bitmap, top row first; 0 outside every image.
        auto pixelAt = [&](int x, int y) -> std::uint32_t {
            const int image = (y / m_height) * kTileColumns + x / m_width;
            if (image >= count)
                return 0;
            return m_images[std::size_t(image)]
                           [std::size_t(y % m_height) * std::size_t(m_width) + std::size_t(x % m_width)];
        };

        const qsizetype colorStride = qsizetype(bmWidth) * 4;
        WriteBitmapHeaders(ar, bmWidth, bmHeight, 32, 0, colorStride * bmHeight);
        QByteArray row(colorStride, '\0');
        for (int y = bmHeight - 1; y >= 0; --y) {
            for (int x = 0; x < bmWidth; ++x)
                qToLittleEndian(pixelAt(x, y), row.data() + qsizetype(x) * 4);
            ar.WriteBytes(row);
        }

        const qsizetype maskStride = ((qsizetype(bmWidth) + 31) / 32) * 4;
        WriteBitmapHeaders(ar, bmWidth, bmHeight, 1, 2, maskStride * bmHeight);
        ar.WriteU32(0x00000000); // index 0: black, an opaque pixel
        ar.WriteU32(0x00FFFFFF); // index 1: white, a transparent pixel
        QByteArray maskRow(maskStride, '\0');
        for (int y = bmHeight - 1; y >= 0; --y) {
            maskRow.fill('\0');
            for (int x = 0; x < bmWidth; ++x) {
                if ((pixelAt(x, y) >> 24) == 0)
                    maskRow[x / 8] = char(std::uint8_t(maskRow[x / 8]) | (0x80 >> (x % 8)));
            }
            ar.WriteBytes(maskRow);
        }
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
    return S_OK;
}

HRESULT CImageList::Read(CArchiveReader &ar, int expectedCount)
{
    try {
        std::uint16_t magic = 0, version = 0, count = 0, capacity = 0, grow = 0, cx = 0, cy = 0, flags = 0;
        std::uint32_t background = 0;
        if (!ar.ReadU16(magic) || !ar.ReadU16(version) || !ar.ReadU16(count) || !ar.ReadU16(capacity) ||
            !ar.ReadU16(grow) || !ar.ReadU16(cx) || !ar.ReadU16(cy) || !ar.ReadU32(background) ||
            !ar.ReadU16(flags) || !ar.Skip(8))
            return QV_E_INTERNAL;
        if (magic != kMagic || version != kVersion || count > 0x7FFF || cx == 0 || cy == 0 || cx > kMaxSide ||
            cy > kMaxSide || (expectedCount >= 0 && count != expectedCount))
            return QV_E_INTERNAL;

        // Decoding costs up to 32 times the bytes of a bitmap: only what the images need is decoded.
        const qsizetype maxPixels = (qsizetype(count) + kSpareTiles) * cx * cy;
        DecodedBitmap color;
        if (!ReadBitmapFile(ar, color, maxPixels))
            return QV_E_INTERNAL;
        const int columns = color.width / cx;
        const int rows = color.height / cy;
        if (count > 0 && (columns < 1 || qsizetype(columns) * rows < count))
            return QV_E_INTERNAL;

        DecodedBitmap mask;
        const bool hasMask = (flags & kFlagMask) != 0;
        if (hasMask &&
            (!ReadBitmapFile(ar, mask, maxPixels) || mask.width != color.width || mask.height != color.height))
            return QV_E_INTERNAL;

        std::vector<ImagePixels> images;
        images.reserve(count);
        for (int i = 0; i < count; ++i) {
            const int left = (i % columns) * cx;
            const int top = (i / columns) * cy;
            ImagePixels image(std::size_t(cx) * cy);
            bool anyAlpha = false;
            for (int y = 0; y < cy; ++y) {
                for (int x = 0; x < cx; ++x) {
                    const std::size_t from =
                        std::size_t(top + y) * std::size_t(color.width) + std::size_t(left + x);
                    const std::uint32_t p = color.pixels[from];
                    image[std::size_t(y) * cx + x] = p;
                    anyAlpha = anyAlpha || (p >> 24) != 0;
                }
            }
            // A 32-bit image whose alpha bytes are all zero carries no alpha: the mask alone says
            // what shows.
            const bool useAlpha = color.hasAlpha && anyAlpha;
            for (int y = 0; y < cy; ++y) {
                for (int x = 0; x < cx; ++x) {
                    std::uint32_t &p = image[std::size_t(y) * cx + x];
                    if (!useAlpha)
                        p |= 0xFF000000u;
                    const std::size_t at =
                        std::size_t(top + y) * std::size_t(color.width) + std::size_t(left + x);
                    if (hasMask && (mask.pixels[at] & 0x00FFFFFFu) != 0)
                        p = 0;
                }
            }
            Normalise(image);
            images.push_back(std::move(image));
        }
        m_width = cx;
        m_height = cy;
        m_grow = std::max<int>(grow, 1);
        m_images = std::move(images);
    } catch (const std::bad_alloc &) {
        return kOutOfMemory;
    }
    return S_OK;
}
