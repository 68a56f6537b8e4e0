// CDateNavigatorSettings: what the Customize Date Navigator dialog shows and writes in
// "Calendar". The change flag on OK tells the main window to fit the Date Navigator bar again.
#pragma once

#include "containers/customize/CustomColors.h"
#include "containers/customize/FontChoice.h"

class CDateNavigatorSettings
{
  public:
    // The colour for days with events defaults to the look's window-text colour, handed in.
    explicit CDateNavigatorSettings(COLORREF defaultBusyColor) : m_defaultBusy(defaultBusyColor) {}

    void Load();
    // Writes the values; "UF", "CY" and "ITC" only while the default colour for days with
    // events is on. True when something the navigator draws with changed (the font included).
    bool Save() const;

    // Unchecking the default colour clears the two boxes that depend on it.
    void SetBusyDefault(bool on);
    bool BusyOptionsEnabled() const { return busyDefault; }

    CFontChoice font{6, 18};
    CCustomColors::Colors customColors = CCustomColors::White();
    bool weekNumbers = true;
    bool busyDefault = true; // "BD"
    bool useFilters = true;
    COLORREF busyColor = 0;
    bool itemTypeColors = true;

  private:
    COLORREF m_defaultBusy;
};
