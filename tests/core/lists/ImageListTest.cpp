// Image lists of raw pixels: round trip through the stream form, streams written by other writers
// (strips, palettes, 24-bit colour, 32-bit colour without alpha), and damaged streams.
#include "core/lists/ImageList.h"
#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"

#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr HRESULT kArchiveError = 0x8004050D;

// An image whose pixels differ by position and index, with opaque, half-transparent and
// transparent pixels (kept as 0, as the list keeps them).
ImagePixels PatternImage(int size, int seed)
{
    ImagePixels p(std::size_t(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::uint32_t alpha = 0xFF;
            if ((x + y + seed) % 7 == 0)
                alpha = 0;
            else if ((x * y + seed) % 5 == 0)
                alpha = 0x80;
            const std::uint32_t rgb = (std::uint32_t(x * 9 + seed) & 0xFF) << 16 |
                                      std::uint32_t(y * 13) << 8 | (std::uint32_t(seed * 31) & 0xFF);
            p[std::size_t(y) * size + x] = alpha == 0 ? 0 : (alpha << 24) | rgb;
        }
    }
    return p;
}

QByteArray Stream(const CImageList &list)
{
    QByteArray out;
    CArchiveWriter w(out);
    EXPECT_EQ(list.Write(w), S_OK);
    return out;
}

HRESULT ReadInto(CImageList &list, const QByteArray &data)
{
    CArchiveReader r(data);
    return list.Read(r);
}

// A bitmap file as other writers make it. `pixel(x, y)` gives the stored value at (x, y) from the
// top: a palette index, or 0xAARRGGBB for true colour.
QByteArray BitmapFile(int width, int height, int bpp, const std::vector<std::uint32_t> &palette,
                      const std::function<std::uint32_t(int, int)> &pixel, bool topDown = false)
{
    const int stride = ((width * bpp + 31) / 32) * 4;
    QByteArray bits(qsizetype(stride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        char *row = bits.data() + qsizetype(stride) * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            if (bpp < 8) {
                const int bit = x * bpp;
                row[bit / 8] = char(std::uint8_t(row[bit / 8]) | (v << (8 - bpp - bit % 8)));
            } else if (bpp == 8) {
                row[x] = char(v);
            } else if (bpp == 24) {
                row[x * 3] = char(v & 0xFF);
                row[x * 3 + 1] = char((v >> 8) & 0xFF);
                row[x * 3 + 2] = char((v >> 16) & 0xFF);
            } else {
                qToLittleEndian(v, row + x * 4);
            }
        }
    }
    QByteArray out;
    CArchiveWriter w(out);
    const std::uint32_t offBits = 14 + 40 + std::uint32_t(palette.size()) * 4;
    w.WriteU16(0x4D42);
    w.WriteU32(offBits + std::uint32_t(bits.size()));
    w.WriteU32(0);
    w.WriteU32(offBits);
    w.WriteU32(40);
    w.WriteU32(std::uint32_t(width));
    w.WriteU32(std::uint32_t(topDown ? -height : height));
    w.WriteU16(1);
    w.WriteU16(std::uint16_t(bpp));
    w.WriteU32(0);
    w.WriteU32(std::uint32_t(bits.size()));
    w.WriteU32(0);
    w.WriteU32(0);
    w.WriteU32(std::uint32_t(palette.size()));
    w.WriteU32(0);
    for (std::uint32_t c : palette)
        w.WriteU32(c);
    w.WriteBytes(bits);
    return out;
}

QByteArray ListHeader(int count, int cx, int cy, std::uint16_t flags)
{
    QByteArray out;
    CArchiveWriter w(out);
    w.WriteU16(0x4C49);
    w.WriteU16(0x0101);
    w.WriteU16(std::uint16_t(count));
    w.WriteU16(std::uint16_t(count));
    w.WriteU16(1);
    w.WriteU16(std::uint16_t(cx));
    w.WriteU16(std::uint16_t(cy));
    w.WriteU32(0xFFFFFFFF);
    w.WriteU16(flags);
    for (int i = 0; i < 4; ++i)
        w.WriteU16(0xFFFF);
    return out;
}

} // namespace

