// The view kinds of the containers and the ranges in which the container code tests them, the
// settings section of each kind, and the result codes that count as success after a reload.
#pragma once

#include "core/system/ResultCode.h"

namespace ViewKind {
inline constexpr int None = 0;
inline constexpr int Day = 1;
inline constexpr int MultiDay = 2;
inline constexpr int Week = 3;
inline constexpr int Month = 4;
inline constexpr int Year = 5;
inline constexpr int EventList = 6;
inline constexpr int Tasks = 7;
inline constexpr int Search = 8;
inline constexpr int WebMonth = 9;

// The TaskPad stands beside these views and takes part in their updates and counts.
inline bool HasTaskPad(int kind)
{
    return kind >= Day && kind <= Month;
}
// These views hand their filter to the Date Navigator and repaint it after a filter change.
inline bool FeedsNavigator(int kind)
{
    return kind >= Day && kind <= Year;
}
// The list views: no Today, no Go to Date, no previous or next period.
inline bool IsList(int kind)
{
    return kind >= EventList && kind <= Search;
}
// The fixed name table index of the kind's settings section; 33 ("Common") for kind 0.
int SectionIndexOf(int kind);
} // namespace ViewKind

// Results that count as success after a reload, a filter resolution or a search: 0, 1 and
// 0x80040500 to 0x80040509. Any other code goes to the session error handling.
inline bool IsReloadSuccess(HRESULT code)
{
    const auto u = static_cast<unsigned int>(code);
    return u == 0 || u == 1 || (u >= 0x80040500u && u <= 0x80040509u);
}
