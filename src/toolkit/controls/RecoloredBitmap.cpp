// Recolouring of palette images.
#include "toolkit/controls/RecoloredBitmap.h"

#include "toolkit/controls/ControlResources.h"
#include "toolkit/drawing/DrawHelpers.h"

QImage RecolorPaletteImage(const QImage &image, const CControlColors &colors)
{
    QImage out = image;
    QList<QRgb> table = out.colorTable();
    if (table.isEmpty())
        return out;
    auto rgb = [](COLORREF c) { return ToQColor(c).rgb(); };
    for (QRgb &entry : table) {
        switch (entry & 0xFFFFFF) {
        case 0x000000:
            entry = rgb(colors.text);
            break;
        case 0x808080:
            entry = rgb(colors.shadow);
            break;
        case 0xFF00FF:
        case 0xC0C0C0:
            entry = rgb(colors.face);
            break;
        case 0xFFFFFF:
            entry = rgb(colors.highlight);
            break;
        default:
            break;
        }
    }
    out.setColorTable(table);
    return out;
}

bool LoadRecoloredBitmap(QPixmap &pixmap, const QString &resource, const CControlColors &colors)
{
    InitControlResources();
    const QImage image(resource);
    if (image.isNull() || image.colorTable().isEmpty())
        return false;
    const QPixmap made = QPixmap::fromImage(RecolorPaletteImage(image, colors));
    if (made.isNull())
        return false;
    pixmap = made;
    return true;
}
