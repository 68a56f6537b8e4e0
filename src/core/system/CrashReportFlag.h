// The process-wide "crash report in progress" flag: set by the crash reporter when it starts
// handling a crash; while it is set the reminder scan and the due check do nothing. Safe to
// set from a signal handler.
#pragma once

void SetCrashReportInProgress(bool inProgress);
bool IsCrashReportInProgress();