TEST(ImageList, RoundTripKeepsEveryPixel)
{
    for (int size : {16, 32}) {
        for (int count : {0, 1, 4, 5, 11}) {
            CImageList list(size, size);
            for (int i = 0; i < count; ++i)
                ASSERT_TRUE(list.Add(PatternImage(size, i)));
            CImageList back;
            ASSERT_EQ(ReadInto(back, Stream(list)), S_OK) << size << " " << count;
            EXPECT_EQ(back, list) << size << " " << count;
        }
    }
}

TEST(ImageList, StreamLayout)
{
    CImageList list(16, 16);
    for (int i = 0; i < 11; ++i)
        list.Add(PatternImage(16, i));
    const QByteArray s = Stream(list);
    auto u16 = [&](int at) { return qFromLittleEndian<std::uint16_t>(s.constData() + at); };
    auto u32 = [&](int at) { return qFromLittleEndian<std::uint32_t>(s.constData() + at); };
    EXPECT_EQ(u16(0), 0x4C49); // "IL"
    EXPECT_EQ(u16(2), 0x0101);
    EXPECT_EQ(u16(4), 11);
    EXPECT_EQ(u16(6), 12); // three rows of four
    EXPECT_EQ(u16(10), 16);
    EXPECT_EQ(u16(12), 16);
    EXPECT_EQ(u16(18), 0x21); // mask, 32-bit colour
    // Colour bitmap 64 x 48 at 32 bits, then a 1-bit mask of the same size.
    const int color = 28;
    EXPECT_EQ(u16(color), 0x4D42);
    EXPECT_EQ(u32(color + 18), 64u);
    EXPECT_EQ(u32(color + 22), 48u);
    EXPECT_EQ(u16(color + 28), 32);
    const int mask = color + 14 + 40 + 64 * 4 * 48;
    EXPECT_EQ(u16(mask), 0x4D42);
    EXPECT_EQ(u16(mask + 28), 1);
    EXPECT_EQ(s.size(), mask + 14 + 40 + 8 + 8 * 48);
}

TEST(ImageList, TransparentPixelsAreKeptAsZero)
{
    CImageList list(16, 16);
    ImagePixels p(256, 0xFF112233);
    p[0] = 0x00ABCDEF; // alpha 0 with colour bits
    ASSERT_TRUE(list.Add(p));
    EXPECT_EQ((*list.GetImage(0))[0], 0u);
    EXPECT_FALSE(list.Add(ImagePixels(255, 0))); // wrong size
    EXPECT_FALSE(list.Insert(2, p));
    EXPECT_EQ(list.GetImageCount(), 1);
}

TEST(ImageList, InsertAndRemoveShiftLaterImages)
{
    CImageList list(16, 16);
    for (int i = 0; i < 3; ++i)
        list.Add(PatternImage(16, i));
    ASSERT_TRUE(list.Insert(0, PatternImage(16, 9)));
    EXPECT_EQ(*list.GetImage(0), PatternImage(16, 9));
    EXPECT_EQ(*list.GetImage(1), PatternImage(16, 0));
    ASSERT_TRUE(list.Remove(1));
    EXPECT_EQ(*list.GetImage(1), PatternImage(16, 1));
    EXPECT_EQ(list.GetImage(3), nullptr);
}

