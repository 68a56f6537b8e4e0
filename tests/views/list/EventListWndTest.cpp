// The Event List and Search Results: which items enter, past items, the search, the day-change
// refresh, the popup codes, and offscreen renders of both lists.
#include "views/list/EventListWnd.h"
#include "views/list/ListFixture.h"
#include "views/support/ViewFakes.h"
#include "common/TempProfile.h"
#include "core/lists/ActiveFilter.h"
#include "core/items/ItemRef.h"
#include "views/base/CalendarViewWnd.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace listfixture;

namespace {

CItemRef Ref(const CEventItem &e)
{
    CItemRef ref;
    ref.SetItem(std::make_unique<CEventItem>(e));
    ref.SetRecordId(e.GetRecordId());
    return ref;
}

CItemRef Ref(const CTaskItem &t)
{
    CItemRef ref;
    ref.SetItem(std::make_unique<CTaskItem>(t));
    ref.SetRecordId(t.GetRecordId());
    return ref;
}

std::vector<std::uint32_t> Ids(const CEventListWnd &view)
{
    std::vector<std::uint32_t> ids;
    for (const auto &e : view.GetEntries())
        ids.push_back(e->GetItemRef());
    std::sort(ids.begin(), ids.end());
    return ids;
}

CActiveFilter SearchFor(const QString &upperText)
{
    CActiveFilter filter;
    filter.SetByIndex(nullptr, nullptr, CActiveFilter::KindNone, -1, CDateTime(), upperText);
    return filter;
}

// The fixture calendar: a few events around May 2024, a series, two tasks.
struct Calendar
{
    std::vector<CEventItem> events;
    std::vector<CTaskItem> tasks;

    Calendar()
    {
        events.push_back(StoredEvent(1, "Dentist", CDateTime(2024, 5, 2, 9), Hours(1)));
        events.push_back(StoredEvent(2, "Lunch with Ann", CDateTime(2024, 5, 6, 12, 30), Hours(1.5)));
        events.push_back(StoredEvent(3, "Old trip", CDateTime(1990, 7, 1), CDateSpan(3.0)));
        events.back().SetLocation("Lisbon");
        events.push_back(StoredSeries(4, "Team meeting", CDateTime(2024, 4, 1, 10),
                                      Recur::Weekly | Recur::ByDate | Recur::Monday));
        events.back().SetLocation("Room 4");
        tasks.push_back(StoredTask(10, "Tax return", CDateTime(2024, 5, 31)));
        tasks.push_back(StoredTask(11, "Read lunch menu"));
        tasks.back().SetPriority(CTaskItem::PriorityUrgent);
    }
};

class EventListTest : public ::testing::Test
{
  protected:
    void Attach(CEventListWnd &view)
    {
        view.SetHost(&host);
        view.SetContainer(&container);
        view.LoadFonts(true);
        view.LoadViewOptions();
    }

    Clock clock{CDateTime(2024, 5, 8, 12)}; // a Wednesday
    TempProfile profile;
    FakeHost host;
    FakeContainer container;
    Calendar cal;
};

} // namespace

TEST_F(EventListTest, RangeDecidesWhichItemsEnter)
{
    struct Case
    {
        const char *name;
        CDateTime from, to;
        std::vector<std::uint32_t> expected;
    };
    const CDateTime none = CDateTime::Null();
    const std::vector<Case> cases = {
        {"no range", none, none, {1, 2, 3, 4, 10, 11}},
        {"only to", none, CDateTime(1990, 12, 31), {3, 11}},
        {"from after to", CDateTime(2024, 5, 3), CDateTime(2024, 5, 2), {}},
        // The span runs from "from" over whole days through the day of "to": 2 May 10:00 to
        // 3 May 10:00, so the 9:00 dentist on the 2nd is out and the weekly Monday series too.
        {"partial days", CDateTime(2024, 5, 2, 10), CDateTime(2024, 5, 3, 9), {11}},
        {"day of the dentist", CDateTime(2024, 5, 2), CDateTime(2024, 5, 2), {1, 11}},
        {"a Monday", CDateTime(2024, 5, 6), CDateTime(2024, 5, 6, 23), {2, 4, 11}},
        {"only from", CDateTime(2024, 5, 20), none, {4, 10, 11}},
    };
    for (const Case &k : cases) {
        CEventListWnd view;
        view.SetRange(k.from, k.to);
        for (const CEventItem &e : cal.events) {
            CItemRef ref = Ref(e);
            view.AddItemInRange(ref);
        }
        for (const CTaskItem &t : cal.tasks) {
            CItemRef ref = Ref(t);
            view.AddItemInRange(ref);
        }
        EXPECT_EQ(Ids(view), k.expected) << k.name;
    }
}

TEST_F(EventListTest, OneEntryPerEventShowingItsNextOccurrence)
{
    CEventListWnd view;
    view.SetRange(CDateTime(2024, 4, 1), CDateTime(2024, 6, 30));
    CItemRef ref = Ref(cal.events[3]);
    ASSERT_TRUE(view.AddItem(ref));
    ASSERT_EQ(view.GetEntryCount(), 1);
    const auto *entry = dynamic_cast<const CDatedDisplayItem *>(view.GetEntry(0));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->GetNextDate(), CDateTime(2024, 5, 13, 10));
    QString text;
    view.GetCellText(*entry, 18, text);
    EXPECT_FALSE(text.isEmpty());
}

