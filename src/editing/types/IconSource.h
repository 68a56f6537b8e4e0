// CIconSource: where item-type icons come from on this platform, and LoadIconFromFile, which
// loads a 16 x 16 and a 32 x 32 icon from one of them. Sources are named by a path:
//  - ":/itemicons", the program's own icon library (the icons compiled into the program);
//  - "theme:", the desktop's icon theme (a fixed list of common names the theme may provide);
//  - a file: ".ico" and ".png" hold one icon each. Program files and libraries (".exe", ".dll",
//    ".icl") are not read here and count as holding no icons.
// Only the chosen images are kept (in the data file's item-type list), never the path.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

using ImagePixels = std::vector<std::uint32_t>;

class CIconSource
{
  public:
    static constexpr int kSmall = 16;
    static constexpr int kLarge = 32;
    static QString ProgramLibrary() { return QStringLiteral(":/itemicons"); }
    static QString ThemeSource() { return QStringLiteral("theme:"); }
    // Files larger than this are not icons the reader takes.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    // The source the Change Icon dialog opens on: the program's library, else the theme.
    static QString DefaultSource();
    // How many icons the source holds; 0 when it holds none or cannot be read.
    static int Count(const QString &path);
    // The small images of every icon of the source, for the icon list.
    static std::vector<QImage> SmallImages(const QString &path);
    // What the "File name" field shows for the source.
    static QString DisplayName(const QString &path);
};

// Loads the small and large icon number `index` of the source: an ".ico" file through the
// program's own reader (its 4 and 8-bit images, index 0 only), else through the image readers,
// taking the images of the sizes or scaling the nearest. True when both icons exist.
bool LoadIconFromFile(const QString &path, int index, ImagePixels &small, ImagePixels &large);

// Pixels of an image at a size (scaled when it has another), straight alpha.
ImagePixels IconPixels(const QImage &image, int side);
QImage IconImage(const ImagePixels &pixels, int side);
