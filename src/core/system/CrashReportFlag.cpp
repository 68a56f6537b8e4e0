// The crash-report-in-progress flag.
#include "core/system/CrashReportFlag.h"

#include <atomic>

namespace {
std::atomic<bool> g_inProgress{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");
} // namespace

void SetCrashReportInProgress(bool inProgress)
{
    g_inProgress.store(inProgress);
}
bool IsCrashReportInProgress()
{
    return g_inProgress.load();
}
