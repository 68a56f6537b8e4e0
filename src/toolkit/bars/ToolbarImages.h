// The image lists of a toolbar: a strip of equal cells cut into images with a mask colour, and
// the faded images of disabled buttons.
#pragma once

#include "core/lists/ColorRules.h"

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>

class ToolbarImages
{
  public:
    // The mask colour that means "the strip's top-left pixel".
    static constexpr COLORREF kMaskTopLeft = 0xFF000000;
    // The weight of the grey level in faded images.
    static constexpr int kFadeWeight = 110;

    // The number of images in a strip: its width over the image width, rounded up. A strip or an
    // image of no width holds no images.
    static int ImageCount(int stripWidth, int imageWidth);
    // Cuts a strip into images of `imageSize`, the mask colour made transparent; the last image
    // of a strip that is not a whole number of cells is filled with the mask.
    static QList<QPixmap> Split(const QImage &strip, QSize imageSize, COLORREF mask);

    // Loads the normal and faded lists from a strip; the faded images are the disabled look of
    // keyed images (MakeDisabledBitmap), tinted towards the bar colour lightened.
    bool Load(const QImage &strip, QSize imageSize, COLORREF mask, COLORREF barColour);
    int Count() const { return int(m_normal.size()); }
    const QList<QPixmap> &Normal() const { return m_normal; }
    const QList<QPixmap> &Faded() const { return m_faded; }

  private:
    QList<QPixmap> m_normal;
    QList<QPixmap> m_faded;
};
