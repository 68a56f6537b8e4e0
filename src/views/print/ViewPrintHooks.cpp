// Print hooks of the calendar views: options, fonts, the Details time column, and the Details and
// Memo pages.
#include "views/print/ViewPrintHooks.h"

#include "core/dates/DateFormats.h"
#include "core/items/DisplayItem.h"
#include "core/items/PatternDisplayItem.h"
#include "core/items/TaskDisplayItem.h"
#include "core/items/TaskItem.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <algorithm>
#include <climits>

namespace {
constexpr int kRuleWidth = 6; // page units

const QString &AllDayText()
{
    static const QString text = QStringLiteral("All Day");
    return text;
}

QString TypeNameOrUndefined(const CDisplayItem &entry)
{
    return entry.GetItemTypeName().isEmpty() ? QStringLiteral("< undefined >") : entry.GetItemTypeName();
}

QFontMetricsF Metrics(QPainter &painter, const QFont &font)
{
    return QFontMetricsF(font, painter.device());
}

int LineHeight(QPainter &painter, const CPrintUnits &units, const QFont &font)
{
    const QFontMetricsF fm = Metrics(painter, font);
    return units.HeightToUnits(fm.height() + fm.leading());
}

int TextWidth(QPainter &painter, const CPrintUnits &units, const QFont &font, const QString &text)
{
    return units.WidthToUnits(Metrics(painter, font).horizontalAdvance(text));
}

// One line at the rectangle's top left, cut with "..." when wider than the rectangle with
// `elide`; returns its height.
int DrawOneLine(QPainter &painter, const CPrintUnits &units, const QFont &font, const QString &text,
                const PrintRect &rect, bool elide = false)
{
    painter.setFont(font);
    const QFontMetricsF fm = Metrics(painter, font);
    const double width = units.DeviceX(rect.Width());
    const QString shown = elide ? fm.elidedText(text, Qt::ElideRight, width) : text;
    const QRectF box(units.ToDevice(rect.left, rect.top), QSizeF(width, fm.height()));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, shown);
    return units.HeightToUnits(fm.height());
}

// Line breaks of stored notes as the text layout understands them, keeping every character's
// offset where it was so that resume offsets stay valid.
QString LayoutText(const QString &text)
{
    QString out = text;
    for (int i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c == QLatin1Char('\r') && i + 1 < out.size() && out.at(i + 1) == QLatin1Char('\n'))
            out[i] = QLatin1Char(' ');
        else if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            out[i] = QChar::LineSeparator;
    }
    return out;
}

struct Wrapped
{
    int height = 0; // page units
    int placed = 0; // characters from the start offset
};

// Word-wrapped text from the offset in whole lines: as many as fit `available` page units (with
// force at least one), drawn at (left, top) when `draw`.
Wrapped WrapText(QPainter &painter, const CPrintUnits &units, const QFont &font, const QString &text,
                 int offset, int left, int top, int width, int available, bool force, bool draw)
{
    Wrapped out;
    const QString rest = LayoutText(text.mid(std::max(offset, 0)));
    QTextLayout layout(rest, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const double deviceWidth = units.DeviceX(width);
    const double deviceAvailable = available == INT_MAX ? 1e12 : units.DeviceY(0) - units.DeviceY(available);
    double y = 0;
    int lines = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(deviceWidth);
        if (y + line.height() > deviceAvailable && !(force && lines == 0)) {
            line.setNumColumns(0);
            break;
        }
        line.setPosition(QPointF(0, y));
        y += line.height();
        ++lines;
        out.placed = line.textStart() + line.textLength();
    }
    layout.endLayout();
    if (draw) {
        painter.setFont(font);
        const QPointF origin = units.ToDevice(left, top);
        for (int i = 0; i < lines; ++i)
            layout.lineAt(i).draw(&painter, origin);
    }
    out.height = units.HeightToUnits(y);
    return out;
}

int MeasureWrapped(QPainter &painter, const CPrintUnits &units, const QFont &font, const QString &text,
                   int width)
{
    return WrapText(painter, units, font, text, 0, 0, 0, width, INT_MAX, false, false).height;
}

// A 6-unit rule across the rectangle, its upper edge at `top`.
void DrawRule(QPainter &painter, const CPrintUnits &units, int left, int right, int top)
{
    const int y = top - kRuleWidth / 2;
    QPen pen(Qt::black);
    pen.setWidthF(units.DeviceY(0) - units.DeviceY(kRuleWidth));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(units.ToDevice(left, y), units.ToDevice(right, y));
    painter.setPen(Qt::black);
}

