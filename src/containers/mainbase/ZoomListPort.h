// CZoomListPort: the containers' view of the open zoom-day list.
#pragma once

#include "containers/base/ContainerPorts.h"

class CZoomListPort : public IZoomListPort
{
  public:
    bool IsOpen() const override;
    ICommandTarget *GetCommandTarget() const override { return nullptr; }
    void TakeFocus() override;
};
