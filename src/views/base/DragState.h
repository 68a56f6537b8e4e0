// CDragState: the one drag in progress in the whole program: what is dragged, from which view,
// and where its preview stands.
#pragma once

#include "core/items/DragItem.h"

#include <vector>

class CDisplayItem;
class CCalendarViewCtrl;

class CDragState
{
  public:
    static constexpr int ModeMove = 4;
    static constexpr int ModeResizeStart = 6;
    static constexpr int ModeResizeEnd = 7;

    int sourceCell = 0;
    int lastCell = 0;
    int mode = ModeMove;
    bool moved = false;
    int sourceViewKind = 0;
    CCalendarViewCtrl *sourceView = nullptr;
    std::vector<CDisplayItem *> draggedEntries; // owned by the source view
    std::vector<CDragItem> dragItems;

    // The drag in progress, or null.
    static CDragState *Current();
    // Begins the drag; null while another one exists.
    static CDragState *Begin();
    static void End();
};
