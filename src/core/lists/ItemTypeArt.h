// Where the core gets the art of the predefined item types: their icons and reminder sounds are
// compiled into the GUI libraries, which register a source at start-up; tests register a fake.
#pragma once

#include "core/lists/ImageList.h"

#include <QString>
#include <vector>

class IItemTypeArt
{
  public:
    virtual ~IItemTypeArt() = default;
    // The icons of the eleven predefined types in their table order, `size` (16 or 32) pixels
    // square; false when they are not available.
    virtual bool GetPredefinedIcons(int size, std::vector<ImagePixels> &icons) const = 0;
    // Puts the reminder sound `fileName` ("Alarm.wav", ...) at `path` unless a file is there.
    // False when it could not be put there.
    virtual bool InstallSound(const QString &fileName, const QString &path) const = 0;
};

// The registered source, or null: the predefined types then get blank icons.
const IItemTypeArt *GetItemTypeArt();
// The caller keeps the source alive while it is registered.
void SetItemTypeArt(const IItemTypeArt *art);
