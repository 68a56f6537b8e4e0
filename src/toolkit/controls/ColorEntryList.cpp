// Colour combo entries and their selection rules.
#include "toolkit/controls/ColorEntryList.h"

#include <cstdlib>

void CColorEntryList::Fill(const COLORREF *colours, int count, bool customAllowed, COLORREF customStart)
{
    m_data.clear();
    m_customAllowed = customAllowed;
    if (colours && count > 0)
        m_data.assign(colours, colours + count);
    m_data.push_back(kDefaultColor);
    if (customAllowed)
        m_data.push_back(customStart);
}

COLORREF CColorEntryList::Data(int index) const
{
    return index >= 0 && index < Count() ? m_data[std::size_t(index)] : kNoColor;
}

int CColorEntryList::Select(COLORREF colour)
{
    const int last = Count() - 1;
    if (last < 0)
        return -1;
    for (int i = 0; i < last; ++i) {
        if (m_data[std::size_t(i)] == colour)
            return i;
    }
    if (m_customAllowed)
        m_data[std::size_t(last)] = colour;
    return last;
}

COLORREF CColorEntryList::ColorAt(int index, COLORREF none) const
{
    return index >= 0 && index < Count() ? m_data[std::size_t(index)] : none;
}

bool CColorEntryList::SetCustomColor(COLORREF colour)
{
    if (!m_customAllowed || m_data.empty())
        return false;
    m_data.back() = colour;
    return true;
}

namespace {
int Brightness(COLORREF c)
{
    return (ColorRed(c) * 299 + ColorGreen(c) * 587 + ColorBlue(c) * 114) / 1000;
}
} // namespace

COLORREF CColorEntryList::TextColorOn(COLORREF colour)
{
    colour &= 0xFFFFFF;
    const COLORREF inverse = colour ^ 0xFFFFFF;
    if (std::abs(Brightness(colour) - Brightness(inverse)) >= 96)
        return inverse;
    return Brightness(colour) >= 128 ? kBlack : kWhite;
}
