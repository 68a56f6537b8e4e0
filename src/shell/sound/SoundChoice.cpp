// The sound controls' state and the record they make.
#include "shell/sound/SoundChoice.h"

#include <algorithm>

CSoundChoice::CSoundChoice(CRecentSounds::ExistsFn exists) : m_recent(std::move(exists)) {}

void CSoundChoice::Init(const CReminderSound &record)
{
    const int mode = record.GetMode();
    m_mode = mode == CReminderSound::DefaultBeep || mode == CReminderSound::SoundFile
                 ? mode
                 : CReminderSound::NoSound;
    m_repeat = record.GetRepeat();
    m_recent.Load();
    m_recent.Add(record.GetPath());
    m_minutes = record.GetRepeatMinutes();
    m_seconds = record.GetRepeatSeconds();
    SetMode(m_mode);
}

void CSoundChoice::SetMode(int mode)
{
    m_mode = mode;
    if (m_mode == CReminderSound::NoSound)
        m_repeat = false;
}

void CSoundChoice::SetRepeat(bool on)
{
    m_repeat = on && m_mode != CReminderSound::NoSound;
}

void CSoundChoice::SetMinutes(int minutes)
{
    m_minutes = std::clamp(minutes, 0, kMaxMinutes);
}

void CSoundChoice::SetSeconds(int seconds)
{
    m_seconds = std::clamp(seconds, 0, kMaxSeconds);
}

void CSoundChoice::SetCustomSwitch(bool present, bool on)
{
    m_hasCustomSwitch = present;
    m_custom = on;
}

SoundControls CSoundChoice::Controls() const
{
    SoundControls c;
    if (!IsCustom()) {
        c.modes = false;
        return c;
    }
    const bool file = m_mode == CReminderSound::SoundFile;
    c.fileList = file;
    c.browse = file;
    c.play = file;
    c.repeat = m_mode != CReminderSound::NoSound;
    c.pause = c.repeat && m_repeat;
    return c;
}

std::uint32_t CSoundChoice::PlayIntervalMs() const
{
    if (!m_repeat)
        return 0;
    if (m_minutes == 0 && m_seconds == 0)
        return 1000;
    return std::uint32_t(m_seconds) * 1000u + std::uint32_t(m_minutes) * 60000u;
}

CSoundChoice::OkResult CSoundChoice::BuildRecord(CReminderSound &record, bool inPlace) const
{
    const QString path = SelectedPath();
    if (m_mode == CReminderSound::SoundFile && path.isEmpty())
        return OkResult::NeedFile;

    CReminderSound out = inPlace ? record : CReminderSound();
    // The mode is written with the spare byte as one 16-bit value: the repeat bit goes.
    out.SetFlags(std::uint8_t(m_mode));
    out.SetSpare(0);
    if (m_mode == CReminderSound::SoundFile) {
        out.SetPath(path);
        m_recent.Save();
    }
    if (m_repeat) {
        int minutes = m_minutes;
        int seconds = m_seconds;
        if (minutes == 0 && seconds == 0)
            seconds = 1;
        out.SetRepeatDelay(std::uint8_t(minutes), std::uint8_t(seconds));
        out.SetRepeat(true);
    }
    record = out;
    if (inPlace)
        record.SetSpare(0);
    return OkResult::Ok;
}
