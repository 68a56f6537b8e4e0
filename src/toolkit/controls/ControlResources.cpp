// Registration of the controls' compiled-in art.
#include "toolkit/controls/ControlResources.h"

#include <QtGlobal>

static void RegisterControlResources()
{
    Q_INIT_RESOURCE(controls);
}

void InitControlResources()
{
    static const bool done = [] {
        RegisterControlResources();
        return true;
    }();
    (void)done;
}
