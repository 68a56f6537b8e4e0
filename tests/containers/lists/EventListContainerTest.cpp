// The Event List container on a data file with a few hundred items: what it lists, its past-items
// switch, its settings across a restart, its updates and its table print paging.
#include "containers/lists/ListContainerFixture.h"

#include "core/system/Profile.h"
#include "containers/mainbase/WidgetRenders.h"
#include "views/list/ItemListWnd.h"

#include <gtest/gtest.h>

using namespace list_test;

namespace {

class EventListContainerTest : public ListContainerFixture
{
  public:
    // The events the core enumerates that pass the filter: one entry each.
    std::multiset<std::uint32_t> ExpectedEvents(const CActiveFilter &filter, bool includePast)
    {
        std::multiset<std::uint32_t> ids;
        for (std::uint32_t id : EventIds()) {
            const CEventItem e = Event(id);
            if (e.HasFlag(CCalendarItem::FlagDeleted) || !filter.MatchesItem(e))
                continue;
            if (!includePast) {
                // Over when its last occurrence ended before today.
                const CDateTime today = At(2024, 3, 12);
                if (!e.IsRecurring() && e.GetStart() + e.GetDuration() < today)
                    continue;
                if (e.IsRecurring() && e.GetPattern().HasEndDate() &&
                    e.GetPattern().GetEnd() + e.GetDuration() < today)
                    continue;
            }
            ids.insert(id);
        }
        return ids;
    }
};

} // namespace

TEST_F(EventListContainerTest, ListsExactlyTheEventsOfItsFilter)
{
    BuildCalendar();
    CEventListContainer &c = Make<CEventListContainer>();
    EXPECT_EQ(c.GetViewKind(), ViewKind::EventList);
    EXPECT_EQ(c.GetSection(), "List");
    EXPECT_FALSE(c.GetShowNavigator());
    EXPECT_FALSE(c.GetShowDetails());
    ASSERT_EQ(c.Reload(CDateTime::Null()), S_OK);
    EXPECT_EQ(m_prompts.waitDepth, 0); // the wait cursor came and went

    // Every event once, hidden ones included; never a task.
    EXPECT_GE(c.GetItemCount(), 240);
    EXPECT_EQ(RecordsOf(c.GetList()), ExpectedEvents(c.GetActiveFilter(), true));
    for (const auto &e : c.GetList().GetEntries())
        EXPECT_EQ(e->GetKind(), CDisplayItem::KindEvent);
    EXPECT_EQ(m_main.viewCount, c.GetItemCount());

    // A category filter narrows the list to the category's events.
    ASSERT_FALSE(FilterCategory().isEmpty());
    CActiveFilter filter;
    filter.SetByName(&m_doc.GetItemTypes(), &m_doc.GetMasterList(), CActiveFilter::KindCategory, FilterCategory(),
                     CDateTime::Null(), QString());
    ASSERT_EQ(filter.GetKind(), CActiveFilter::KindCategory);
    ASSERT_EQ(c.ApplyFilter(filter, false), S_OK);
    const auto expected = ExpectedEvents(c.GetActiveFilter(), true);
    EXPECT_GE(expected.size(), 50u);
    EXPECT_LT(expected.size(), EventIds().size());
    EXPECT_EQ(RecordsOf(c.GetList()), expected);

    // Past items left out, with the filter kept.
    c.OnCommand(CEventListContainer::kCmdIncludePastItems);
    EXPECT_FALSE(c.GetIncludePastItems());
    EXPECT_EQ(RecordsOf(c.GetList()), ExpectedEvents(c.GetActiveFilter(), false));
    EXPECT_EQ(c.GetActiveFilter().GetKind(), CActiveFilter::KindCategory);
}

