// A route target for widget tests: runs every command it is offered, records the order, and
// reports the commands the test disabled or checked.
#pragma once

#include "toolkit/commands/CommandTarget.h"

#include <set>
#include <utility>
#include <vector>

class RecordingTarget : public ICommandTarget
{
  public:
    RecordingTarget(std::set<int> disabledIds, std::set<int> checkedIds)
        : disabled(std::move(disabledIds)), checked(std::move(checkedIds))
    {
    }
    bool OnCommand(int id) override
    {
        ran.push_back(id);
        return true;
    }
    bool OnUpdateCommand(int id, CCmdUI &ui) override
    {
        ui.Enable(!disabled.count(id));
        ui.SetCheck(checked.count(id) != 0);
        return true;
    }

    std::vector<int> ran;
    std::set<int> disabled;
    std::set<int> checked;
};
