// The content of a reminder window.
#include "shell/reminders/ReminderContent.h"

#include "core/dates/DateFormats.h"
#include "core/items/EventItem.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemType.h"
#include "core/system/AppSettings.h"

#include <cmath>

namespace {
constexpr double kHalfSecondDays = 0.5 / 86400.0;
constexpr double kLookBackDays = 80.0 / 86400.0; // 1 minute 20 seconds
} // namespace

ReminderSettings ReminderSettings::FromProgram()
{
    const AppSettings &app = ProgramSettings();
    ReminderSettings s;
    s.subjectInCaption = app.subjectInCaption != 0;
    s.hideDeleteForRecurring = app.hideDeleteForRecurring != 0;
    s.soundOn = app.soundOn != 0;
    s.stopSoundAllowed = app.stopSoundAllowed != 0;
    s.takeFocus = app.remindersTakeFocus != 0;
    s.alwaysOnTop = app.remindersTopmost != 0;
    s.bringToTop = app.bringRemindersToTop != 0;
    s.skipMinimised = app.skipMinimisedReminders != 0;
    s.cascadeX = app.reminderCascadeX;
    s.cascadeY = app.reminderCascadeY;
    s.otherMonitor = app.remindersOnOtherMonitor != 0;
    s.monitorNumber = app.reminderMonitor;
    return s;
}

COLORREF CReminderContent::HighlightOf(COLORREF background)
{
    return LightenHlsHalfway(background);
}

COLORREF CReminderContent::ShadowOf(COLORREF background)
{
    return DarkenHlsTwoThirds(background);
}

ReminderMark CReminderContent::MarkFor(const CDateTime &start, const CDateTime &end, const CDateTime &now,
                                       int &days, int &minutesToStart)
{
    days = 0;
    minutesToStart = 0;
    if (end < now)
        return ReminderMark::Overdue;
    const double span = start.Value() - (now.Value() - kLookBackDays);
    // Whole minutes of the span, rounded half a second up so that a span a hair under a whole
    // minute (date arithmetic in days) counts as that minute.
    minutesToStart = int(std::floor((span + kHalfSecondDays) * 1440.0));
    if (minutesToStart <= 0)
        return ReminderMark::None;
    const double wholeDays = std::floor(span);
    days = int(wholeDays);
    const CDateTime later(now.Value() + (span - wholeDays));
    if (later.GetYear() != now.GetYear() || later.GetMonth() != now.GetMonth() ||
        later.GetDay() != now.GetDay())
        ++days;
    return days > 0 ? ReminderMark::DaysMore : ReminderMark::None;
}

QString CReminderContent::MarkText(ReminderMark mark, int days)
{
    switch (mark) {
    case ReminderMark::Overdue:
        return QStringLiteral(" [ overdue ]");
    case ReminderMark::DaysMore:
        return days == 1 ? QStringLiteral(" [ %1 day more ]").arg(days)
                         : QStringLiteral(" [ %1 days more ]").arg(days);
    case ReminderMark::None:
        break;
    }
    return {};
}

