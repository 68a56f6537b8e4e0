// CNavigatorPort: the containers' view of the Date Navigator beside them: the filter its busy
// days follow and its marks.
#pragma once

#include "containers/base/ContainerPorts.h"

class CNavigatorPort : public IDateNavigatorPort
{
  public:
    void SetFilter(const CActiveFilter &filter) override;
    void Repaint() override;
    void UpdateToday() override;
    bool WantsEvent(const CEventItem &summary) const override;
    void MarkBusyDays(const CEventItem &event) override;
    void SetSelection(const CDateTime &start, int unit, int count) override;
};
