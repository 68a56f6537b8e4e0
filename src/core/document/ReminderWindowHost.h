// The reminder windows as the document sees them: each knows its item's record id; the host
// creates them and lists them topmost first (the shell keeps that order itself).
#pragma once

#include "core/dates/DateTime.h"

#include <cstdint>
#include <vector>

class CItemRef;

class IReminderWindow
{
  public:
    virtual ~IReminderWindow() = default;
    virtual std::uint32_t GetRecordId() const = 0;
    virtual bool IsMinimised() const = 0;
    virtual void Enable(bool enable) = 0;
    // The current time for the window's countdown; non-zero stops the walk over the windows.
    virtual int TimeTick(const CDateTime &now) = 0;
    virtual void Close() = 0;
};

class IReminderWindowHost
{
  public:
    virtual ~IReminderWindowHost() = default;
    // Creates the window for the held item (the host may take the item); false on failure.
    virtual bool CreateReminder(CItemRef &holder) = 0;
    // The open reminder windows, topmost first.
    virtual std::vector<IReminderWindow *> GetWindows() const = 0;
};
