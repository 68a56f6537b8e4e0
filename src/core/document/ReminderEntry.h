// CReminderEntry: one pending reminder of the document's queue.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <cstdint>

class CReminderEntry
{
  public:
    int kind = 0; // 1 event, 2 task
    std::uint32_t recordId = 0;
    int itemTypeIndex = -1;
    CDateTime occurrence; // scheduled start of the occurrence (or the task date) reminded of
    CDateTime due;        // when the reminder is to be shown
    QString subject;
    // Tells entries apart while the queue changes under a walk over it.
    std::uint64_t serial = 0;
};
