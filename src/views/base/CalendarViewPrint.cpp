// The print hooks of the calendar view: the Details and Memo styles over the view's entries.
#include "views/base/CalendarViewCtrl.h"

#include "core/lists/LogFont.h"
#include "core/system/Profile.h"

#include <QPainter>
#include <cstdlib>

namespace {
constexpr int kDefaultPrintPoints = 10;

QFont PrintFont(const LogFont &font)
{
    QFont f(font.FaceName());
    f.setPointSize(std::max(1, std::abs(font.height)));
    f.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic != 0);
    return f;
}
} // namespace

void CCalendarViewCtrl::LoadPrintOptions(const CPrintSession &session)
{
    const QString section = GetPrintingSection(session.styleId);
    const QFont font = PrintFont(LoadFontSettingPoints(section, QStringLiteral("Font"), kDefaultPrintPoints));
    m_printHooks.LoadPrintOptions(
        [&section](const QString &name, int defaultValue) {
            return GetProfileInt(section, name, defaultValue);
        },
        font);
    m_optionOS = m_printHooks.Options().otherSetting ? 1 : 0;
    m_optionC = m_printHooks.Options().colours ? 1 : 0;
}

void CCalendarViewCtrl::MeasurePrintTimeColumn(QPainter &painter, const CPrintUnits &units,
                                               CPrintSession &session)
{
    m_printHooks.MeasurePrintTimeColumn(painter, units, session);
}

int CCalendarViewCtrl::PrintPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                                 CPrintSession &session)
{
    std::vector<const CDisplayItem *> entries;
    entries.reserve(m_entries.size());
    for (const auto &e : m_entries)
        entries.push_back(e.get());
    m_printHooks.SetDayHeading(
        [this](QPainter &p, const CPrintUnits &u, const PrintRect &r, const QFont &f, const CDateTime &day,
               bool continued) { return DrawPrintDayHeader(p, u, r, f, day, continued); });
    return m_printHooks.PrintPage(painter, units, page, session, entries);
}

bool CCalendarViewCtrl::PrintDetailsEntry(QPainter &painter, const CPrintUnits &units,
                                          const CDisplayItem &entry, PrintRect &rect,
                                          const CPrintSession &session, int &offset)
{
    return m_printHooks.PrintDetailsEntry(painter, units, entry, rect, session, offset);
}

bool CCalendarViewCtrl::PrintMemoEntry(QPainter &painter, const CPrintUnits &units, const CDisplayItem *entry,
                                       PrintRect &rect, const CPrintSession &session, int &offset)
{
    return m_printHooks.PrintMemoEntry(painter, units, entry, rect, session, offset);
}

int CCalendarViewCtrl::DrawPrintDayHeader(QPainter &painter, const CPrintUnits &units, const PrintRect &rect,
                                          const QFont &font, const CDateTime &date, bool continued)
{
    return CViewPrintHooks::DrawDayHeading(painter, units, rect, font, date, continued);
}
