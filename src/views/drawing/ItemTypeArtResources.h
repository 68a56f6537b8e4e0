// The predefined item types' art from the program's compiled-in resources.
#pragma once

#include "core/lists/ItemTypeArt.h"

class CResourceItemTypeArt : public IItemTypeArt
{
  public:
    // The icon strips ":/icons/types16.bmp" and ":/icons/types32.bmp", magenta transparent.
    bool GetPredefinedIcons(int size, std::vector<ImagePixels> &icons) const override;
    // Copies ":/sounds/<fileName>" to the path unless a file is there.
    bool InstallSound(const QString &fileName, const QString &path) const override;
};

// Registers one program-wide resource art source with the core. Safe to call more than once.
void RegisterItemTypeArt();
