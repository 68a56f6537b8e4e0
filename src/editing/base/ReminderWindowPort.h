// IReminderWindowPort: what the item editors ask of the open reminder windows, by item key
// (kind and record id; the occurrence does not matter, one window shows one item): whether the
// item's window is open, holding it disabled while its editor runs, and closing it. The shell's
// reminder windows implement it; without one (null) the editors behave as if none were open.
#pragma once

#include "editing/base/ItemKey.h"

class QWidget;

class IReminderWindowPort
{
  public:
    virtual ~IReminderWindowPort() = default;
    virtual bool IsReminderWindowOpen(const CItemKey &key) const = 0;
    // The window itself (for centring an editor on its screen), null when none is open.
    virtual QWidget *GetReminderWindow(const CItemKey &key) const = 0;
    // An editor of the item opened (hold) or closed: the item's window is disabled whole while
    // held, and enabled again afterwards.
    virtual void HoldReminderWindow(const CItemKey &key, bool hold) = 0;
    virtual void CloseReminderWindow(const CItemKey &key) = 0;
};
