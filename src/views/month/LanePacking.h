// Packing of day-spanning bars into lanes, shared by the month view, the week grid and the
// all-day banner (and their print renderers).
#pragma once

#include "views/base/CalendarViewCtrl.h"

#include <QRect>
#include <cstdint>
#include <vector>

// True when the two boxes share columns (right edges exclusive) and, with `sameRow`, start at
// the same top.
bool SpansOverlap(const QRect &a, const QRect &b, bool sameRow);

// Last index of the cluster that starts at `first`: the run of consecutive entries in which each
// entry after the first overlaps, on the same row, at least one earlier entry of the run.
int ClusterEnd(const CCalendarViewCtrl::EntryList &entries, int first);

// Places every entry of the cluster [first, last] that is neither dragged away nor placed yet
// (top equal to bottom) into lanes of `laneStep` pixels from the first entry's top, each entry in
// the first lane where it overlaps nothing placed before it in that lane. No lower bound: every
// entry gets a lane.
void FillBannerLanes(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep);

// The same with a floor: a lane whose bottom would reach `limit` is not opened. True when every
// entry got a lane; false leaves the rest unplaced.
bool FillBoundedLanes(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep,
                      int limit);

// After a bounded fill that ran out of room: sets `overflowBit` in the marks of every cell that
// an entry of the cluster [first, last] covers without having got a lane (dragged entries aside).
void MarkUnplacedCells(const CCalendarViewCtrl::EntryList &entries, int first, int last,
                       std::vector<std::uint8_t> &marks, std::uint8_t overflowBit);