bool IsAllDay(const CDisplayItem &entry)
{
    const CDateTime start = entry.GetStart();
    return start.GetHour() == 0 && start.GetMinute() == 0 && start.GetSecond() == 0 &&
           start + CDateSpan(1.0) == entry.GetEnd();
}

bool SameDay(const CDateTime &a, const CDateTime &b)
{
    return a.DatePart() == b.DatePart();
}

bool IsCompletedTask(const CDisplayItem &entry)
{
    return entry.GetKind() == CDisplayItem::KindTask && entry.HasFlag(CDisplayItem::FlagCompleted);
}

// The notes of an entry, laid out from the offset under the head; updates the rectangle's top
// and the offset, and tells whether the whole notes text is placed.
bool PrintNotes(QPainter &painter, const CPrintUnits &units, const QFont &font, const QString &notes,
                PrintRect &r, int &offset, bool force)
{
    if (notes.isEmpty()) {
        offset = 0;
        return true;
    }
    const int from = std::max(offset, 0);
    const Wrapped w = WrapText(painter, units, font, notes, from, r.left, r.top, r.Width(),
                               std::max(r.Height(), 0), force, true);
    r.top -= w.height;
    offset = from + w.placed;
    return offset >= notes.size();
}

// One labelled row of the Memo style, or a blank line or the separator.
struct MemoRow
{
    enum Kind
    {
        Row,
        Blank,
        Separator
    } kind = Row;
    QString label;
    QString value;
    int extra = 0; // page units below a separator
};
} // namespace

CViewPrintHooks::CViewPrintHooks()
{
    LoadPrintOptions([](const QString &, int d) { return d; }, QFont());
}

void CViewPrintHooks::LoadPrintOptions(const ReadIntFn &readInt, const QFont &font)
{
    m_normal = font;
    m_struck = font;
    m_struck.setStrikeOut(true);
    m_bold = font;
    m_bold.setWeight(QFont::Bold);
    m_options.printTime = readInt(QStringLiteral("PT"), 1) != 0;
    m_options.printEnd = readInt(QStringLiteral("PE"), 0) != 0;
    m_options.itemType = readInt(QStringLiteral("IT"), 0) != 0;
    m_options.categories = readInt(QStringLiteral("CG"), 0) != 0;
    m_options.notes = readInt(QStringLiteral("SN"), 0) != 0;
    m_options.otherSetting = readInt(QStringLiteral("OS"), 1) != 0;
    m_options.colours = readInt(QStringLiteral("C"), 1) != 0;
    if (m_options.colours)
        m_options.colourBars = readInt(QStringLiteral("B"), 1) != 0;
}

void CViewPrintHooks::MeasurePrintTimeColumn(QPainter &painter, const CPrintUnits &units,
                                             CPrintSession &session) const
{
    if (session.styleId != CPrintSession::StyleDetails)
        return;
    if (!m_options.printTime) {
        session.timeColumnWidth = 0;
        return;
    }
    const QString early = FormatTime(CDateTime(1899, 12, 30, 11, 55, 0));
    const QString late = FormatTime(CDateTime(1899, 12, 30, 23, 55, 0));
    const QString sample = m_options.printEnd ? early + QStringLiteral(" - ") + late : early;
    const int half = units.WidthToUnits(Metrics(painter, m_bold).maxWidth()) / 2;
    int width = TextWidth(painter, units, m_bold, sample) + half;
    if (!m_options.printEnd)
        width = std::max(width, TextWidth(painter, units, m_bold, AllDayText()) + half);
    session.timeColumnWidth = width;
}

