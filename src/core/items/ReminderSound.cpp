// Reminder sound record: copy, comparison and its one-line description.
#include "core/items/ReminderSound.h"

#include "core/system/PrintfText.h"
#include "core/system/StringTable.h"

#include <algorithm>

CReminderSound &CReminderSound::operator=(const CReminderSound &other)
{
    m_flags = other.m_flags;
    m_minutes = other.m_minutes;
    m_seconds = other.m_seconds;
    m_path = other.m_path;
    return *this;
}

bool CReminderSound::operator==(const CReminderSound &other) const
{
    return m_flags == other.m_flags && m_minutes == other.m_minutes && m_seconds == other.m_seconds &&
           m_path == other.m_path;
}

QString CReminderSound::GetDescription() const
{
    QString text;
    switch (GetMode()) {
    case DefaultBeep:
        text = LoadResString(59176);
        break;
    case SoundFile: {
        // Paths written on either system may reach us, so both separators end a folder name.
        const qsizetype cut =
            std::max(m_path.lastIndexOf(QLatin1Char('\\')), m_path.lastIndexOf(QLatin1Char('/')));
        text = cut < 0 ? m_path : m_path.mid(cut + 1);
        break;
    }
    default:
        text = LoadResString(59175);
        break;
    }
    if (GetRepeat())
        text += PrintfText(LoadResString(59179), {int(m_minutes), int(m_seconds)});
    return text;
}
