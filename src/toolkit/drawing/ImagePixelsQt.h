// Raw image-list pixels of the core to and from Qt images.
#pragma once

#include "core/lists/ImageList.h"

#include <QImage>
#include <QPixmap>

// The image as a width x height ARGB image; a null image when the pixels do not fill it.
QImage ImageFromPixels(const ImagePixels &pixels, int width, int height);
QPixmap PixmapFromPixels(const ImagePixels &pixels, int width, int height);
// The image's pixels at width x height, scaled smoothly when its size differs; an empty vector for
// a null image.
ImagePixels PixelsFromImage(const QImage &image, int width, int height);
