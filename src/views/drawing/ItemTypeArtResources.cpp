// Predefined item-type icons and reminder sounds from the resources.
#include "views/drawing/ItemTypeArtResources.h"

#include "toolkit/drawing/ImagePixelsQt.h"
#include "views/drawing/TypeIconDrawing.h"
#include "toolkit/style/ViewResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool CResourceItemTypeArt::GetPredefinedIcons(int size, std::vector<ImagePixels> &icons) const
{
    icons.clear();
    const QList<QPixmap> strip = PredefinedTypeIcons(size);
    if (strip.isEmpty())
        return false;
    for (const QPixmap &icon : strip)
        icons.push_back(PixelsFromImage(icon.toImage(), size, size));
    return true;
}

bool CResourceItemTypeArt::InstallSound(const QString &fileName, const QString &path) const
{
    InitViewResources();
    if (QFileInfo::exists(path))
        return true;
    const QString source = QString::fromLatin1(kSoundsPath) + fileName;
    if (!QFile::exists(source) || !QDir().mkpath(QFileInfo(path).absolutePath()) ||
        !QFile::copy(source, path))
        return false;
    // Copies out of the resources are read-only; the user may replace the file later.
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return true;
}

void RegisterItemTypeArt()
{
    static const CResourceItemTypeArt art;
    SetItemTypeArt(&art);
}