bool CReminderContent::Build(const CCalendarItem &item, const CItemType *type, const CDateTime &now,
                             const ReminderSettings &settings)
{
    kind = int(item.GetKind());
    if (kind != CCalendarItem::KindEvent && kind != CCalendarItem::KindTask)
        return false;
    recordId = item.GetRecordId();
    typeName = type ? type->GetName() : item.GetItemTypeName();
    occurrenceDate = item.GetNextReminderOccurrence();

    if (kind == CCalendarItem::KindEvent) {
        const auto &event = static_cast<const CEventItem &>(item);
        subject = event.GetSubject();
        location = event.GetLocation();
        notes = event.GetNotes();
        if (!occurrenceDate.IsValid() || occurrenceDate.Value() == 0.0)
            occurrenceDate = event.GetStart();
        const int index = event.FindExceptionIndex(occurrenceDate);
        if (const CRecurrenceException *exception = index >= 0 ? event.GetExceptionAt(index) : nullptr) {
            occurrenceStart = exception->newStart;
            occurrenceEnd = exception->GetEnd();
            if (exception->overrideFlags & CRecurrenceException::OverrideSubject)
                subject = exception->subject;
            if (exception->overrideFlags & CRecurrenceException::OverrideLocation)
                location = exception->location;
            if (exception->overrideFlags & CRecurrenceException::OverrideNotes)
                notes = exception->notes;
        } else {
            event.GetOccurrenceEnd(occurrenceDate, occurrenceStart, occurrenceEnd);
        }
        subjectLine = subject;
        if (event.IsRecurring() && (event.GetRecurrenceFlags() & Recur::PeriodMask) == Recur::Yearly &&
            event.HasFlag(CCalendarItem::FlagCalculateAge)) {
            const int age = event.GetAgeAt(occurrenceStart);
            if (age >= 0)
                subjectLine += QStringLiteral(" (%1 years)").arg(age);
        }
        if (!location.isEmpty())
            subjectLine += QStringLiteral(" (%1)").arg(location);

        captionText = typeName + QStringLiteral(" - ") + FormatDateTimeOrDate(occurrenceStart, true);
        int minutes = 0;
        mark = MarkFor(occurrenceStart, occurrenceEnd, now, daysMore, minutes);
        captionText += MarkText(mark, daysMore);
        beforeStartAllowed = mark != ReminderMark::Overdue && minutes > kBeforeStartMinutes;
        acceptText = QStringLiteral("&Accept");
        convertText = QStringLiteral("Convert &Event to Task");
        recurring = event.IsRecurring();
        mayAutoDismiss =
            event.HasFlag(CCalendarItem::FlagNoWindowAfterTime) && !event.HasFlag(CCalendarItem::FlagSnoozed);
    } else {
        const auto &task = static_cast<const CTaskItem &>(item);
        subject = task.GetSubject();
        notes = task.GetNotes();
        subjectLine = subject;
        const CDateTime when = task.GetReminderTime();
        if (!occurrenceDate.IsValid() || occurrenceDate.Value() == 0.0)
            occurrenceDate = when;
        occurrenceStart = when;
        occurrenceEnd = when;
        captionText = typeName + QStringLiteral(" - ") + FormatDateTimeOrDate(when, true);
        if (task.HasDueDate() && task.GetDueDate() < now) {
            mark = ReminderMark::Overdue;
            captionText += MarkText(mark, 0);
        }
        beforeStartAllowed = false;
        acceptText = QStringLiteral("Com&plete");
        convertText = QStringLiteral("Convert Task to &Event");
        recurring = task.IsRecurring() && !task.HasFlag(CTaskItem::TF_SERIES_CLOSED);
        mayAutoDismiss = false;
    }
    windowTitle = settings.subjectInCaption ? subjectLine : captionText;

    locked = item.HasFlag(CCalendarItem::FlagLocked);
    deleteVisible = !locked && !(recurring && settings.hideDeleteForRecurring);
    itemTopmost = item.HasFlag(0x1000);

    ownFont = type && type->HasFlag(CItemType::kFlagOwnFont);
    if (ownFont) {
        const LogFont &font = type->GetFont();
        fontFace = font.FaceName();
        fontPoints = std::abs(font.height) * 72 / 96;
        fontBold = font.weight == 700;
        fontItalic = font.italic != 0;
    }
    ownColors = type && type->HasFlag(CItemType::kFlagOwnColors);
    if (ownColors) {
        textColor = GetNearestScreenColor(type->GetTextColor());
        backColor = GetNearestScreenColor(type->GetFillColor());
        highlightColor = HighlightOf(backColor);
        shadowColor = ShadowOf(backColor);
    }

    keepSize = item.HasFlag(CCalendarItem::FlagReminderWindowSize);
    storedWidth = int(item.GetReminderWindowSize() & 0xFFFF);
    storedHeight = int(item.GetReminderWindowSize() >> 16);

    if (item.HasFlag(CCalendarItem::FlagOwnSound))
        sound = item.GetReminderSound();
    else if (type)
        sound = type->GetSound();
    else
        sound = CReminderSound();
    const int mode = sound.GetMode();
    playSound =
        settings.soundOn && (mode == CReminderSound::DefaultBeep || mode == CReminderSound::SoundFile);
    soundIntervalMs = sound.GetRepeat() ? std::uint32_t(sound.GetRepeatMinutes()) * 60000u +
                                              std::uint32_t(sound.GetRepeatSeconds()) * 1000u
                                        : 0u;
    stopSoundEntry = sound.GetRepeat();
    stopSoundPossible = sound.GetRepeat() && settings.soundOn && settings.stopSoundAllowed;
    return true;
}
