// CIconFileReader: reads an ".ico" file held in memory: the directory and the images it names,
// and picks the item types' 16 x 16 and 32 x 32 icons from the palette images (4 or 8 bits per
// pixel). Every count, offset and size is checked against the data before anything is read, so a
// short or lying file is refused and never read past its end. QtCore only, for the fuzz target.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

using ImagePixels = std::vector<std::uint32_t>;

class CIconFileReader
{
  public:
    static constexpr int kHeaderBytes = 6;
    static constexpr int kEntryBytes = 16;
    static constexpr int kInfoHeaderBytes = 40;
    static constexpr int kMaxSide = 256;

    struct Entry
    {
        int width = 0; // as the directory says (0 means 256)
        int height = 0;
        std::uint32_t size = 0;
        std::uint32_t offset = 0;
    };

    // One image decoded from its bitmap: width x height pixels 0xAARRGGBB, top row first.
    struct Image
    {
        int width = 0;
        int height = 0;
        int bitsPerPixel = 0; // planes x bit count
        ImagePixels pixels;
    };

    // False, with no entries, for data that is not an icon file, has no image, or whose
    // directory or any image reaches past the end of the data.
    bool Read(const QByteArray &data);
    const std::vector<Entry> &Entries() const { return m_entries; }
    QByteArray ImageData(int index) const;

    // Decodes a bitmap image (info header, palette, colour rows, mask rows) with 1, 4 or 8 bits
    // per pixel; false for compressed or PNG images, other depths and bitmaps larger than the data.
    static bool DecodeBitmap(const QByteArray &bitmap, Image &out);
    // Planes x bit count of a bitmap image's header; 0 when the data is no bitmap header.
    static int BitsPerPixel(const QByteArray &bitmap);

    // The 16 x 16 and 32 x 32 images of 4 or 8 bits per pixel (an 8-bit image replacing a 4-bit
    // one, never the other way round); true only when both are found.
    bool PickItemTypeIcons(ImagePixels &small, ImagePixels &large) const;

  private:
    QByteArray m_data;
    std::vector<Entry> m_entries;
};