TEST_F(EventListTest, PastItemsAreShownOrNotAsSet)
{
    std::vector<CEventItem> events = {
        StoredEvent(1, "ended yesterday", CDateTime(2024, 5, 7, 9), Hours(2)),
        StoredEvent(2, "ends today", CDateTime(2024, 5, 7, 23), Hours(2)),
        StoredSeries(3, "series ended last month", CDateTime(2024, 3, 4, 9),
                     Recur::Weekly | Recur::ByDate | Recur::Monday, CDateTime(2024, 4, 1)),
        StoredSeries(4, "series without end", CDateTime(2020, 1, 6, 9),
                     Recur::Weekly | Recur::ByDate | Recur::Monday),
        StoredEvent(5, "next week", CDateTime(2024, 5, 15, 9)),
    };
    for (bool include : {true, false}) {
        CEventListWnd view;
        Attach(view);
        view.SetRange(CDateTime::Null(), CDateTime::Null());
        view.SetIncludePastItems(include);
        for (const CEventItem &e : events) {
            CItemRef ref = Ref(e);
            view.OfferItem(ref, nullptr);
        }
        // The Event List never lists tasks.
        CItemRef task = Ref(cal.tasks[0]);
        EXPECT_FALSE(view.OfferItem(task, nullptr));
        EXPECT_EQ(Ids(view), include ? (std::vector<std::uint32_t>{1, 2, 3, 4, 5})
                                     : (std::vector<std::uint32_t>{2, 4, 5}))
            << "include past items " << include;
    }
}

TEST_F(EventListTest, SearchListsExactlyTheMatchingItemsAndOccurrences)
{
    CEventItem series = StoredSeries(20, "Weekly review", CDateTime(2024, 4, 1, 10),
                                     Recur::Weekly | Recur::ByDate | Recur::Monday);
    // One changed occurrence mentions lunch; another changed one does not.
    const CDateTime lunchKey(2024, 4, 15, 10), movedKey(2024, 4, 22, 10);
    series.InsertException(lunchKey);
    series.GetException(lunchKey, false)->SetSubject(true, "Review over lunch");
    series.InsertException(movedKey);
    series.GetException(movedKey, false)->SetSubject(true, "Review moved");
    CEventItem notes = StoredEvent(21, "Call", CDateTime(2024, 5, 9, 9));
    notes.SetNotes("ask about the LUNCH order");
    CEventItem deleted = StoredEvent(22, "Lunch (deleted)", CDateTime(2024, 5, 9, 12));
    deleted.SetFlag(CCalendarItem::FlagDeleted, true);

    CEventListWnd view(CEventListWnd::ModeSearch);
    Attach(view);
    view.SetRange(CDateTime::Null(), CDateTime::Null());
    const CActiveFilter filter = SearchFor("LUNCH");
    std::vector<CItemRef> refs;
    for (const CEventItem &e : cal.events)
        refs.push_back(Ref(e));
    for (const CTaskItem &t : cal.tasks)
        refs.push_back(Ref(t));
    refs.push_back(Ref(series));
    refs.push_back(Ref(notes));
    refs.push_back(Ref(deleted));
    for (CItemRef &ref : refs)
        view.OfferItem(ref, &filter);

    EXPECT_EQ(Ids(view), (std::vector<std::uint32_t>{2, 11, 20, 21}));
    // The series is listed once, for the matching occurrence.
    const int index = view.FindEntry(20, lunchKey);
    ASSERT_GE(index, 0);
    EXPECT_EQ(view.GetEntry(index)->GetSubject(), "Review over lunch");
    EXPECT_TRUE(view.GetEntry(index)->HasFlag(CDisplayItem::FlagChanged));
}

TEST_F(EventListTest, DayChangeMovesNextOccurrencesOnlyWhenTheViewDateIsNotToday)
{
    const CEventItem series = cal.events[3]; // Mondays at 10:00 from 1 April
    container.doc.events[4] = series;
    for (const CDateTime &viewDate : {CDateTime(2024, 5, 8), CDateTime(2024, 5, 1)}) {
        CEventListWnd view;
        Attach(view);
        view.SetRange(viewDate, CDateTime::Null());
        auto entry = EventEntry(4, "Team meeting", series.GetStart());
        entry->SetFlag(CDisplayItem::FlagRecurring, true);
        entry->SetNextDate(CDateTime(2024, 4, 29, 10)); // stale
        view.AddEntry(std::move(entry));
        view.AddEntry(EventEntry(5, "Single", CDateTime(2024, 5, 1, 9)));
        view.SetFocusedEntry(1);
        view.RefreshRecurringEntries();
        const int row = view.FindEntry(4, CDateTime(0.0));
        const auto &dated = static_cast<const CDatedDisplayItem &>(*view.GetEntry(row));
        if (viewDate == CDateTime(2024, 5, 8)) {
            EXPECT_EQ(dated.GetNextDate(), CDateTime(2024, 4, 29, 10)) << "view date today";
        } else {
            EXPECT_EQ(dated.GetNextDate(), CDateTime(2024, 5, 13, 10));
            EXPECT_EQ(view.GetEntry(view.GetFocusedEntry())->GetItemRef(), 5u); // focus kept across the sort
        }
    }
}