bool CViewPrintHooks::PrintDetailsEntry(QPainter &painter, const CPrintUnits &units,
                                        const CDisplayItem &entry, PrintRect &rect,
                                        const CPrintSession &session, int &offset, bool force) const
{
    if (rect.IsEmpty() && !force)
        return false;
    const QString notes = m_options.notes ? entry.GetNotes() : QString();
    const bool completed = IsCompletedTask(entry);
    PrintRect r = rect;
    if (offset < 0) {
        QString time;
        if (entry.GetKind() == CDisplayItem::KindTask)
            time = QStringLiteral("Task");
        else if (IsAllDay(entry))
            time = AllDayText();
        else if (m_options.printTime)
            time = m_options.printEnd
                       ? FormatTime(entry.GetStart()) + QStringLiteral(" - ") + FormatTime(entry.GetEnd())
                       : FormatTime(entry.GetStart());
        const QFont &textFont = completed ? m_struck : m_bold;
        PrintRect textRect = r;
        if (m_options.printTime)
            textRect.left += session.timeColumnWidth;
        QString text = entry.GetSubject();
        if (entry.GetKind() == CDisplayItem::KindEvent && entry.GetAge() >= 0)
            text += QStringLiteral(" (%1 years)").arg(entry.GetAge());
        if (!entry.GetLocation().isEmpty())
            text += QStringLiteral(" -- ") + entry.GetLocation();
        const QString type = QStringLiteral("Item Type: ") + TypeNameOrUndefined(entry);
        const QString cats = m_options.categories && !entry.GetCategories().isEmpty()
                                 ? QStringLiteral("Categories: ") + entry.GetCategories()
                                 : QString();

        // The whole head is measured first, so that a head that does not fit leaves nothing
        // behind to be printed again on the next page.
        const int hi = units.HeightToUnits(Metrics(painter, m_bold).height());
        const bool oneLine = TextWidth(painter, units, textFont, text) < textRect.Width();
        const int textHeight =
            std::max(oneLine ? LineHeight(painter, units, textFont)
                             : MeasureWrapped(painter, units, textFont, text, textRect.Width()),
                     hi);
        const int typeHeight = m_options.itemType ? std::max(LineHeight(painter, units, m_normal), hi) : 0;
        const int catsHeight =
            cats.isEmpty() ? 0
                           : std::max(MeasureWrapped(painter, units, m_normal, cats, textRect.Width()), hi);
        const int needed = textHeight + typeHeight + catsHeight;
        if (r.bottom >= r.top - needed && !force)
            return false;

        if (m_options.printTime)
            DrawOneLine(painter, units, m_bold, time, r);
        r.left = textRect.left;
        if (oneLine)
            DrawOneLine(painter, units, textFont, text, r);
        else
            WrapText(painter, units, textFont, text, 0, r.left, r.top, r.Width(), INT_MAX, false, true);
        r.top -= textHeight;
        if (m_options.itemType) {
            DrawOneLine(painter, units, m_normal, type, r);
            r.top -= typeHeight;
        }
        if (!cats.isEmpty()) {
            WrapText(painter, units, m_normal, cats, 0, r.left, r.top, r.Width(), INT_MAX, false, true);
            r.top -= catsHeight;
        }
        // Notes under a head that has just been printed wait for the next page rather than lose
        // a line below the page's edge.
        force = false;
    } else {
        r.left += session.timeColumnWidth;
    }
    const QFont &notesFont = completed ? m_struck : m_normal;
    const bool done = PrintNotes(painter, units, notesFont, notes, r, offset, force);
    r.top -= LineHeight(painter, units, notesFont) / 3;
    rect.top = r.top;
    return done;
}

