#include "containers/mainbase/ZoomListPort.h"

#include "views/zoom/DayZoomList.h"

bool CZoomListPort::IsOpen() const
{
    return CDayZoomList::Current() != nullptr;
}

void CZoomListPort::TakeFocus()
{
    if (CDayZoomList *list = CDayZoomList::Current())
        list->setFocus();
}
