// The entries of a colour combo box and its selection rules, without the window: one entry per
// offered colour, then "Default", then, when custom colours are allowed, "Custom..." holding the
// current custom colour.
#pragma once

#include "core/lists/ColorRules.h"

#include <vector>

class CColorEntryList
{
  public:
    // The item data of the "Default" entry.
    static constexpr COLORREF kDefaultColor = 0xFF000000;

    // Replaces the entries: `count` colours (none when `colours` is null or count is not positive),
    // "Default", and "Custom..." holding `customStart` when custom colours are allowed.
    void Fill(const COLORREF *colours, int count, bool customAllowed, COLORREF customStart);

    int Count() const { return int(m_data.size()); }
    bool CustomAllowed() const { return m_customAllowed; }
    // Item data of entry `index`; the "none" colour outside the list.
    COLORREF Data(int index) const;
    bool IsDefault(int index) const { return index == DefaultIndex(); }
    bool IsCustom(int index) const { return m_customAllowed && index >= 0 && index == Count() - 1; }
    int DefaultIndex() const { return Count() - (m_customAllowed ? 2 : 1); }

    // The entry to select for a colour: the first entry before the last with that item data;
    // otherwise the last entry, which takes the colour as its item data when it is "Custom...".
    // -1 for an empty list.
    int Select(COLORREF colour);
    // The colour of entry `index` ("Default" gives 0xFF000000); `none` when nothing is selected.
    COLORREF ColorAt(int index, COLORREF none) const;
    // Stores a chosen custom colour in the "Custom..." entry; false without one.
    bool SetCustomColor(COLORREF colour);

    // The text colour on a colour's swatch: its inverse, unless the two are too close in
    // brightness to read (middle greys and the like), then black or white.
    static COLORREF TextColorOn(COLORREF colour);

  private:
    std::vector<COLORREF> m_data;
    bool m_customAllowed = false;
};
