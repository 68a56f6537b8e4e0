// The right-to-left reading switch.
#include "core/system/ReadingOrder.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QLocale>

namespace {
bool g_rightToLeft = false;
constexpr int kNotStored = -1;
} // namespace

void SettleReadingOrder(const QLocale &userLocale)
{
    const int stored = GetProfileInt(ConstName::Common, ConstName::RTL, kNotStored);
    if (stored != kNotStored)
        g_rightToLeft = stored == 1;
    else // Qt lays out right-to-left text everywhere, so the system always has the support
        g_rightToLeft = userLocale.language() == QLocale::Hebrew;
}

void SettleReadingOrder()
{
    SettleReadingOrder(QLocale());
}

bool IsRightToLeftReading()
{
    return g_rightToLeft;
}
