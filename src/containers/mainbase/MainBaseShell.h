// IMainBaseShell: what the main base window asks of the main window around it: its info bar,
// message boxes, session errors and whether it is applying its saved placement.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>

class IMainBaseShell
{
  public:
    virtual ~IMainBaseShell() = default;
    virtual void SetInfoBarMode(int viewKind) = 0;
    virtual void SetInfoBarTitle(const QString &title) = 0;
    virtual void ShowInfoBarText(const QString &text) = 0;
    virtual void ShowWarningText(const QString &text) = 0;
    // Failing codes of filters, reloads and searches.
    virtual void HandleSessionError(HRESULT code) = 0;
    // Set while the main window applies its saved placement: layout waits.
    virtual bool IsLayoutSuspended() const = 0;
};
