// The registered source of the predefined item types' art.
#include "core/lists/ItemTypeArt.h"

namespace {
const IItemTypeArt *g_art = nullptr;
}

const IItemTypeArt *GetItemTypeArt()
{
    return g_art;
}

void SetItemTypeArt(const IItemTypeArt *art)
{
    g_art = art;
}
