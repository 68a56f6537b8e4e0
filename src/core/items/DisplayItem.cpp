// Display item: copying, identity and order, state bits, and the item-box, caption and tip texts.
#include "core/items/DisplayItem.h"
#include "core/items/DisplayItemPool.h"

#include "core/system/AppSettings.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/system/LocaleCollator.h"
#include "core/system/PrintfText.h"
#include "core/system/StringTable.h"
#include "core/system/TextCut.h"

#include <utility>

namespace {
const QString kPrivateSubject = QStringLiteral("<private item>");
constexpr int kTipNotesLimit = 1024;

// The text cut to `limit` characters with "\r\n..." after it when it was longer.
QString CutWithMore(const QString &text, int limit)
{
    const QString cut = CutToCharacters(text, limit);
    return cut.size() < text.size() ? cut + QStringLiteral("\r\n...") : text;
}

// Status first, then the value in time order.
int CompareDates(const CDateTime &a, const CDateTime &b)
{
    if (a.GetStatus() != b.GetStatus())
        return a.GetStatus() < b.GetStatus() ? -1 : 1;
    if (a.Linear() != b.Linear())
        return a.Linear() < b.Linear() ? -1 : 1;
    return 0;
}

bool IsMidnight(const CDateTime &d)
{
    return d.GetHour() == 0 && d.GetMinute() == 0 && d.GetSecond() == 0;
}

QString TypeNameOrUndefined(const QString &name)
{
    return name.isEmpty() ? LoadResString(59311) : name;
}

QString YearsSuffix(int age)
{
    return age >= 0 ? PrintfText(LoadResString(59316), {age}) : QString();
}
} // namespace

QString FormatAgeSuffix(int age)
{
    if (age < 0)
        return QString();
    return PrintfText(LoadResString(ProgramSettings().timeRangeTexts ? 59316 : 59380), {age});
}

CDateTime TodayForDisplay()
{
    const CDateTime today = GetToday();
    return today.IsValid() && today.Value() != 0.0 ? today : DateOnly(GetNow());
}

CDisplayItem::CDisplayItem(int kind, int itemTypeIndex, const QString &itemTypeName, const CDateTime &start,
                           const CDateSpan &duration)
    : m_kind(kind), m_itemTypeIndex(itemTypeIndex), m_itemTypeName(itemTypeName), m_start(start),
      m_end(start + duration)
{
    if (duration >= CDateSpan(1.0))
        m_flags |= FlagAllDay;
}

CDisplayItem::CDisplayItem(const CDisplayItem &other)
{
    CDisplayItem::CopyFrom(other);
}

CDisplayItem::CDisplayItem(CDisplayItem &&other) noexcept
    : m_kind(other.m_kind), m_recordId(other.m_recordId), m_stamp(other.m_stamp), m_created(other.m_created),
      m_newStart(other.m_newStart), m_occurrenceDate(other.m_occurrenceDate),
      m_itemTypeIndex(other.m_itemTypeIndex), m_age(other.m_age), m_flags(other.m_flags),
      m_state(other.m_state), m_subject(std::move(other.m_subject)), m_location(std::move(other.m_location)),
      m_notes(std::move(other.m_notes)), m_itemTypeName(std::move(other.m_itemTypeName)),
      m_categories(std::move(other.m_categories)), m_start(other.m_start), m_end(other.m_end),
      m_firstCell(other.m_firstCell), m_lastCell(other.m_lastCell)
{
}

CDisplayItem::~CDisplayItem() = default;

void *CDisplayItem::operator new(std::size_t size)
{
    return CDisplayItemPool::Allocate(size);
}

void CDisplayItem::operator delete(void *block, std::size_t size) noexcept
{
    CDisplayItemPool::Release(block, size);
}

void CDisplayItem::CopyFrom(const CDisplayItem &other)
{
    if (this == &other)
        return;
    m_kind = other.m_kind;
    m_recordId = other.m_recordId;
    m_stamp = other.m_stamp;
    m_created = other.m_created;
    m_newStart = other.m_newStart;
    m_occurrenceDate = other.m_occurrenceDate;
    m_itemTypeIndex = other.m_itemTypeIndex;
    m_age = other.m_age;
    m_flags = other.m_flags;
    m_state = other.m_state;
    m_subject = other.m_subject;
    m_location = other.m_location;
    m_notes = other.m_notes;
    m_itemTypeName = other.m_itemTypeName;
    m_categories = other.m_categories;
    m_start = other.m_start;
    m_end = other.m_end;
    m_firstCell = other.m_firstCell;
    m_lastCell = other.m_lastCell;
}

std::unique_ptr<CDisplayItem> CDisplayItem::Clone() const
{
    return std::make_unique<CDisplayItem>(*this);
}

bool CDisplayItem::IsSame(const CDisplayItem &other) const
{
    return m_recordId == other.m_recordId && m_occurrenceDate == other.m_occurrenceDate;
}

int CDisplayItem::CompareOrder(const CDisplayItem &other) const
{
    const auto order = [](bool first) { return first ? -1 : 1; };
    // Ghosts left by a drag go last.
    if (HasState(StateDragged) || other.HasState(StateDragged))
        return HasState(StateDragged) == other.HasState(StateDragged) ? 0 : order(!HasState(StateDragged));
    if (m_firstCell != other.m_firstCell)
        return order(m_firstCell < other.m_firstCell);
    if (HasFlag(FlagAllDay) != other.HasFlag(FlagAllDay))
        return order(HasFlag(FlagAllDay));
    if (const int c = CompareDates(m_start, other.m_start))
        return c;
    if (const int c = CompareDates(m_end, other.m_end))
        return -c;
    return CompareTies(other);
}

