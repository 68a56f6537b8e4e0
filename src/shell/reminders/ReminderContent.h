// CReminderContent: what a reminder window shows and how it behaves for its item, computed
// without a window from the item, its item type, the settings and the time now: the subject
// line, the caption with its overdue or days-more mark, the occurrence's times, which buttons
// and menu entries it has, its font and colours, and its sound.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/ReminderSound.h"
#include "core/lists/ColorRules.h"
#include "core/lists/LogFont.h"

#include <QString>
#include <cstdint>

class CCalendarItem;
class CItemType;

// The settings a reminder window reads.
struct ReminderSettings
{
    bool subjectInCaption = true;        // "STB"
    bool hideDeleteForRecurring = false; // "HDB"
    bool soundOn = true;                 // "SoundE": the application's sound switch
    bool stopSoundAllowed = true;        // "USB"
    bool takeFocus = false;              // "GTF"
    bool alwaysOnTop = false;            // "AOT"
    bool bringToTop = true;              // "BTT"
    bool skipMinimised = true;           // "SMR"
    int cascadeX = 38;                   // "RWCX"
    int cascadeY = 19;                   // "RWCY"
    bool otherMonitor = false;           // "RWCM"
    int monitorNumber = 1;               // "RWCN"

    static ReminderSettings FromProgram();
};

enum class ReminderMark
{
    None,
    Overdue,
    DaysMore,
};

class CReminderContent
{
  public:
    // How far before the start the snooze's "before start" needs, in whole minutes (exclusive).
    static constexpr int kBeforeStartMinutes = 7;

    // Fills from the item (its reminder occurrence taken from its next-reminder occurrence) and
    // its item type (null: none found). Returns false for an item that is neither event nor task.
    bool Build(const CCalendarItem &item, const CItemType *type, const CDateTime &now,
               const ReminderSettings &settings);

    // The mark and the minutes until the start for an occurrence (the texts' arithmetic): the
    // minutes count from 1 minute 20 seconds before now, rounded half a second up.
    static ReminderMark MarkFor(const CDateTime &start, const CDateTime &end, const CDateTime &now, int &days,
                                int &minutesToStart);
    static QString MarkText(ReminderMark mark, int days);

    int kind = 0;
    std::uint32_t recordId = 0;
    CDateTime occurrenceDate;
    CDateTime occurrenceStart;
    CDateTime occurrenceEnd;
    QString subject;     // the item's (or the exception's) subject
    QString subjectLine; // subject, age and location
    QString location;
    QString notes;
    QString typeName;
    QString captionText; // type, date and mark
    QString windowTitle; // the subject line with "STB", else the caption text
    ReminderMark mark = ReminderMark::None;
    int daysMore = 0;
    bool beforeStartAllowed = false;
    bool recurring = false;
    bool mayAutoDismiss = false;
    bool locked = false;
    bool deleteVisible = true;
    bool itemTopmost = false;
    QString acceptText;
    QString convertText;

    bool ownFont = false;
    QString fontFace;
    int fontPoints = 0;
    bool fontBold = false;
    bool fontItalic = false;

    bool ownColors = false;
    COLORREF textColor = 0;
    COLORREF backColor = 0;
    COLORREF highlightColor = 0;
    COLORREF shadowColor = 0;

    bool keepSize = false;
    int storedWidth = 0;
    int storedHeight = 0;

    CReminderSound sound;
    bool playSound = false;
    std::uint32_t soundIntervalMs = 0;
    // Stop Sound: present for a repeating sound; possible (and the sound playing) only with the
    // sound switch and "USB" on.
    bool stopSoundEntry = false;
    bool stopSoundPossible = false;

    // The highlight and shadow of the item's own background: lightness halfway to full, and
    // two thirds of it.
    static COLORREF HighlightOf(COLORREF background);
    static COLORREF ShadowOf(COLORREF background);
};
