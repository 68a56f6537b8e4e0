// CItemTypeEditor: the item type editor without its window: the record copy being edited, the
// name checks of OK, the flags rebuilt from the check boxes, the font sample and sound texts and
// the colour dialog's 16 custom colours shared through the settings.
#pragma once

#include "core/lists/ColorRules.h"
#include "core/lists/ItemType.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// The check boxes of the editor.
struct ItemTypeChecks
{
    bool ownColors = false;         // "Use custom colours"
    bool ownFont = false;           // "Use custom font"
    bool noWindowAfterTime = false; // don't show the reminder when the item's time is over
    bool synchronise = false;       // synchronise with handheld
    bool busyDays = false;          // display items in the Date Navigator
};

class CItemTypeEditor
{
  public:
    // Flags the editor sets from its check boxes; 0x08, 0x10 and 0x100 are kept; the rest cleared.
    static constexpr std::uint32_t kFlagSynchronise = 0x20;
    static constexpr std::uint32_t kKeptFlags = 0x08 | 0x10 | 0x100;
    using CustomColors = std::array<COLORREF, 16>;

    // `typeNames`: the names of the list's types in index order, for the duplicate check;
    // `index`: the edited type's place in it, -1 for a new type.
    CItemTypeEditor(const QStringList &typeNames, const CItemType &type, int index);

    CItemType &Type() { return m_type; }
    const CItemType &Type() const { return m_type; }
    int Index() const { return m_index; }
    ItemTypeChecks ChecksFromFlags() const;

    // OK's name check: 0 when the trimmed name is usable, else the message id (58039 empty,
    // 58040 another type's name, case aside).
    int CheckName(const QString &name) const;
    // OK: the lead, the rebuilt flags and the trimmed name go into the record; the gradient
    // colours follow the background.
    void Apply(const QString &name, const CDateSpan &lead, const ItemTypeChecks &checks);
    static std::uint32_t RebuildFlags(std::uint32_t old, const ItemTypeChecks &checks);

    // "Face (N pt.)" of a record font at a screen resolution.
    static QString FontSampleText(const LogFont &font, int dpi);
    // The sound's description, with " < not found >" for a sound file that does not exist.
    static QString SoundText(const CReminderSound &sound);

    // The colour dialog's custom colours: white, or "Common"/"CCS" when it holds exactly 64 bytes.
    static CustomColors LoadCustomColors();
    static bool SaveCustomColors(const CustomColors &colors);

  private:
    QStringList m_names;
    CItemType m_type;
    int m_index;
};
