// CSoundChoice: the sound controls of the Reminder Options and Setup Sound dialogs without a
// window: the mode (no sound, default beep, sound file), the recent-file list and its selection,
// the repeat and its pause, which controls are enabled, and the record OK writes.
#pragma once

#include "core/items/ReminderSound.h"
#include "shell/sound/RecentSounds.h"

#include <cstdint>

// Which sound controls are enabled.
struct SoundControls
{
    bool modes = true; // the three radio buttons
    bool fileList = false;
    bool browse = false;
    bool play = false;
    bool repeat = false;
    bool pause = false; // the pause label, both numbers and their units
};

class CSoundChoice
{
  public:
    static constexpr int kMaxMinutes = 99;
    static constexpr int kMaxSeconds = 59;

    enum class OkResult
    {
        Ok,
        NeedFile, // "Sound file" without a file: beep, warn and stay
    };

    explicit CSoundChoice(CRecentSounds::ExistsFn exists = {});

    // Takes the record's mode, repeat and pause, loads the recent list and adds its path.
    void Init(const CReminderSound &record);

    int GetMode() const { return m_mode; }
    // Choosing "No sound" unchecks Repeat.
    void SetMode(int mode);
    bool GetRepeat() const { return m_repeat; }
    void SetRepeat(bool on);
    int GetMinutes() const { return m_minutes; }
    int GetSeconds() const { return m_seconds; }
    // Numbers above the limits are cut to them (as leaving the field does).
    void SetMinutes(int minutes);
    void SetSeconds(int seconds);
    // The Reminder Options switch "Use custom sound options": off disables every sound control.
    void SetCustomSwitch(bool present, bool on);
    bool IsCustom() const { return !m_hasCustomSwitch || m_custom; }

    CRecentSounds &Recent() { return m_recent; }
    const CRecentSounds &Recent() const { return m_recent; }
    QString SelectedPath() const { return m_recent.PathOfRow(m_recent.SelectedRow()); }

    SoundControls Controls() const;
    // The interval Play repeats with: 0 without Repeat; 0 min 0 sec count as one second.
    std::uint32_t PlayIntervalMs() const;

    // Reminder Options: a new record from the default. Setup Sound (inPlace): the record's
    // mode and spare byte are rewritten (the repeat bit goes with them), the path is replaced
    // only for a sound file, and the pause kept without Repeat. A sound file saves the recent
    // list.
    OkResult BuildRecord(CReminderSound &record, bool inPlace) const;

  private:
    CRecentSounds m_recent;
    int m_mode = CReminderSound::NoSound;
    bool m_repeat = false;
    int m_minutes = 0;
    int m_seconds = 30;
    bool m_hasCustomSwitch = false;
    bool m_custom = true;
};