TEST_F(EventListContainerTest, PastItemsAreLeftOutOnlyWhenOver)
{
    const CDateTime today = At(2024, 3, 12);
    const std::uint32_t yesterday = Single("ended yesterday", At(2024, 3, 11, 9), Hours(1));
    const std::uint32_t endsToday = Single("ends today", At(2024, 3, 11, 22), Hours(3));
    const std::uint32_t tomorrow = Single("tomorrow", At(2024, 3, 13, 9), Hours(1));
    CEventItem lastMonth = Series("weekly, ended last month", At(2024, 1, 1, 9), 7, 6);
    const std::uint32_t ended = Store(lastMonth);
    CEventItem open = Series("weekly, open", At(2023, 1, 2, 9), 7);
    const std::uint32_t openId = Store(open);
    (void)today;

    CEventListContainer &c = Make<CEventListContainer>();
    ASSERT_EQ(c.Reload(CDateTime::Null()), S_OK);
    EXPECT_EQ(RecordsOf(c.GetList()), (std::multiset<std::uint32_t>{yesterday, endsToday, tomorrow, ended, openId}));
    CCmdUI ui;
    ASSERT_TRUE(c.OnUpdateCommand(CEventListContainer::kCmdIncludePastItems, ui));
    EXPECT_TRUE(ui.enabled);
    EXPECT_TRUE(ui.checked);
    EXPECT_FALSE(c.GetFilterCaption().endsWith('*'));

    c.OnCommand(CEventListContainer::kCmdIncludePastItems);
    EXPECT_EQ(RecordsOf(c.GetList()), (std::multiset<std::uint32_t>{endsToday, tomorrow, openId}));
    EXPECT_TRUE(c.GetFilterCaption().endsWith('*'));
    EXPECT_EQ(m_main.infoText, c.GetFilterCaption());
    EXPECT_EQ(GetProfileInt("List", "IPI", 1), 0);
    ui = CCmdUI();
    c.OnUpdateCommand(CEventListContainer::kCmdIncludePastItems, ui);
    EXPECT_FALSE(ui.checked);

    c.OnCommand(CEventListContainer::kCmdIncludePastItems);
    EXPECT_EQ(c.GetItemCount(), 5);
    EXPECT_FALSE(c.GetFilterCaption().endsWith('*'));
    EXPECT_EQ(GetProfileInt("List", "IPI", 0), 1);
}

// Columns, sort order and the past-items switch come back at the next start.
TEST_F(EventListContainerTest, KeepsItsSettingsAcrossARestart)
{
    BuildKnownItems();
    Single("Alpha", At(2024, 3, 14, 9), Hours(1));
    Single("Zulu", At(2024, 3, 15, 9), Hours(1));
    std::vector<std::uint32_t> columns;
    {
        CEventListContainer &c = Make<CEventListContainer>();
        ASSERT_EQ(c.Reload(CDateTime::Null()), S_OK);
        CEventListWnd &list = c.GetList();
        list.SortByColumn(list.Columns().VisualIndexOf(4), CItemListCtrl::SortRequest::Descending);
        list.HideColumn(list.Columns().VisualIndexOf(20)); // Location
        list.MoveColumn(list.Columns().VisualIndexOf(16), 0);
        columns = list.Columns().FieldValues();
        c.OnCommand(CEventListContainer::kCmdIncludePastItems);
        Drop(c);
    }
    RestartSettings();
    CEventListContainer &again = Make<CEventListContainer>();
    ASSERT_EQ(again.Reload(CDateTime::Null()), S_OK);
    const CEventListWnd &list = again.GetList();
    EXPECT_EQ(list.Columns().FieldValues(), columns);
    EXPECT_EQ(list.Columns().IdAt(0), 16);
    EXPECT_EQ(list.Columns().VisualIndexOf(20), -1);
    EXPECT_EQ(list.Columns().SortId(), 4);
    EXPECT_FALSE(list.Columns().Ascending());
    EXPECT_FALSE(again.GetIncludePastItems());
    // Sorted by subject, descending: Zulu first; Lunch (over) is left out.
    ASSERT_GT(list.GetEntryCount(), 0);
    EXPECT_EQ(list.GetEntry(0)->GetSubject(), "Zulu");
    for (const auto &e : list.GetEntries())
        EXPECT_NE(e->GetItemRef(), lunch);
}

