// How the Item Types page opens the item-type editor: the editor works on the request in place
// and answers true after OK. The program hands the page the real editor; tests script it.
#pragma once

#include "core/lists/ImageList.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeList.h"

#include <functional>

class QWidget;

struct ItemTypeEditRequest
{
    CItemType type;        // a copy of the record (a new type: the defaults)
    ImagePixels largeIcon; // 32 x 32
    ImagePixels smallIcon; // 16 x 16
    int index = -1;        // the edited type's slot in `types`; -1 for a new type
};

// `types` is the page's working copy: the editor refuses a name another type has.
using ItemTypeEditorPort =
    std::function<bool(QWidget *parent, ItemTypeEditRequest &request, const ItemTypeArray &types)>;
