// Print hooks of the calendar views: options, fonts, the Details time column and pages.
#include "views/ViewPrintHooks.h"

#include "core/DateFormats.h"
#include "core/DisplayItem.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <algorithm>

namespace {
constexpr int kRuleWidth = 6; // page units

const QString &AllDayText()
{
    static const QString text = QStringLiteral("All Day");
    return text;
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

// One line at the rectangle's top left; returns its height.
int DrawOneLine(QPainter &painter, const CPrintUnits &units, const QFont &font, const QString &text,
                const PrintRect &rect)
{
    painter.setFont(font);
    const QFontMetricsF fm = Metrics(painter, font);
    const QRectF box(units.ToDevice(rect.left, rect.top), QSizeF(units.DeviceX(rect.Width()), fm.height()));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    return units.HeightToUnits(fm.height());
}

struct Wrapped
{
    int height = 0; // page units
    int placed = 0; // characters from the start offset
};

// Word-wrapped text from the offset into the rectangle, whole lines only; with force at least
// one line even when it does not fit.
Wrapped DrawWrapped(QPainter &painter, const CPrintUnits &units, const QFont &font, const QString &text,
                    int offset, const PrintRect &rect, bool force)
{
    Wrapped out;
    const QString rest = text.mid(std::max(offset, 0));
    QTextLayout layout(rest, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const double width = units.DeviceX(rect.Width());
    const double available = units.DeviceY(0) - units.DeviceY(rect.Height());
    double y = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (y + line.height() > available && !(force && out.placed == 0)) {
            line.setNumColumns(0);
            break;
        }
        line.setPosition(QPointF(0, y));
        y += line.height();
        out.placed = line.textStart() + line.textLength();
    }
    layout.endLayout();
    painter.setFont(font);
    const QPointF origin = units.ToDevice(rect.left, rect.top);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.textStart() + line.textLength() <= out.placed && line.textLength() > 0)
            line.draw(&painter, origin);
    }
    out.height = units.HeightToUnits(y);
    return out;
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
    if (rect.IsEmpty())
        return false;
    const QString notes = m_options.notes ? entry.GetNotes() : QString();
    const bool completed = entry.GetKind() == 2 && entry.HasFlag(CDisplayItem::FlagCompleted);
    PrintRect r = rect;
    if (offset < 0) {
        QString time;
        if (entry.GetKind() == 2)
            time = QStringLiteral("Task");
        else if (IsAllDay(entry))
            time = AllDayText();
        else if (m_options.printTime)
            time = m_options.printEnd
                       ? FormatTime(entry.GetStart()) + QStringLiteral(" - ") + FormatTime(entry.GetEnd())
                       : FormatTime(entry.GetStart());
        const int hi = units.HeightToUnits(Metrics(painter, m_bold).height());
        int needed = m_options.itemType ? 2 * hi : hi;
        if (m_options.categories && !entry.GetCategories().isEmpty())
            needed += hi;
        if (r.bottom >= r.top - needed && !force)
            return false;
        const QFont &textFont = completed ? m_struck : m_bold;
        if (m_options.printTime) {
            DrawOneLine(painter, units, m_bold, time, r);
            r.left += session.timeColumnWidth;
        }
        QString text = entry.GetSubject();
        if (entry.GetKind() == 1 && entry.GetAge() >= 0)
            text += QStringLiteral(" (%1 years)").arg(entry.GetAge());
        if (!entry.GetLocation().isEmpty())
            text += QStringLiteral(" -- ") + entry.GetLocation();
        int height = 0;
        if (TextWidth(painter, units, textFont, text) < r.Width())
            height = DrawOneLine(painter, units, textFont, text, r);
        else
            height = DrawWrapped(painter, units, textFont, text, 0, r, true).height;
        r.top -= std::max(height, hi);
        if (m_options.itemType) {
            const QString type = QStringLiteral("Item Type: ") + (entry.GetItemTypeName().isEmpty()
                                                                      ? QStringLiteral("< undefined >")
                                                                      : entry.GetItemTypeName());
            const int h = LineHeight(painter, units, m_normal);
            if (r.bottom >= r.top - h && !force)
                return false;
            r.top -= std::max(DrawOneLine(painter, units, m_normal, type, r), hi);
        }
        if (m_options.categories && !entry.GetCategories().isEmpty()) {
            const QString cats = QStringLiteral("Categories: ") + entry.GetCategories();
            const int h = LineHeight(painter, units, m_normal);
            if (r.bottom >= r.top - h && !force)
                return false;
            r.top -= std::max(DrawWrapped(painter, units, m_normal, cats, 0, r, true).height, hi);
        }
    } else {
        r.left += session.timeColumnWidth;
    }
    const QFont &notesFont = completed ? m_struck : m_normal;
    int newOffset = 0;
    if (!notes.isEmpty()) {
        const int from = std::max(offset, 0);
        const Wrapped w = DrawWrapped(painter, units, notesFont, notes, from, r, force && offset >= 0);
        r.top -= w.height;
        newOffset = w.placed + from;
    }
    r.top -= LineHeight(painter, units, notesFont) / 3;
    rect.top = r.top;
    offset = newOffset;
    return newOffset >= notes.size();
}

int CViewPrintHooks::DrawDayHeading(QPainter &painter, const CPrintUnits &units, const PrintRect &rect,
                                    const QFont &font, const CDateTime &day, bool continued)
{
    QString text = FormatLongDate(day);
    if (continued)
        text += QStringLiteral(" Continued");
    const int textHeight = DrawOneLine(painter, units, font, text, rect);
    const int ruleY = rect.top - textHeight - kRuleWidth / 2;
    QPen pen(Qt::black);
    pen.setWidthF(units.DeviceY(0) - units.DeviceY(kRuleWidth));
    painter.setPen(pen);
    painter.drawLine(units.ToDevice(rect.left, ruleY), units.ToDevice(rect.right, ruleY));
    const QFontMetricsF fm = Metrics(painter, font);
    return textHeight + kRuleWidth + units.HeightToUnits(fm.height() + fm.leading()) / 3;
}

int CViewPrintHooks::PrintPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                               CPrintSession &session, const std::vector<const CDisplayItem *> &entries) const
{
    if (session.styleId != CPrintSession::StyleDetails)
        return 0;
    painter.save();
    painter.setPen(Qt::black);
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
        // An entry that does not fit on an otherwise empty page is printed cut; else the job
        // would ask for the same page for ever.
        const bool force = !printedOnPage;
        const int before = offset;
        if (!PrintDetailsEntry(painter, units, *entry, rect, session, offset, force)) {
            if (printedOnPage || offset != before) {
                session.resumeIndex = index;
                session.resumeOffset = offset;
                painter.restore();
                return page.top - rect.top;
            }
        }
        printedOnPage = true;
        offset = CPrintSession::HeadOffset;
    }
    session.resumeIndex = count;
    session.resumeOffset = CPrintSession::HeadOffset;
    painter.restore();
    return page.top - rect.top;
}
