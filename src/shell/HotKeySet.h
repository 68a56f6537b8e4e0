// CHotKeySet: the five global hot keys of the tray frame. Each is stored as a 16-bit word:
// the low byte a key code (the system's virtual-key numbering, kept so stored values stay
// meaningful), the high byte the hot-key control's flags 1 Shift, 2 Ctrl, 4 Alt and 8 for an
// extended key. The extended flag only tells which physical key was pressed; it is never a
// modifier. Grabbing goes through an IHotKeyGrabber so that the rules can be tested.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace HotKeyId {
inline constexpr int Restore = 125;          // "HKMW"
inline constexpr int NewEvent = 127;         // "HKNE"
inline constexpr int NewTask = 128;          // "HKNT"
inline constexpr int MinimiseReminders = 129; // "HKMA"
inline constexpr int StopSounds = 130;       // "HKSA"
} // namespace HotKeyId

// A key and the modifiers that must be held with it.
struct HotKeyCombo
{
    std::uint8_t keyCode = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;

    bool operator==(const HotKeyCombo &) const = default;
    static HotKeyCombo FromWord(std::uint16_t word);
};

class IHotKeyGrabber
{
  public:
    virtual ~IHotKeyGrabber() = default;
    // False when global hot keys cannot be had at all on this display.
    virtual bool IsAvailable() const = 0;
    // False when the system refuses (another program holds the combination).
    virtual bool Grab(int id, const HotKeyCombo &combo) = 0;
    virtual void Release(int id, const HotKeyCombo &combo) = 0;
};

class CHotKeySet
{
  public:
    static constexpr std::array<int, 5> kIds = {HotKeyId::Restore, HotKeyId::NewEvent, HotKeyId::NewTask,
                                                HotKeyId::MinimiseReminders, HotKeyId::StopSounds};

    explicit CHotKeySet(IHotKeyGrabber &grabber) : m_grabber(grabber) {}

    // The settings value name of a hot key id ("HKMW", ...); empty for another id.
    static QString ValueName(int id);

    // Sets a hot key. A changed combination releases the old one first; when the new one is
    // refused the old one is taken back and the stored word stays as it was (false). Word 0
    // releases the key. A word that names the same key and modifiers changes nothing.
    bool SetHotKey(int id, std::uint16_t word);
    // Sets the key and, on success, stores the word under its settings name in "Common".
    bool ChangeHotKey(int id, std::uint16_t word);
    // Reads the five words from "Common" and grabs them (refused ones stay unset).
    void LoadFromSettings();
    // Releases every key (the frame closing).
    void ReleaseAll();

    std::uint16_t GetWord(int id) const;
    // The id whose combination this is; 0 when none.
    int FindId(const HotKeyCombo &combo) const;

  private:
    int Slot(int id) const;

    IHotKeyGrabber &m_grabber;
    std::array<std::uint16_t, 5> m_words{};
};
