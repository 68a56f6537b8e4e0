// CReminderSound: which sound a reminder window plays and whether it repeats.
#pragma once

#include <QString>
#include <cstdint>

class CReminderSound
{
  public:
    enum Mode : std::uint8_t
    {
        NoSound = 0,
        DefaultBeep = 1,
        SoundFile = 2
    };
    static constexpr std::uint8_t RepeatFlag = 0x10;
    static constexpr std::uint8_t ModeMask = 0x03;

    CReminderSound() = default;
    CReminderSound(const CReminderSound &other) noexcept { *this = other; }
    // Copies flags, delay and path; the spare byte stays this record's own.
    CReminderSound &operator=(const CReminderSound &other);
    // Flags, delay and path (case matters); the spare byte does not count.
    bool operator==(const CReminderSound &other) const;
    bool operator!=(const CReminderSound &other) const { return !(*this == other); }

    std::uint8_t GetFlags() const { return m_flags; }
    void SetFlags(std::uint8_t flags) { m_flags = flags; }
    int GetMode() const { return m_flags & ModeMask; }
    void SetMode(int mode) { m_flags = std::uint8_t((m_flags & ~ModeMask) | (mode & ModeMask)); }
    bool GetRepeat() const { return (m_flags & RepeatFlag) != 0; }
    void SetRepeat(bool on) { m_flags = on ? (m_flags | RepeatFlag) : (m_flags & ~RepeatFlag); }
    std::uint8_t GetSpare() const { return m_spare; }
    void SetSpare(std::uint8_t spare) { m_spare = spare; }
    std::uint8_t GetRepeatMinutes() const { return m_minutes; }
    std::uint8_t GetRepeatSeconds() const { return m_seconds; }
    void SetRepeatDelay(std::uint8_t minutes, std::uint8_t seconds)
    {
        m_minutes = minutes;
        m_seconds = seconds;
    }
    const QString &GetPath() const { return m_path; }
    void SetPath(const QString &path) { m_path = path; }

    // One line for the editors: "Default Beep", the sound file's name or "No sound", followed
    // by the repeat delay when the sound repeats.
    QString GetDescription() const;

  private:
    std::uint8_t m_flags = 0;
    std::uint8_t m_spare = 0;
    std::uint8_t m_minutes = 0;
    std::uint8_t m_seconds = 30;
    QString m_path;
};
