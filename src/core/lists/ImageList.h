// CImageList: a list of equal-sized icons as raw pixels, and its stream form inside stored blobs.
#pragma once

#include "core/system/ResultCode.h"

#include <cstdint>
#include <vector>

class CArchiveReader;
class CArchiveWriter;

// One image: width x height pixels, top row first, each 0xAARRGGBB with straight (not
// premultiplied) alpha. A pixel with alpha 0 is transparent and is kept as 0.
using ImagePixels = std::vector<std::uint32_t>;

// The icons of the item types (one image per type, at the type's index). The GUI turns images into
// pixmaps; the core only keeps, moves and stores them.
//
// Stream form (little-endian), the common controls' image-list stream:
//   u16 magic "IL" (0x4C49), u16 version 0x0101, i16 image count, i16 capacity, i16 grow step,
//   i16 width, i16 height, u32 background colour (0xFFFFFFFF none), u16 flags (0x01 mask,
//   0x20 32-bit colour), 4 x i16 overlay indexes (-1);
//   then the colour bitmap as a bitmap file (file header, 40-byte info header, colour table,
//   bottom-up rows padded to 4 bytes), the images in a grid four images wide, row by row;
//   then, with flag 0x01, the mask as a bitmap file of the same size, one bit per pixel, a set
//   bit marking a transparent pixel.
// Written lists use 32 bits per pixel with alpha; reading also takes 1, 4, 8, 16, 24 and 32-bit
// colour bitmaps and strips of any width, as other writers of the form produce them.
class CImageList
{
  public:
    static constexpr std::uint16_t kMagic = 0x4C49;
    static constexpr std::uint16_t kVersion = 0x0101;
    static constexpr std::uint16_t kFlagMask = 0x0001;
    static constexpr std::uint16_t kFlagColor32 = 0x0020;
    static constexpr int kTileColumns = 4;
    static constexpr int kMaxSide = 256; // larger icons are taken for damage

    CImageList() = default;
    CImageList(int width, int height, int grow = 1);

    // Empties the list and sets the image size.
    void Create(int width, int height, int grow = 1);
    bool IsCreated() const { return m_width > 0; }
    int GetImageWidth() const { return m_width; }
    int GetImageHeight() const { return m_height; }
    int GetGrow() const { return m_grow; }
    int GetImageCount() const { return int(m_images.size()); }

    // The image at `index`; null when out of range.
    const ImagePixels *GetImage(int index) const;
    // Appends, inserts before `index` (0..count) or replaces a copy of `pixels`, which must hold
    // exactly width x height values; false, changing nothing, otherwise or when memory runs out.
    bool Add(const ImagePixels &pixels);
    bool Insert(int index, const ImagePixels &pixels);
    bool Replace(int index, const ImagePixels &pixels);
    bool Remove(int index);
    void RemoveAll() { m_images.clear(); }
    // A fully transparent image of the list's size.
    ImagePixels BlankImage() const;

    // Appends the stream form. Fails (QV_E_INTERNAL) when the list has no size or more images than
    // the form can count; 0x8007000E when memory runs out.
    HRESULT Write(CArchiveWriter &ar) const;
    // Replaces the list by one read from the stream form at the reader's position. Damaged or
    // truncated data gives QV_E_INTERNAL and leaves the list as it was; sizes read from the data are
    // checked against the bytes that remain before anything is allocated for them, and a bitmap
    // must not hold more than kSpareTiles tiles beyond its image count. With `expectedCount` zero
    // or more, a stream counting another number of images is refused before its bitmaps are read.
    HRESULT Read(CArchiveReader &ar, int expectedCount = -1);
    // Tiles a bitmap may hold beyond its images: the rest of a row of the grid, and the spare
    // capacity other writers leave.
    static constexpr int kSpareTiles = 64;

    bool operator==(const CImageList &other) const
    {
        return m_width == other.m_width && m_height == other.m_height && m_images == other.m_images;
    }

  private:
    static void Normalise(ImagePixels &pixels);

    int m_width = 0;
    int m_height = 0;
    int m_grow = 1;
    std::vector<ImagePixels> m_images;
};
