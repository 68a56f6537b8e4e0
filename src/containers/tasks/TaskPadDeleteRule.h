// CTaskPadDeleteRule: the question the TaskPad asks before it deletes its selected tasks.
#pragma once

#include <QString>
#include <vector>

class CDisplayItem;

class CTaskPadDeleteRule
{
  public:
    enum class Step
    {
        Delete, // no question
        Ask,    // a Yes/No question; anything but Yes stops
        Refuse  // a warning, then nothing
    };
    // With the confirm-deletion option off nothing is asked. One locked task is refused with its
    // subject; one recurring task of an open series is handed on (the container asks about the
    // occurrence); one other task is asked about by subject, several by count.
    static Step Decide(const std::vector<const CDisplayItem *> &tasks, bool confirmDeletion, QString &text);
};
