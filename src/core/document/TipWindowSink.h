// ITipWindowSink: the tray's list of upcoming reminders, kept in step with the queue while
// it is visible.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CReminderEntry;

class ITipWindowSink
{
  public:
    virtual ~ITipWindowSink() = default;
    virtual bool IsVisible() const = 0;
    virtual void AddEntry(const CReminderEntry &entry) = 0;
    virtual void RemoveEntry(std::uint32_t recordId) = 0;
    virtual void Refill(const std::vector<std::unique_ptr<CReminderEntry>> &queue) = 0;
};
