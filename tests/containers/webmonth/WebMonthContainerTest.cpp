// The hidden month container of HTML publishing over a real data file: the month's occurrences
// and tasks, its own hidden-items choice, no busy days in the Date Navigator, and an event
// enumeration error that stops before the tasks.
#include "containers/support/ContainerFixture.h"

#include "containers/webmonth/WebMonthContainer.h"

#include <set>

using namespace container_test;

namespace {

using Occurrences = std::set<std::pair<std::uint32_t, double>>;

class WebMonthContainerTest : public ContainerFixture
{
  public:
    void Fill()
    {
        StoreEvent(QStringLiteral("Dentist"), At(2024, 3, 5, 9), Hours(1));
        StoreEvent(QStringLiteral("February"), At(2024, 2, 27, 9), Hours(1));
        StoreEvent(QStringLiteral("Over the month end"), At(2024, 3, 30), Days(4));
        StoreEvent(QStringLiteral("Secret"), At(2024, 3, 8, 12), Hours(1), CCalendarItem::FlagHidden);
        StoreDaily(QStringLiteral("Walk"), At(2024, 2, 20, 7), Minutes(30), 20);
        CEventItem weekly = MakeSeries(At(2024, 1, 1, 18), Hours(2), Recur::Weekly | Recur::Monday, 1);
        weekly.SetSubject(QStringLiteral("Choir"));
        CRecurrenceException *moved = weekly.GetException(At(2024, 3, 11, 18), true);
        ASSERT_TRUE(moved);
        moved->newStart = At(2024, 3, 12, 18);
        ASSERT_EQ(m_doc.StoreEvent(weekly, true), S_OK);
        StoreTask(QStringLiteral("Taxes"), At(2024, 3, 15));
        StoreTask(QStringLiteral("April"), At(2024, 4, 2));
        StoreTask(QStringLiteral("Hidden task"), At(2024, 3, 20), CCalendarItem::FlagHidden);
    }

    Occurrences Expected(const CDateTime &first, const CDateTime &end, bool hidden)
    {
        Occurrences out;
        for (std::uint32_t id : EventIds()) {
            CEventItem e = Event(id);
            if (e.HasFlag(CCalendarItem::FlagHidden) && !hidden)
                continue;
            for (const COccurrence &o : e.OccurrencesInWindow(first, end))
                out.insert({id, o.keyDate.Value()});
        }
        for (std::uint32_t id : TaskIds()) {
            CTaskItem t = Task(id);
            if ((!t.HasFlag(CCalendarItem::FlagHidden) || hidden) &&
                t.IsShownInRange(first, int((end - first).GetTotalDays() + 0.5)))
                out.insert({id, t.GetDueDate().Value()});
        }
        return out;
    }
    static Occurrences Shown(const CWebMonthContainer &c)
    {
        Occurrences out;
        for (const auto &e : c.GetMonthView().GetEntries())
            out.insert({e->GetItemRef(), e->GetOccurrenceDate().Value()});
        return out;
    }
};

TEST_F(WebMonthContainerTest, LoadsTheMonthWithoutTouchingTheDateNavigator)
{
    Fill();
    // The publisher hands it no panes; a Date Navigator it could reach stays untouched.
    CContainerContext context;
    context.navigator = &m_navigator;
    CWebMonthContainer c;
    c.SetContext(&context);
    c.SetDataSource(&m_port);
    c.UpdateFilter(false);
    EXPECT_EQ(c.GetViewKind(), ViewKind::WebMonth);
    EXPECT_EQ(c.GetSection(), QStringLiteral("Web"));
    EXPECT_FALSE(c.IsSidePaneShown());
    EXPECT_FALSE(c.IsDetailsPaneShown());

    ASSERT_EQ(c.ReloadItems(false, true, At(2024, 3, 14)), S_OK);
    const Occurrences march = Expected(At(2024, 3, 1), At(2024, 4, 1), false);
    EXPECT_EQ(Shown(c), march);
    EXPECT_EQ(march.size(), 1u + 1 + 10 + 4 + 1); // dentist, the month end, walks, choir, taxes
    EXPECT_TRUE(m_navigator.busy.empty());
    // Every entry lies on a day of March, none on the grid's days of other months.
    for (const auto &e : c.GetMonthView().GetEntries())
        EXPECT_EQ(c.GetMonthView().GetDayDate(e->GetFirstCell()).GetMonth(), 3);

    // The next month, and the publisher's own choice of hidden items.
    c.SetShowHiddenItems(true);
    ASSERT_EQ(c.ReloadItems(false, true, At(2024, 4, 1)), S_OK);
    EXPECT_EQ(Shown(c), Expected(At(2024, 4, 1), At(2024, 5, 1), true));
    ASSERT_EQ(c.ReloadItems(false, true, At(2024, 3, 1)), S_OK);
    EXPECT_EQ(Shown(c), Expected(At(2024, 3, 1), At(2024, 4, 1), true));
    EXPECT_FALSE(CViewContainer::IsShowingHiddenItems());

    // Without tasks on their due dates only events are loaded.
    c.SetShowTasksWithDue(false);
    ASSERT_EQ(c.ReloadItems(false, true, At(2024, 3, 1)), S_OK);
    for (const auto &e : c.GetMonthView().GetEntries())
        EXPECT_EQ(e->GetKind(), CDisplayItem::KindEvent);
}

TEST_F(WebMonthContainerTest, AnEventErrorStopsBeforeTheTasks)
{
    Fill();
    CWebMonthContainer c;
    c.SetDataSource(&m_port);
    c.UpdateFilter(false);
    m_port.failLoadAt = 2;
    m_port.failCode = 0x80070005;
    EXPECT_EQ(c.ReloadItems(false, true, At(2024, 3, 14)), HRESULT(0x80070005));
    for (const auto &e : c.GetMonthView().GetEntries())
        EXPECT_EQ(e->GetKind(), CDisplayItem::KindEvent);
    m_port.failLoadAt = 0;
    EXPECT_EQ(c.ReloadItems(false, true, At(2024, 3, 14)), S_OK);
    EXPECT_EQ(Shown(c), Expected(At(2024, 3, 1), At(2024, 4, 1), false));
}

} // namespace
