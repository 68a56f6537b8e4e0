// Palette images recoloured to a control's colours: the key colours of the image's colour table
// are replaced, the pixels stay as they are.
#pragma once

#include "toolkit/controls/ControlColors.h"

#include <QImage>
#include <QPixmap>
#include <QString>

// A copy of a palette image with every colour-table entry that is exactly black replaced by the
// text colour, 0x808080 by the shadow, 0xFF00FF and 0xC0C0C0 by the face and white by the
// highlight; other entries are kept. An image without a colour table comes back unchanged.
QImage RecolorPaletteImage(const QImage &image, const CControlColors &colors);

// Loads a palette image resource and recolours it into `pixmap`; false (and `pixmap` left as it
// was) when the resource is missing or has no colour table.
bool LoadRecoloredBitmap(QPixmap &pixmap, const QString &resource, const CControlColors &colors);