TEST_F(EventListContainerTest, FollowsItemsStoredAndDeletedThroughTheDocument)
{
    BuildCalendar();
    CEventListContainer &c = Make<CEventListContainer>();
    ASSERT_EQ(c.Reload(CDateTime::Null()), S_OK);
    const int before = c.GetItemCount();
    CEventListWnd &list = c.GetList();
    const std::uint32_t task0 = TaskIds().front(); // never listed

    // A new event.
    CEventItem added;
    added.SetSubject("Added later");
    added.SetStart(At(2024, 3, 21, 9));
    added.SetDuration(Hours(1));
    const std::uint32_t id = Store(added);
    CItemRef holder;
    holder.SetRecordId(id);
    holder.SetItem(std::make_unique<CEventItem>(Event(id)));
    c.OnItemUpdated(holder, false);
    EXPECT_EQ(c.GetItemCount(), before + 1);

    // Changed: still one entry, with the new subject, still selected and focused.
    int row = -1;
    for (int i = 0; i < list.GetEntryCount(); ++i)
        if (list.GetEntry(i)->GetItemRef() == id)
            row = i;
    ASSERT_GE(row, 0);
    list.SetAllItemStates(0, CDisplayItem::StateSelected, false);
    list.GetEntry(row)->SetState(list.GetEntry(row)->GetState() | CDisplayItem::StateSelected);
    list.SetFocusedEntry(row);
    CEventItem changed = Event(id);
    changed.SetSubject("Added later, renamed");
    changed.SetStart(At(2024, 3, 22, 9));
    Store(changed);
    CItemRef again;
    again.SetRecordId(id);
    again.SetItem(std::make_unique<CEventItem>(Event(id)));
    c.OnItemUpdated(again, false);
    EXPECT_EQ(c.GetItemCount(), before + 1);
    EXPECT_EQ(RecordsOf(list).count(id), 1u);
    const CDisplayItem *focused = list.GetEntry(list.GetFocusedEntry());
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->GetItemRef(), id);
    EXPECT_EQ(focused->GetSubject(), "Added later, renamed");
    EXPECT_TRUE(focused->GetState() & CDisplayItem::StateSelected);

    // A reminder rescheduled it: the entry is made afresh from the stored event, keeping its
    // selection.
    CEventItem moved = Event(id);
    moved.SetStart(At(2024, 3, 23, 9));
    Store(moved);
    EXPECT_TRUE(c.OnItemRescheduled(id, At(2024, 3, 22, 9), At(2024, 3, 23, 9)));
    focused = list.GetEntry(list.GetFocusedEntry());
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->GetItemRef(), id);
    EXPECT_EQ(focused->GetStart(), At(2024, 3, 23, 9));
    EXPECT_TRUE(focused->GetState() & CDisplayItem::StateSelected);
    EXPECT_EQ(c.GetItemCount(), before + 1);
    EXPECT_FALSE(c.OnItemRescheduled(task0, CDateTime::Null(), CDateTime::Null()));

    // A task stored meanwhile changes nothing.
    CTaskItem task;
    task.SetSubject("A task");
    ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);
    CItemRef taskHolder;
    taskHolder.SetRecordId(task.GetRecordId());
    taskHolder.SetItem(std::make_unique<CTaskItem>(task));
    c.OnItemUpdated(taskHolder, false);
    EXPECT_EQ(c.GetItemCount(), before + 1);

    // Deleted: the document tells the container, which drops its entry.
    ASSERT_EQ(m_doc.DeleteEvent(id, false, true), S_OK);
    c.RemoveItemFromViews(id, nullptr, true);
    EXPECT_EQ(c.GetItemCount(), before);
    EXPECT_EQ(RecordsOf(list).count(id), 0u);
    ASSERT_EQ(c.Reload(CDateTime::Null()), S_OK);
    EXPECT_EQ(c.GetItemCount(), before);
}

TEST_F(EventListContainerTest, PrintsAsATableOfPages)
{
    for (int i = 0; i < 7; ++i)
        Single(QStringLiteral("event %1").arg(i), At(2024, 3, 13 + i, 9), Hours(1));
    CEventListContainer &c = Make<CEventListContainer>();
    ASSERT_EQ(c.Reload(CDateTime::Null()), S_OK);
    int style = 0;
    CDateTime start, end;
    c.GetDefaultPrintRange(style, start, end);
    EXPECT_EQ(style, 262);
    EXPECT_EQ(start, At(2024, 3, 12));
    EXPECT_EQ(end, At(2024, 3, 12));

    // A page holding one row under the heading prints one row per page; none divides by zero.
    EXPECT_EQ(c.CountTablePages(80, 40, 1, false), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(c.CountTablePages(30, 40, 1, false).size(), 7u);
    EXPECT_EQ(c.CountTablePages(1000, 40, 2, false), (std::vector<int>{0, 0}));
    c.GetList().GetEntry(2)->SetState(CDisplayItem::StateSelected);
    c.GetList().GetEntry(5)->SetState(CDisplayItem::StateSelected);
    EXPECT_EQ(c.CountTablePages(80, 40, 1, true), (std::vector<int>{2, 5}));

    const auto columns = c.GetTablePrintColumns(ViewKind::EventList, nullptr, false);
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(columns.front().fieldId, 4); // the icon columns stay off paper without the option
}

TEST_F(EventListContainerTest, RenderGallery)
{
    BuildCalendar();
    CEventListContainer &c = Make<CEventListContainer>();
    ASSERT_EQ(c.Reload(CDateTime::Null()), S_OK);
    c.GetList().SortByColumn(c.GetList().Columns().VisualIndexOf(16), CItemListCtrl::SortRequest::Ascending);
    c.GetList().SetFocusedEntry(3);
    c.GetList().GetEntry(3)->SetState(CDisplayItem::StateSelected | CDisplayItem::StateFocus);
    const QImage image = RenderWidget(c, "event_list_container");
    EXPECT_EQ(image.size(), QSize(900, 600));
    EXPECT_EQ(c.GetFrame()->geometry(), QRect(0, 0, 900, 600));
}
