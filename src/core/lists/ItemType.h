// CItemType: a named style that events and tasks carry (colours, font, reminder lead and sound),
// and its stored record.
#pragma once

#include "core/lists/ColorRules.h"
#include "core/dates/DateTime.h"
#include "core/lists/LogFont.h"
#include "core/items/ReminderSound.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <cstdint>

class CArchiveReader;
class CArchiveWriter;

class CItemType
{
  public:
    // Flag bits this program reads; the others are stored and copied unchanged for the editors.
    static constexpr std::uint32_t kFlagOwnColors = 0x01;         // views draw items in the type's colours
    static constexpr std::uint32_t kFlagOwnFont = 0x02;           // views draw items in the type's font
    static constexpr std::uint32_t kFlagNoWindowAfterTime = 0x04; // copied to items as their flag 0x40
    static constexpr std::uint32_t kFlagDefaultEvent = 0x10;      // default type of new events
    static constexpr std::uint32_t kFlagConverted =
        0x20;                                            // set on every type of a converted first-format file
    static constexpr std::uint32_t kFlagBusyDays = 0x80; // the Date Navigator marks days with such items
    static constexpr std::uint32_t kFlagDefaultTask = 0x100; // default type of new tasks
    static constexpr std::uint32_t kNewFlags = 0x68;

    static constexpr std::uint32_t kTag = 0x01505954; // bytes "TYP" and version 1
    static constexpr int kReservedBytes = 44 + 20;
    static constexpr int kMaxNameLength = 63;

    CItemType();
    explicit CItemType(const QString &name);

    std::uint32_t GetFlags() const { return m_flags; }
    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    bool HasFlag(std::uint32_t flag) const { return (m_flags & flag) != 0; }
    const QString &GetName() const { return m_name; }
    // Cuts the name to 63 characters, as items keep their type's name.
    void SetName(const QString &name);
    const CDateSpan &GetReminderLead() const { return m_reminderLead; }
    void SetReminderLead(const CDateSpan &lead) { m_reminderLead = lead; }
    COLORREF GetTextColor() const { return m_textColor; }
    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    COLORREF GetFillColor() const { return m_fillColor; }
    // Also recomputes the light and dark shades.
    void SetFillColor(COLORREF colour);
    const LogFont &GetFont() const { return m_font; }
    void SetFont(const LogFont &font) { m_font = font; }
    const CReminderSound &GetSound() const { return m_sound; }
    CReminderSound &GetSound() { return m_sound; }
    void SetSound(const CReminderSound &sound) { m_sound = sound; }
    // The light and dark shades of the fill colour, for gradients.
    GradientPair GetGradientColors() const { return m_shades; }

    // Reads one record; the 64 reserved bytes are there in files of formats later than 0x10001.
    // A wrong tag or data that ends early gives QV_E_INTERNAL and leaves the type unchanged.
    HRESULT Read(CArchiveReader &ar, bool withReserved);
    // Writes the record of the current format.
    void Write(CArchiveWriter &ar) const;

    // Stored fields equal (the sound's spare byte is not one of them).
    bool operator==(const CItemType &other) const;

  private:
    std::uint32_t m_flags = kNewFlags;
    QString m_name;
    CDateSpan m_reminderLead;
    COLORREF m_textColor = 0;
    COLORREF m_fillColor = 0;
    LogFont m_font;
    CReminderSound m_sound;
    GradientPair m_shades;
};
