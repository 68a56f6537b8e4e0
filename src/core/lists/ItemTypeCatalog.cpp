// The registered item type list.
#include "core/lists/ItemTypeCatalog.h"

namespace {
const IItemTypeCatalog *g_catalog = nullptr;
}

const IItemTypeCatalog *GetItemTypeCatalog()
{
    return g_catalog;
}

void SetItemTypeCatalog(const IItemTypeCatalog *catalog)
{
    g_catalog = catalog;
}