int CDisplayItem::CompareTies(const CDisplayItem &other) const
{
    const auto order = [](bool first) { return first ? -1 : 1; };
    // Occurrences of one series share their subject's characters: equal without collating.
    if (m_subject.constData() != other.m_subject.constData() || m_subject.size() != other.m_subject.size())
        if (const int c = LocaleCompare(m_subject, other.m_subject))
            return c < 0 ? -1 : 1;
    if (m_itemTypeIndex != other.m_itemTypeIndex)
        return order(m_itemTypeIndex < other.m_itemTypeIndex);
    if (HasFlag(FlagRecurring) != other.HasFlag(FlagRecurring))
        return order(HasFlag(FlagRecurring));
    if (HasFlag(FlagChanged) != other.HasFlag(FlagChanged))
        return order(!HasFlag(FlagChanged));
    if (m_recordId != other.m_recordId)
        return order(m_recordId < other.m_recordId);
    return 0;
}

bool CDisplayItem::SetStateBits(std::uint32_t value, std::uint32_t mask)
{
    const std::uint32_t old = m_state;
    m_state = (old & ~mask & ~value) | (value & mask);
    return ((old ^ m_state) & ~StateFocus) != 0;
}

QString CDisplayItem::GetTimeRangeText(bool showStart, bool showEnd, bool showItemType, bool showCategories,
                                       bool startsBefore, bool endsAfter) const
{
    QString text;
    if (!HasFlag(FlagAllDay) && showStart) {
        CDateTime start = m_start;
        CDateTime end = m_end;
        // A piece that continues from the day before, or into the next, shows midnight there.
        if (startsBefore)
            start = CDateTime(0.0);
        else if (endsAfter)
            end = CDateTime(0.0);
        text = FormatCompactTime(start);
        if (showEnd && start != end)
            text += QLatin1Char('-') + FormatCompactTime(end);
        text += QLatin1Char(' ');
    }
    const bool hidden = IsPrivate();
    text += hidden ? kPrivateSubject : m_subject;
    if (hidden)
        return text;
    text += FormatAgeSuffix(m_age);
    if (!m_location.isEmpty())
        text += PrintfText(LoadResString(61264), {m_location});
    if (showItemType)
        text += PrintfText(LoadResString(61272), {TypeNameOrUndefined(m_itemTypeName)});
    if (showCategories && !m_categories.isEmpty())
        text += QStringLiteral(" <") + m_categories + QLatin1Char('>');
    return text;
}

QString CDisplayItem::FormatCaption(bool tipForm) const
{
    const bool hidden = IsPrivate();
    const bool task = m_kind == KindTask;
    const QString subject = hidden ? kPrivateSubject : m_subject;
    QString text;

    if (!tipForm) {
        if (task) {
            text = PrintfText(QStringLiteral("[Task] %s"), {subject});
        } else {
            if (HasFlag(FlagAllDay))
                text = PrintfText(QStringLiteral("[All Day] %s"), {subject});
            else if (m_start != m_end)
                text = PrintfText(QStringLiteral("[%s-%s] %s"),
                                  {FormatCompactTime(m_start), FormatCompactTime(m_end), subject});
            else
                text = PrintfText(QStringLiteral("[%s] %s"), {FormatCompactTime(m_start), subject});
            if (!hidden)
                text += YearsSuffix(m_age);
        }
        if (hidden)
            return text;
        if (!task && !m_location.isEmpty())
            text += PrintfText(LoadResString(61264), {m_location});
        if (!m_categories.isEmpty())
            text += QStringLiteral("\n<") + m_categories + QLatin1Char('>');
        return text;
    }

    text = subject;
    if (!task && !hidden) {
        text += YearsSuffix(m_age);
        if (!m_location.isEmpty())
            text += PrintfText(LoadResString(61264), {m_location});
    }
    const QString type = TypeNameOrUndefined(hidden ? QString() : m_itemTypeName);
    if (task) {
        text += PrintfText(LoadResString(59261), {type});
    } else if (IsSameDate(m_start, m_end)) {
        if (m_start == m_end)
            text += PrintfText(LoadResString(59262), {FormatCompactTime(m_start), type});
        else
            text += PrintfText(LoadResString(59186),
                               {FormatCompactTime(m_start), FormatCompactTime(m_end), type});
    } else if (HasFlag(FlagAllDay) && IsMidnight(m_start) && IsMidnight(m_end) &&
               IsSameDate(m_end, m_start + CDateSpan(1.0))) {
        text += PrintfText(LoadResString(59187), {type});
    } else if (HasFlag(FlagAllDay)) {
        // A bar continued from or into another range still names its real first and last day.
        const QString &format = GetLocaleFormats().weekdayDateTime;
        text += PrintfText(LoadResString(59186),
                           {FormatDateTime(m_start, format), FormatDateTime(m_end, format), type});
    } else {
        const CDateTime start = HasFlag(FlagBeginsBefore) ? CDateTime(0.0) : m_start;
        const CDateTime end = HasFlag(FlagEndsAfter) ? CDateTime(0.0) : m_end;
        text += PrintfText(LoadResString(59186), {FormatCompactTime(start), FormatCompactTime(end), type});
    }
    if (hidden)
        return text;
    if (!m_categories.isEmpty())
        text += QStringLiteral("\n<") + m_categories + QLatin1Char('>');
    if (!m_notes.isEmpty()) {
        QString notes = m_notes;
        notes.replace(QLatin1Char('\t'), QLatin1Char(' '));
        text += QLatin1Char('\n') + CutWithMore(notes, kTipNotesLimit);
    }
    return text;
}