TEST_F(EventListTest, PopupCodes)
{
    for (int mode : {CEventListWnd::ModeEventList, CEventListWnd::ModeSearch}) {
        const bool search = mode == CEventListWnd::ModeSearch;
        CEventListWnd view(mode);
        Attach(view);
        EXPECT_EQ(view.GetCaption(), search ? "Search Results" : "Event List");
        // Nothing listed or selected: the empty-area menu, from the keyboard and the mouse.
        EXPECT_EQ(view.GetContextMenuIndex(QPoint(-1, -1), true), search ? 8 : 6);
        EXPECT_EQ(view.GetContextMenuIndex(QPoint(50, 90), false), search ? 8 : 6);
        // Over the header: its menu, remembering the column.
        EXPECT_EQ(view.GetContextMenuIndex(QPoint(25, 3), false), 7);
        EXPECT_EQ(view.GetRightClickColumn(), 1);

        view.AddEntry(TaskEntry(11, "task"));
        view.AddEntry(EventEntry(1, "event", CDateTime(2024, 5, 2, 9)));
        view.Refresh(false);
        view.GetEntry(0)->SetState(CDisplayItem::StateSelected);
        const QPoint onRow(25, view.GetHeaderHeight() + 2);
        // One selected task: the task menu in Search Results, the item menu in the Event List.
        EXPECT_EQ(view.GetContextMenuIndex(QPoint(-1, -1), true), search ? 9 : 4);
        EXPECT_EQ(view.GetContextMenuIndex(onRow, false), search ? 9 : 4);
        view.GetEntry(1)->SetState(CDisplayItem::StateSelected);
        EXPECT_EQ(view.GetContextMenuIndex(QPoint(-1, -1), true), 4);
    }
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(EventListTest, DefaultColumnsOfEachMode)
{
    CEventListWnd list, search(CEventListWnd::ModeSearch);
    Attach(list);
    Attach(search);
    EXPECT_EQ(list.Columns().FieldValues().size(), 12u);
    EXPECT_EQ(list.Columns().SortId(), 16);
    EXPECT_EQ(search.Columns().FieldValues().size(), 10u);
    EXPECT_EQ(search.Columns().SortId(), 4);
    // Task fields are not offered in the Event List.
    EXPECT_FALSE(list.AcceptsColumn(35));
    EXPECT_TRUE(search.AcceptsColumn(35));
}

namespace {

// Renders the list with one row selected into the build tree and returns the image.
QImage Render(CEventListWnd &view, const QString &name, int selectedRow)
{
    CCalendarViewWnd wnd(view);
    wnd.resize(900, 220);
    view.LoadFonts(true);
    view.LoadViewOptions();
    view.RecalcLayout();
    view.Refresh(true);
    view.GetEntry(selectedRow)->SetState(CDisplayItem::StateSelected | CDisplayItem::StateFocus);
    const QImage image = wnd.grab().toImage();
    const QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    image.save(dir.filePath(QStringLiteral("renders/%1.png").arg(name)));
    view.SetHost(nullptr);
    return image;
}

} // namespace

TEST_F(EventListTest, OffscreenRenders)
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    for (int mode : {CEventListWnd::ModeEventList, CEventListWnd::ModeSearch}) {
        const bool search = mode == CEventListWnd::ModeSearch;
        CEventListWnd view(mode);
        view.SetContainer(&container);
        view.SetRange(CDateTime::Null(), CDateTime::Null());
        const CActiveFilter filter = SearchFor("E");
        for (const CEventItem &e : cal.events) {
            CItemRef ref = Ref(e);
            view.OfferItem(ref, search ? &filter : nullptr);
        }
        for (const CTaskItem &t : cal.tasks) {
            CItemRef ref = Ref(t);
            view.OfferItem(ref, &filter);
        }
        ASSERT_GE(view.GetEntryCount(), 3);
        const QImage image = Render(view, search ? "search_results" : "event_list", 1);
        ASSERT_FALSE(image.isNull());

        // The header band, the selected row and an unselected row, read back from the pixels of
        // an empty stretch of the subject cell (its right end).
        const QRect subject = view.GetHeaderItemRect(view.Columns().VisualIndexOf(4));
        const int x = subject.right() - 20;
        const int header = view.GetHeaderHeight(), row = view.GetRowHeight();
        EXPECT_EQ(image.pixelColor(x, header / 2), ToQColor(colors.buttonFace));
        EXPECT_EQ(image.pixelColor(x, header + row + row / 2), ToQColor(colors.highlight));
        EXPECT_EQ(image.pixelColor(x, header + row / 2), ToQColor(view.m_backgroundColour));
        // The grid line under the first row.
        EXPECT_EQ(image.pixelColor(x, header + row - 1), ToQColor(colors.grid));
    }
}