bool CViewPrintHooks::PrintMemoEntry(QPainter &painter, const CPrintUnits &units, const CDisplayItem *entry,
                                     PrintRect &rect, const CPrintSession &, int &offset, bool force) const
{
    if (!entry)
        return true;
    if (rect.IsEmpty() && !force)
        return false;
    const int line = LineHeight(painter, units, m_normal);
    PrintRect r = rect;
    if (offset < 0 &&
        (entry->GetKind() == CDisplayItem::KindEvent || entry->GetKind() == CDisplayItem::KindTask)) {
        const bool task = entry->GetKind() == CDisplayItem::KindTask;
        std::vector<MemoRow> rows;
        auto row = [&](const QString &label, const QString &value) {
            rows.push_back({MemoRow::Row, label, value, 0});
        };
        auto blank = [&] { rows.push_back({MemoRow::Blank, {}, {}, 0}); };
        const QString &dateTimeFormat = GetLocaleFormats().weekdayDateTime;
        if (!task) {
            rows.push_back({MemoRow::Separator, {}, {}, kRuleWidth});
            QString subject = entry->GetSubject();
            if (entry->GetAge() >= 0)
                subject += QStringLiteral(" (%1 years)").arg(entry->GetAge());
            row(QStringLiteral("Subject:"), subject);
            if (!entry->GetLocation().isEmpty())
                row(QStringLiteral("Location:"), entry->GetLocation());
            row(QStringLiteral("Item Type:"), TypeNameOrUndefined(*entry));
            blank();
            row(QStringLiteral("Start:"), FormatDateTime(entry->GetStart(), dateTimeFormat));
            row(QStringLiteral("End:"), FormatDateTime(entry->GetEnd(), dateTimeFormat));
            if (entry->HasFlag(CDisplayItem::FlagRecurring)) {
                const auto *pattern = dynamic_cast<const CPatternDisplayItem *>(entry);
                blank();
                row(QStringLiteral("Recurrence:"), pattern ? pattern->GetRecurrenceText() : QString());
            }
        } else {
            const auto *taskEntry = dynamic_cast<const CTaskDisplayItem *>(entry);
            rows.push_back({MemoRow::Separator, {}, {}, kRuleWidth + line});
            row(QStringLiteral("Subject:"), entry->GetSubject());
            row(QStringLiteral("Item Type:"), TypeNameOrUndefined(*entry));
            const int priority = taskEntry ? taskEntry->GetPriority() : 2;
            if (priority != 2)
                row(QStringLiteral("Priority:"), GetPriorityName(priority));
            blank();
            if (entry->HasFlag(CDisplayItem::FlagHasStart))
                row(QStringLiteral("Start Date") + QLatin1Char(':'), FormatWeekdayDate(entry->GetStart()));
            if (entry->HasFlag(CDisplayItem::FlagHasDue)) {
                // The stored end is the day after the due date.
                row(QStringLiteral("Due Date") + QLatin1Char(':'),
                    FormatWeekdayDate(entry->GetEnd() - CDateSpan(1.0)));
                blank();
            }
            row(QStringLiteral("Status:"), GetTaskStatusName(taskEntry ? taskEntry->GetStatus() : 0));
            row(QStringLiteral("Complete:"),
                QStringLiteral("%1%").arg(taskEntry ? taskEntry->GetPercentComplete() : 0));
            if (entry->HasFlag(CDisplayItem::FlagCompleted) && taskEntry)
                row(QStringLiteral("Date Completed:"), FormatWeekdayDate(taskEntry->GetCompletedDate()));
        }
        if (!entry->GetCategories().isEmpty()) {
            blank();
            row(QStringLiteral("Categories:"), entry->GetCategories());
        }

        const QString widest = task ? QStringLiteral("Date Completed:") : QStringLiteral("Recurrence:");
        // A tab stop after the widest label.
        const int labelWidth =
            std::min(TextWidth(painter, units, m_bold, widest) +
                         units.WidthToUnits(2 * Metrics(painter, m_bold).averageCharWidth()),
                     r.Width() / 2);
        const int valueWidth = std::max(r.Width() - labelWidth, 1);
        const int labelHeight = LineHeight(painter, units, m_bold);
        std::vector<int> heights;
        int headHeight = 0;
        for (const MemoRow &m : rows) {
            int h = m.extra;
            if (m.kind == MemoRow::Blank)
                h = line;
            else if (m.kind == MemoRow::Row)
                h = std::max(
                    labelHeight,
                    m.value.isEmpty() ? line : MeasureWrapped(painter, units, m_normal, m.value, valueWidth));
            heights.push_back(h);
            headHeight += h;
        }
        // Measured before drawing: a head that does not fit is printed whole on the next page.
        if (r.top - headHeight < r.bottom && !force)
            return false;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const MemoRow &m = rows[i];
            if (m.kind == MemoRow::Separator) {
                DrawRule(painter, units, r.left, r.right, r.top);
            } else if (m.kind == MemoRow::Row) {
                PrintRect labelRect = r;
                labelRect.right = r.left + labelWidth;
                DrawOneLine(painter, units, m_bold, m.label, labelRect, true);
                WrapText(painter, units, m_normal, m.value, 0, r.left + labelWidth, r.top, valueWidth,
                         INT_MAX, false, true);
            }
            r.top -= heights[i];
        }
        force = false;
    }
    const QString &notes = entry->GetNotes();
    if (!notes.isEmpty())
        r.top -= line;
    const bool done = PrintNotes(painter, units, m_normal, notes, r, offset, force);
    r.top -= line;
    rect.top = r.top;
    return done;
}

int CViewPrintHooks::DrawDayHeading(QPainter &painter, const CPrintUnits &units, const PrintRect &rect,
                                    const QFont &font, const CDateTime &day, bool continued)
{
    QString text = FormatLongDate(day);
    if (continued)
        text += QStringLiteral(" Continued");
    const int textHeight = DrawOneLine(painter, units, font, text, rect);
    DrawRule(painter, units, rect.left, rect.right, rect.top - textHeight);
    const QFontMetricsF fm = Metrics(painter, font);
    return textHeight + kRuleWidth + units.HeightToUnits(fm.height() + fm.leading()) / 3;
}

