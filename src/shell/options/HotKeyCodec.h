// CHotKeyCodec: the stored hot-key word and Qt's keys. The word keeps the system's virtual-key
// numbering in its low byte and the control's flags (1 Shift, 2 Ctrl, 4 Alt, 8 extended key)
// in its high byte, so that stored values mean the same key on every platform.
#pragma once

#include <QString>
#include <Qt>
#include <cstdint>

class CHotKeyCodec
{
  public:
    static constexpr std::uint16_t kShift = 0x100;
    static constexpr std::uint16_t kControl = 0x200;
    static constexpr std::uint16_t kAlt = 0x400;
    static constexpr std::uint16_t kExtended = 0x800;

    // The word of a pressed key; 0 for a key that has no virtual-key code (or a bare modifier).
    static std::uint16_t FromKey(int qtKey, Qt::KeyboardModifiers modifiers);
    // The hot-key control's rule: a key pressed without any modifier gets Ctrl+Alt.
    static std::uint16_t WithDefaultModifiers(std::uint16_t word);
    // "Ctrl+Alt+T" and the like; "None" for 0.
    static QString ToText(std::uint16_t word);
    // The Qt key of a virtual-key code; 0 when none.
    static int QtKeyOf(std::uint8_t virtualKey);
};
