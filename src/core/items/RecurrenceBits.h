// Bits of the 32-bit recurrence word of a calendar item: weekdays, period, kind, week of month
// and the end-date flag. Weekday bits are 1 shifted left by the day of week (1 Sunday .. 7 Saturday).
#pragma once

#include <cstdint>

namespace Recur {
inline constexpr std::uint32_t Sunday = 0x02;
inline constexpr std::uint32_t Monday = 0x04;
inline constexpr std::uint32_t Tuesday = 0x08;
inline constexpr std::uint32_t Wednesday = 0x10;
inline constexpr std::uint32_t Thursday = 0x20;
inline constexpr std::uint32_t Friday = 0x40;
inline constexpr std::uint32_t Saturday = 0x80;
inline constexpr std::uint32_t WeekdayMask = 0xFE;

inline constexpr std::uint32_t Daily = 0x100;
inline constexpr std::uint32_t Weekly = 0x200;
inline constexpr std::uint32_t Monthly = 0x400;
inline constexpr std::uint32_t Yearly = 0x800;
inline constexpr std::uint32_t PeriodMask = 0xF00;

inline constexpr std::uint32_t ByDate = 0x1000;     // every N periods, by date
inline constexpr std::uint32_t NthWeekday = 0x2000; // the nth weekday of the month
inline constexpr std::uint32_t Regenerate = 0x4000; // tasks: counted from the day of completion
inline constexpr std::uint32_t KindMask = 0xF000;

inline constexpr std::uint32_t First = 0x10000;
inline constexpr std::uint32_t Second = 0x20000;
inline constexpr std::uint32_t Third = 0x40000;
inline constexpr std::uint32_t Fourth = 0x80000;
inline constexpr std::uint32_t Last = 0x100000;
inline constexpr std::uint32_t NthMask = 0x1F0000;

inline constexpr std::uint32_t HasEndDate = 0x2000000;

// The weekday bit of a day of week (1 Sunday .. 7 Saturday).
constexpr std::uint32_t WeekdayBit(int dayOfWeek)
{
    return std::uint32_t(1) << dayOfWeek;
}
} // namespace Recur
