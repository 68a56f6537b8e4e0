// CDialogContainerPrompts: the container's prompts as the program shows them: the occurrence-or-
// series prompt and Go To Date as modal dialogs with the reminder windows held, the keyboard's
// Shift state and the wait cursor.
#pragma once

#include "containers/base/ContainerPorts.h"

class CDialogContainerPrompts : public IContainerPrompts
{
  public:
    OccurrenceChoice AskOccurrenceOrSeries(int kind, int mode, const QString &subject,
                                           QWidget *parent) override;
    bool AskGoToDate(CDateTime &date, QWidget *parent) override;
    bool IsShiftHeld() const override;
    void SetWaitCursor(bool on) override;

  private:
    int m_waitDepth = 0;
};
