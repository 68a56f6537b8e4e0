// The two ways a command image is turned into its disabled look: grey with faded alpha for images
// with an alpha channel, and a grey tinted towards the bar colour for keyed classic images.
#pragma once

#include "core/lists/ColorRules.h"

#include <QImage>

// Every pixel's red, green and blue become their average and its alpha is divided by `divisor`
// (at least 1.5; smaller values are raised to 1.5). False, and the image unchanged, for a null image.
bool MakeGreyAlphaBitmap(QImage &image, double divisor);

// Every pixel with grey level g = (R + G + B) / 3 gets each channel (tint x (255 - weight) + g x
// weight) / 256, with the weight bounded to 0..255. Returns the mask colour after the change: the
// new top-left pixel when `mask` is 0xFF000000, else `mask` put through the same formula.
COLORREF MakeDisabledBitmap(QImage &image, int weight, COLORREF tint, COLORREF mask);

// The colour count of an image as a bitmap header gives it: its colour table's size when it has
// one, else 2, 16 or 256 for 1, 4 and 8 bits per pixel, else 0.
int GetBitmapColorCount(const QImage &image);

// Makes every pixel of `colour` transparent (a keyed strip's mask).
void ApplyColorKey(QImage &image, COLORREF colour);
