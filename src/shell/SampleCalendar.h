// The sample content of the first data file: a week of ordinary appointments, a few series
// and tasks around today, so that a new user sees every view with something in it.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"

class CCalendarDocument;

// Stores the sample events and tasks in the open data file of `document`, placed around
// `today`. Returns the first failure of a store (the items stored before it stay).
HRESULT FillSampleCalendar(CCalendarDocument &document, const CDateTime &today);

// Creates the data file at `path` with `title` and an empty password and fills it with the
// sample content. Nothing happens when a file is already there; false when it could not be made.
bool CreateSampleDataFile(const QString &path, const QString &title, const CDateTime &today);
