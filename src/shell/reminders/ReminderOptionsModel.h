// CReminderOptionsModel: the Reminder Options dialog without its window: the two window
// options of the edited item, its own sound, and what OK writes into the item.
#pragma once

#include "shell/sound/SoundChoice.h"

#include <cstdint>

class CCalendarItem;

class CReminderOptionsModel
{
  public:
    static constexpr std::uint32_t kNoWindowAfterTime = 0x40;
    static constexpr std::uint32_t kTopmost = 0x1000;

    // typeSound: the sound of the item's item type, null when it has none. alwaysOnTop: "AOT".
    CReminderOptionsModel(CCalendarItem &item, const CReminderSound *typeSound, bool alwaysOnTop,
                          bool readOnly, CRecentSounds::ExistsFn exists = {});

    bool GetNoWindowAfterTime() const { return m_noWindow; }
    void SetNoWindowAfterTime(bool on) { m_noWindow = on; }
    // Only events have a time after which the window is left out.
    bool CanSetNoWindowAfterTime() const { return m_isEvent; }
    bool GetTopmost() const { return m_topmost; }
    void SetTopmost(bool on) { m_topmost = on; }
    // With "AOT" every reminder window is topmost: the box is checked and fixed.
    bool CanSetTopmost() const { return !m_alwaysOnTop; }
    bool GetCustomSound() const { return m_custom; }
    void SetCustomSound(bool on);
    bool CanSave() const { return !m_readOnly; }

    CSoundChoice &Sound() { return m_sound; }
    const CSoundChoice &Sound() const { return m_sound; }

    // OK: false (nothing written) while "Sound file" has no file.
    bool Apply();

  private:
    CCalendarItem &m_item;
    CSoundChoice m_sound;
    bool m_isEvent = false;
    bool m_alwaysOnTop = false;
    bool m_readOnly = false;
    bool m_noWindow = false;
    bool m_topmost = false;
    bool m_custom = false;
};