// Streams other writers produce: a horizontal strip rather than a grid, palette and 24-bit colour
// with a mask, 32-bit colour whose alpha bytes are all zero, and top-down rows.
TEST(ImageList, ReadsStripsPalettesAndMasks)
{
    const int cx = 4, cy = 3, count = 3;
    // Image i: left column transparent by the mask, the rest colour index 1 + i.
    auto maskBit = [](int x, int) -> std::uint32_t { return x % cx == 0 ? 1 : 0; };
    const std::vector<std::uint32_t> monoPalette = {0x000000, 0xFFFFFF};
    const std::vector<std::uint32_t> colours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    auto index = [](int x, int) -> std::uint32_t { return std::uint32_t(1 + x / cx); };
    auto expected = [&](int image, int x) -> std::uint32_t {
        return x == 0 ? 0u : 0xFF000000u | colours[std::size_t(1 + image)];
    };

    struct Case
    {
        const char *name;
        int bpp;
        std::vector<std::uint32_t> palette;
        std::function<std::uint32_t(int, int)> pixel;
        bool topDown;
    };
    const Case cases[] = {
        {"4-bit", 4, colours, index, false},
        {"8-bit", 8, colours, index, false},
        {"24-bit", 24, {}, [&](int x, int y) { return colours[index(x, y)]; }, false},
        {"32-bit no alpha", 32, {}, [&](int x, int y) { return colours[index(x, y)]; }, false},
        {"top-down", 24, {}, [&](int x, int y) { return colours[index(x, y)]; }, true},
    };
    for (const Case &c : cases) {
        QByteArray data = ListHeader(count, cx, cy, CImageList::kFlagMask);
        data += BitmapFile(cx * count, cy, c.bpp, c.palette, c.pixel, c.topDown);
        data += BitmapFile(cx * count, cy, 1, monoPalette, maskBit, c.topDown);
        CImageList list;
        ASSERT_EQ(ReadInto(list, data), S_OK) << c.name;
        ASSERT_EQ(list.GetImageCount(), count) << c.name;
        for (int i = 0; i < count; ++i)
            for (int y = 0; y < cy; ++y)
                for (int x = 0; x < cx; ++x)
                    EXPECT_EQ((*list.GetImage(i))[std::size_t(y * cx + x)], expected(i, x))
                        << c.name << " image " << i << " at " << x << "," << y;
    }
}

TEST(ImageList, AlphaOfAnImageWinsOverAnOpaqueMask)
{
    // 32-bit colour with alpha in image 0 and none in image 1; the mask marks nothing.
    auto pixel = [](int x, int) -> std::uint32_t { return x < 2 ? 0x40102030u : 0x00405060u; };
    QByteArray data = ListHeader(2, 2, 2, CImageList::kFlagMask | CImageList::kFlagColor32);
    data += BitmapFile(4, 2, 32, {}, pixel);
    data += BitmapFile(4, 2, 1, {0, 0xFFFFFF}, [](int, int) { return 0u; });
    CImageList list;
    ASSERT_EQ(ReadInto(list, data), S_OK);
    EXPECT_EQ((*list.GetImage(0))[0], 0x40102030u);
    EXPECT_EQ((*list.GetImage(1))[0], 0xFF405060u);
}

TEST(ImageList, DamagedStreamsAreRefusedAndLeaveTheList)
{
    CImageList source(16, 16);
    for (int i = 0; i < 5; ++i)
        source.Add(PatternImage(16, i));
    const QByteArray good = Stream(source);

    CImageList keep(16, 16);
    keep.Add(PatternImage(16, 42));
    const CImageList before = keep;

    // Every truncation fails cleanly.
    for (qsizetype cut = 0; cut < good.size(); cut += (cut < 200 ? 1 : 97)) {
        ASSERT_EQ(ReadInto(keep, good.left(cut)), kArchiveError) << cut;
        ASSERT_EQ(keep, before);
    }

    auto patched = [&](int at, std::uint32_t value, int bytes) {
        QByteArray d = good;
        if (bytes == 2)
            qToLittleEndian(std::uint16_t(value), d.data() + at);
        else
            qToLittleEndian(value, d.data() + at);
        return d;
    };
    // Two images counted in a bitmap that holds two hundred: decoding it would cost a hundred
    // times what the images need.
    CImageList many(16, 16);
    for (int i = 0; i < 200; ++i)
        many.Add(PatternImage(16, i));
    QByteArray oversized = Stream(many);
    qToLittleEndian(std::uint16_t(2), oversized.data() + 4);
    const struct
    {
        const char *name;
        QByteArray data;
    } damaged[] = {
        {"bitmap far larger than its images need", oversized},
        {"magic", patched(0, 0x1234, 2)},
        {"version", patched(2, 0x0600, 2)},
        {"more images than the bitmap holds", patched(4, 13, 2)},
        {"image width 0", patched(10, 0, 2)},
        {"huge image", patched(10, 4000, 2)},
        {"bitmap magic", patched(28, 0x1111, 2)},
        {"bitmap far larger than the data", patched(28 + 22, 0x00100000, 4)},
        {"bitmap compressed", patched(28 + 30, 1, 4)},
        {"odd bit depth", patched(28 + 28, 7, 2)},
    };
    for (const auto &d : damaged) {
        EXPECT_EQ(ReadInto(keep, d.data), kArchiveError) << d.name;
        EXPECT_EQ(keep, before) << d.name;
    }
}
