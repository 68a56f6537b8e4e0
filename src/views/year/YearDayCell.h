// The year grid's day cells are the month grid cells of the toolkit.
#pragma once

#include "toolkit/navigator/NavigatorDay.h"

using CYearDayEntry = CNavigatorDayEntry;
using CYearDayEntryArray = CNavigatorDayEntryArray;
using CYearDayCell = CNavigatorDay;
