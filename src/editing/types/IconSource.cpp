// Icon sources and icon loading.
#include "editing/types/IconSource.h"

#include "editing/types/IconFileReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>

// The icon library sits in a static library and so is not registered by itself.
static void RegisterItemIconResources()
{
    Q_INIT_RESOURCE(itemicons);
}

namespace {

void InitItemIcons()
{
    static const bool done = [] {
        RegisterItemIconResources();
        return true;
    }();
    (void)done;
}

// Names the freedesktop icon naming rules define, in the order the dialog lists them.
const char *const kThemeNames[] = {
    "appointment-new",    "x-office-calendar",   "mail-unread",           "call-start",      "contact-new",
    "dialog-information", "dialog-warning",      "emblem-important",      "emblem-favorite", "go-home",
    "applications-games", "applications-office", "applications-internet", "audio-x-generic", "camera-photo",
    "computer",           "help-browser",        "input-keyboard",        "media-optical",   "start-here",
    "system-users",       "weather-clear",       "user-bookmarks",        "face-smile",
};

QStringList ThemeNames()
{
    QStringList names;
    for (const char *name : kThemeNames) {
        if (QIcon::hasThemeIcon(QString::fromLatin1(name)))
            names << QString::fromLatin1(name);
    }
    return names;
}

QStringList LibraryFiles()
{
    InitItemIcons();
    const QDir dir(CIconSource::ProgramLibrary());
    QStringList files;
    for (const QString &name : dir.entryList({QStringLiteral("*.ico")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

bool IsReadableImageFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("ico") || suffix == QLatin1String("png");
}

QByteArray ReadSmallFile(const QString &path)
{
    QFile file(path);
    if (file.size() > CIconSource::kMaxFileBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(CIconSource::kMaxFileBytes);
}

// The image of the file nearest to `side`: one of that size, else the smallest larger, else the
// largest.
QImage NearestImage(const QString &path, int side)
{
    QImageReader reader(path);
    QImage best;
    int bestScore = 1 << 30;
    for (int i = 0; i < std::max(1, reader.imageCount()); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull() || image.width() > 1024 || image.height() > 1024)
            continue;
        const int w = image.width();
        const int score = w == side ? 0 : w > side ? w - side : 4096 + side - w;
        if (score < bestScore) {
            bestScore = score;
            best = image;
        }
    }
    return best;
}

bool FromImages(const QImage &small, const QImage &large, ImagePixels &s, ImagePixels &l)
{
    if (small.isNull() || large.isNull())
        return false;
    s = IconPixels(small, CIconSource::kSmall);
    l = IconPixels(large, CIconSource::kLarge);
    return true;
}

bool LoadFromFile(const QString &path, int index, ImagePixels &small, ImagePixels &large)
{
    if (index != 0 || !IsReadableImageFile(path))
        return false;
    if (QFileInfo(path).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0) {
        // A file whose directory does not fit it is refused outright; the image readers only
        // get sound files whose images are not the palette ones the reader takes.
        CIconFileReader reader;
        if (!reader.Read(ReadSmallFile(path)))
            return false;
        if (reader.PickItemTypeIcons(small, large))
            return true;
    }
    return FromImages(NearestImage(path, CIconSource::kSmall), NearestImage(path, CIconSource::kLarge), small,
                      large);
}

} // namespace

ImagePixels IconPixels(const QImage &image, int side)
{
    QImage scaled = image.size() == QSize(side, side)
                        ? image
                        : image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage canvas(side, side, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    const QImage source = scaled.convertToFormat(QImage::Format_ARGB32);
    const int dx = (side - source.width()) / 2;
    const int dy = (side - source.height()) / 2;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            canvas.setPixel(x + dx, y + dy, source.pixel(x, y));
    }
    ImagePixels pixels(std::size_t(side) * std::size_t(side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const QRgb p = canvas.pixel(x, y);
            pixels[std::size_t(y * side + x)] = qAlpha(p) == 0 ? 0u : std::uint32_t(p);
        }
    }
    return pixels;
}

QImage IconImage(const ImagePixels &pixels, int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (pixels.size() != std::size_t(side) * std::size_t(side))
        return image;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, pixels[std::size_t(y * side + x)]);
    }
    return image;
}

QString CIconSource::DefaultSource()
{
    return !LibraryFiles().isEmpty() ? ProgramLibrary() : ThemeSource();
}

int CIconSource::Count(const QString &path)
{
    if (path == ProgramLibrary())
        return int(LibraryFiles().size());
    if (path == ThemeSource())
        return int(ThemeNames().size());
    if (!IsReadableImageFile(path))
        return 0;
    ImagePixels small, large;
    return LoadFromFile(path, 0, small, large) ? 1 : 0;
}

std::vector<QImage> CIconSource::SmallImages(const QString &path)
{
    std::vector<QImage> images;
    const int count = Count(path);
    for (int i = 0; i < count; ++i) {
        ImagePixels small, large;
        LoadIconFromFile(path, i, small, large);
        images.push_back(IconImage(small, kSmall));
    }
    return images;
}

QString CIconSource::DisplayName(const QString &path)
{
    if (path == ProgramLibrary())
        return QStringLiteral("Tessivo icons");
    if (path == ThemeSource())
        return QStringLiteral("Desktop icon theme");
    return QDir::toNativeSeparators(path);
}

bool LoadIconFromFile(const QString &path, int index, ImagePixels &small, ImagePixels &large)
{
    if (index < 0)
        return false;
    if (path == CIconSource::ProgramLibrary()) {
        const QStringList files = LibraryFiles();
        return index < files.size() && LoadFromFile(files.at(index), 0, small, large);
    }
    if (path == CIconSource::ThemeSource()) {
        const QStringList names = ThemeNames();
        if (index >= names.size())
            return false;
        const QIcon icon = QIcon::fromTheme(names.at(index));
        return FromImages(icon.pixmap(CIconSource::kSmall).toImage(),
                          icon.pixmap(CIconSource::kLarge).toImage(), small, large);
    }
    return LoadFromFile(path, index, small, large);
}
