// The hot-key words and their grabs.
#include "shell/HotKeySet.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

HotKeyCombo HotKeyCombo::FromWord(std::uint16_t word)
{
    HotKeyCombo combo;
    combo.keyCode = std::uint8_t(word & 0xFF);
    const int flags = word >> 8;
    combo.shift = flags & 1;
    combo.control = flags & 2;
    combo.alt = flags & 4;
    return combo;
}

QString CHotKeySet::ValueName(int id)
{
    switch (id) {
    case HotKeyId::Restore:
        return QStringLiteral("HKMW");
    case HotKeyId::NewEvent:
        return QStringLiteral("HKNE");
    case HotKeyId::NewTask:
        return QStringLiteral("HKNT");
    case HotKeyId::MinimiseReminders:
        return QStringLiteral("HKMA");
    case HotKeyId::StopSounds:
        return QStringLiteral("HKSA");
    default:
        return {};
    }
}

int CHotKeySet::Slot(int id) const
{
    for (std::size_t i = 0; i < kIds.size(); ++i)
        if (kIds[i] == id)
            return int(i);
    return -1;
}

std::uint16_t CHotKeySet::GetWord(int id) const
{
    const int slot = Slot(id);
    return slot < 0 ? 0 : m_words[slot];
}

bool CHotKeySet::SetHotKey(int id, std::uint16_t word)
{
    const int slot = Slot(id);
    if (slot < 0)
        return false;
    const std::uint16_t old = m_words[slot];
    const HotKeyCombo oldCombo = HotKeyCombo::FromWord(old);
    if (word == 0) {
        if (old != 0)
            m_grabber.Release(id, oldCombo);
        m_words[slot] = 0;
        return true;
    }
    const HotKeyCombo combo = HotKeyCombo::FromWord(word);
    if (old != 0 && combo == oldCombo) {
        m_words[slot] = word; // only the extended flag differs: the same grab
        return true;
    }
    if (!m_grabber.IsAvailable())
        return false;
    if (old != 0)
        m_grabber.Release(id, oldCombo);
    if (!m_grabber.Grab(id, combo)) {
        if (old != 0)
            m_grabber.Grab(id, oldCombo);
        return false;
    }
    m_words[slot] = word;
    return true;
}

bool CHotKeySet::ChangeHotKey(int id, std::uint16_t word)
{
    if (!SetHotKey(id, word))
        return false;
    WriteProfileInt(GetConstString(ConstName::Common), ValueName(id), word);
    return true;
}

void CHotKeySet::LoadFromSettings()
{
    for (int id : kIds)
        SetHotKey(id, std::uint16_t(GetProfileInt(GetConstString(ConstName::Common), ValueName(id), 0) & 0xFFFF));
}

void CHotKeySet::ReleaseAll()
{
    for (int id : kIds)
        SetHotKey(id, 0);
}

int CHotKeySet::FindId(const HotKeyCombo &combo) const
{
    for (std::size_t i = 0; i < kIds.size(); ++i)
        if (m_words[i] != 0 && HotKeyCombo::FromWord(m_words[i]) == combo)
            return kIds[i];
    return 0;
}
