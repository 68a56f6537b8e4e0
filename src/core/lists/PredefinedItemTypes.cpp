// The predefined item types.
#include "core/lists/PredefinedItemTypes.h"

#include "core/lists/ItemTypeArt.h"
#include "core/system/ProgramPaths.h"
#include "core/system/StringTable.h"

#include <iterator>

namespace {
// clang-format off
constexpr PredefinedItemType kTypes[] = {
    {58004, 0x169, 0,    0x400080, 0xA4A2FB, 0xFFFFFF, 0x0000FF, "Alarm.wav"},
    {58006, 0xE9,  1440, 0x000000, 0x3FC7FF, 0xFFFFFF, 0x008080, "Title.wav"},
    {58005, 0xF9,  5,    0x008000, 0x7DEF9C, 0xFFFFFF, 0x800000, "Notify.wav"},
    {58007, 0xE9,  1440, 0xFFFFFF, 0xFF80FF, 0xFFFFFF, 0xFF00FF, "Fanfare3.wav"},
    {58009, 0xE9,  0,    0xFFFFFF, 0x0080FF, 0xFFFFFF, 0x800080, "Title.wav"},
    {58049, 0x69,  0,    0x808040, 0xC0DCC0, 0x00FFFF, 0x808000, nullptr},
    {58010, 0xE9,  10,   0x0043CE, 0xACD9FF, 0x000000, 0xC0C0C0, "Tinkle.wav"},
    {58048, 0xE9,  1440, 0x0057AE, 0x42E5FE, 0x000000, 0x00FF00, "Alert.wav"},
    {58008, 0x69,  0,    0x0000FF, 0xBCFFFF, 0x000080, 0x00FFFF, "Phone.wav"},
    {58052, 0x69,  1440, 0x800040, 0xE4A9BD, 0x800000, 0xC0C0C0, "Reville.wav"},
    {58050, 0x69,  0,    0xFFFFFF, 0xFCC20E, 0xFFFFFF, 0xFF0000, ""},
};
// clang-format on
} // namespace

std::span<const PredefinedItemType> PredefinedItemTypes()
{
    return kTypes;
}

CItemType MakePredefinedItemType(const PredefinedItemType &row, bool highColor)
{
    CItemType type(LoadResString(row.nameId));
    type.SetFlags(row.flags);
    type.SetReminderLead(CDateSpan(0, 0, row.leadMinutes, 0));
    type.SetTextColor(highColor ? row.textHigh : row.textLow);
    type.SetFillColor(highColor ? row.fillHigh : row.fillLow);
    CReminderSound &sound = type.GetSound();
    if (row.soundFile == nullptr) {
        sound.SetMode(CReminderSound::NoSound);
    } else if (*row.soundFile == '\0') {
        sound.SetMode(CReminderSound::DefaultBeep);
    } else {
        const QString fileName = QString::fromLatin1(row.soundFile);
        QString path;
        if (GetProgramFolder(QStringLiteral("Sounds"), fileName, path)) {
            if (const IItemTypeArt *art = GetItemTypeArt())
                art->InstallSound(fileName, path);
            sound.SetMode(CReminderSound::SoundFile);
            sound.SetPath(path);
        }
    }
    return type;
}

bool IsPredefinedNameWithFlag(const QString &name, std::uint32_t flag)
{
    for (const PredefinedItemType &row : kTypes) {
        if ((row.flags & flag) != 0 && LoadResString(row.nameId) == name)
            return true;
    }
    return false;
}
