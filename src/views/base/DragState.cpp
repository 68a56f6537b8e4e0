// The program-wide drag state.
#include "views/base/DragState.h"

#include <memory>

namespace {
std::unique_ptr<CDragState> g_drag;
}

CDragState *CDragState::Current()
{
    return g_drag.get();
}

CDragState *CDragState::Begin()
{
    if (g_drag)
        return nullptr;
    g_drag = std::make_unique<CDragState>();
    return g_drag.get();
}

void CDragState::End()
{
    g_drag.reset();
}
