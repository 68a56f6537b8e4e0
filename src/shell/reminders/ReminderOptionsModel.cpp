// The Reminder Options dialog's state.
#include "shell/reminders/ReminderOptionsModel.h"

#include "core/items/CalendarItem.h"

CReminderOptionsModel::CReminderOptionsModel(CCalendarItem &item, const CReminderSound *typeSound,
                                             bool alwaysOnTop, bool readOnly, CRecentSounds::ExistsFn exists)
    : m_item(item), m_sound(std::move(exists)), m_isEvent(item.GetKind() == CCalendarItem::KindEvent),
      m_alwaysOnTop(alwaysOnTop), m_readOnly(readOnly)
{
    m_noWindow = item.HasFlag(kNoWindowAfterTime);
    m_topmost = alwaysOnTop || item.HasFlag(kTopmost);
    m_custom = item.HasFlag(CCalendarItem::FlagOwnSound);
    if (m_custom)
        m_sound.Init(item.GetReminderSound());
    else if (typeSound)
        m_sound.Init(*typeSound);
    else
        m_sound.Init(CReminderSound());
    m_sound.SetCustomSwitch(true, m_custom);
}

void CReminderOptionsModel::SetCustomSound(bool on)
{
    m_custom = on;
    m_sound.SetCustomSwitch(true, on);
}

bool CReminderOptionsModel::Apply()
{
    CReminderSound record;
    if (m_custom && m_sound.BuildRecord(record, false) != CSoundChoice::OkResult::Ok)
        return false;
    m_item.SetFlag(kNoWindowAfterTime, m_noWindow);
    m_item.SetFlag(kTopmost, m_topmost);
    if (m_custom)
        m_item.SetReminderSound(true, record);
    else
        m_item.SetFlag(CCalendarItem::FlagOwnSound, false);
    return true;
}