int CViewPrintHooks::PrintPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                               CPrintSession &session, const std::vector<const CDisplayItem *> &entries) const
{
    if (session.styleId != CPrintSession::StyleDetails && session.styleId != CPrintSession::StyleMemo)
        return 0;
    painter.save();
    painter.setPen(Qt::black);
    // What is printed cut stays on its page.
    painter.setClipRect(units.ToDevice(page).normalized(), Qt::IntersectClip);
    const int used = session.styleId == CPrintSession::StyleDetails
                         ? PrintDetailsPage(painter, units, page, session, entries)
                         : PrintMemoPage(painter, units, page, session, entries);
    painter.restore();
    return used;
}

int CViewPrintHooks::PrintDetailsPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                                      CPrintSession &session,
                                      const std::vector<const CDisplayItem *> &entries) const
{
    PrintRect rect = page;
    const int count = int(entries.size());
    int index = std::max(session.resumeIndex, 0);
    int offset = session.resumeOffset;
    bool headingOnPage = false;
    bool printedOnPage = false;
    CDateTime previousDate = CDateTime::Null();
    for (; index < count; ++index) {
        const CDisplayItem *entry = entries[std::size_t(index)];
        if (!entry || (session.selectedOnly && !entry->HasState(CDisplayItem::StateSelected))) {
            offset = CPrintSession::HeadOffset;
            continue;
        }
        const CDateTime day = entry->GetStart().DatePart();
        if (previousDate.IsNull() || !SameDay(previousDate, day)) {
            const bool continued =
                !headingOnPage && (offset > 0 || (index > 0 && entries[std::size_t(index - 1)] &&
                                                  SameDay(entries[std::size_t(index - 1)]->GetStart(), day)));
            const DayHeadingFn &heading = m_dayHeading ? m_dayHeading : DayHeadingFn(&DrawDayHeading);
            rect.top -= heading(painter, units, rect, m_bold, day, continued);
            headingOnPage = true;
            previousDate = day;
        }
        // On a page with nothing on it yet the entry is forced through, cut if need be; else
        // the job would ask for the same page for ever.
        if (!PrintDetailsEntry(painter, units, *entry, rect, session, offset, !printedOnPage)) {
            session.resumeIndex = index;
            session.resumeOffset = offset;
            return page.top - rect.top;
        }
        printedOnPage = true;
        offset = CPrintSession::HeadOffset;
    }
    session.resumeIndex = count;
    session.resumeOffset = CPrintSession::HeadOffset;
    return page.top - rect.top;
}

int CViewPrintHooks::PrintMemoPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                                   CPrintSession &session,
                                   const std::vector<const CDisplayItem *> &entries) const
{
    PrintRect rect = page;
    int end = int(entries.size());
    // A counting pass left where each page ends: there the page stops, its split entry
    // included.
    if (session.pageNumber >= 0 && std::size_t(session.pageNumber) < session.pageTable.size()) {
        const std::uint32_t packed = session.pageTable[std::size_t(session.pageNumber)];
        const int index = CPrintSession::PackedIndex(packed);
        end = std::min(end, CPrintSession::PackedAtHead(packed) ? index : index + 1);
    }
    int index = std::max(session.resumeIndex, 0);
    // A table that leaves this page nothing is not the job's: every page moves the job on.
    if (end <= index)
        end = int(entries.size());
    int offset = session.resumeOffset;
    bool printedOnPage = false;
    for (; index < end; ++index) {
        const CDisplayItem *entry = entries[std::size_t(index)];
        if (!entry) {
            offset = CPrintSession::HeadOffset;
            continue;
        }
        if (!PrintMemoEntry(painter, units, entry, rect, session, offset, !printedOnPage)) {
            session.resumeIndex = index;
            session.resumeOffset = offset;
            return page.top - rect.top;
        }
        printedOnPage = true;
        offset = CPrintSession::HeadOffset;
        if (session.flags & CPrintSession::FlagOneEntryPerPage) {
            ++index;
            break;
        }
    }
    session.resumeIndex = index;
    session.resumeOffset = CPrintSession::HeadOffset;
    return page.top - rect.top;
}
