// CYearViewSettings: what the Customize dialog of the Year view shows and writes.
#pragma once

#include "containers/customize/CustomColors.h"
#include "containers/customize/FontChoice.h"

class CYearViewSettings
{
  public:
    static constexpr COLORREF kDefaultBackground = 0xFF000000;

    // The colour for days with events defaults to the look's highlight colour, handed in.
    explicit CYearViewSettings(COLORREF defaultBusyColor) : m_defaultBusy(defaultBusyColor) {}

    void Load();
    void Save() const;

    CFontChoice font{6, 24};
    CCustomColors::Colors customColors = CCustomColors::White();
    COLORREF background = kDefaultBackground;
    bool weekNumbers = true;
    bool autosizing = true;
    bool rememberFilter = false;
    bool itemTypeColors = true;
    COLORREF busyColor = 0;

  private:
    COLORREF m_defaultBusy;
};
