// CPreviewPanePort: the containers' view of the preview pane the main base window created.
#pragma once

#include "containers/base/ContainerPorts.h"

class CPreviewPanePort : public IDetailsPanePort
{
  public:
    bool IsVisible() const override;
    int GetShownKind() const override;
    std::uint32_t GetShownRecordId() const override;
    void ShowItem(const CCalendarItem *item, const CDateTime &occurrence) override;
    bool CanTakeFocus() const override;
    void TakeFocus() override;
};
