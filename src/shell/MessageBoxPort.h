// CMessageBoxPort: the core's message boxes as QMessageBox, captioned with the program name.
#pragma once

#include "core/document/MessagePort.h"

class CMessageBoxPort : public IMessagePort
{
  public:
    int ShowMessageBox(const MessageBoxRequest &request) override;
    void Beep() override;
};
