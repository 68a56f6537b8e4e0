// The Search Results container: the find bar's checks and history, what a search finds by each
// field and by date range, changed and deleted occurrences, updates, keys and its render.
#include "containers/lists/ListContainerFixture.h"

#include "containers/lists/SearchCriteria.h"
#include "containers/mainbase/WidgetRenders.h"
#include "toolkit/bars/DateFieldFactory.h"
#include "toolkit/bars/FindBar.h"
#include "views/list/ItemListWnd.h"

#include <QApplication>
#include <QComboBox>
#include <gtest/gtest.h>

using namespace list_test;

namespace {

class SearchContainerTest : public ListContainerFixture
{
  public:
    CSearchContainer &Searcher()
    {
        CSearchContainer &c = Make<CSearchContainer>();
        c.SetMainCommandSink([this](int id) { mainCommands.push_back(id); });
        return c;
    }
    static HRESULT Search(CSearchContainer &c, const QString &text, const CDateTime &start = CDateTime::Null(),
                          const CDateTime &end = CDateTime::Null())
    {
        c.GetFindBar()->SearchCombo()->setEditText(text);
        SetDateFieldValue(c.GetFindBar()->StartField(), start);
        SetDateFieldValue(c.GetFindBar()->EndField(), end);
        return c.RunSearch();
    }
    EntryKey Whole(std::uint32_t id) const { return {id, 0.0}; }
    EntryKey Occurrence(std::uint32_t id, const CDateTime &key) const { return {id, key.Value()}; }

    std::vector<int> mainCommands;
};

} // namespace

TEST(SearchCriteriaTest, RefusesEmptyTextAndInvertedRanges)
{
    struct Case
    {
        QString typed;
        CDateTime start, end;
        CSearchCriteria::Check check;
    } cases[] = {
        {"", CDateTime::Null(), CDateTime::Null(), CSearchCriteria::Check::EmptyText},
        {"   \t ", CDateTime::Null(), CDateTime::Null(), CSearchCriteria::Check::EmptyText},
        {" gym ", CDateTime::Null(), CDateTime::Null(), CSearchCriteria::Check::Ok},
        {"gym", At(2024, 3, 2), At(2024, 3, 1), CSearchCriteria::Check::EndBeforeStart},
        {"gym", At(2024, 3, 1), At(2024, 3, 1), CSearchCriteria::Check::Ok},
        {"gym", At(2024, 3, 1), CDateTime::Null(), CSearchCriteria::Check::Ok}, // one bound alone
        {"gym", CDateTime::Null(), At(2024, 3, 1), CSearchCriteria::Check::Ok},
        {"", At(2024, 3, 2), At(2024, 3, 1), CSearchCriteria::Check::EmptyText}, // the text first
    };
    for (const Case &c : cases)
        EXPECT_EQ(CSearchCriteria(c.typed, c.start, c.end).Validate(), c.check) << c.typed.toStdString();
    const CSearchCriteria trimmed("  Dentist visit ", CDateTime::Null(), CDateTime::Null());
    EXPECT_EQ(trimmed.GetText(), "Dentist visit");
    EXPECT_EQ(trimmed.GetSearchText(), "DENTIST VISIT");

    // Occurrences touching the searched days; open bounds.
    const CDateTime from = At(2024, 3, 10), to = At(2024, 3, 12);
    EXPECT_TRUE(CSearchCriteria::Touches(At(2024, 3, 12, 23), At(2024, 3, 13, 1), from, to));
    EXPECT_FALSE(CSearchCriteria::Touches(At(2024, 3, 13), At(2024, 3, 13, 1), from, to));
    EXPECT_TRUE(CSearchCriteria::Touches(At(2024, 3, 9, 23), At(2024, 3, 10, 1), from, to));
    EXPECT_FALSE(CSearchCriteria::Touches(At(2024, 3, 9, 22), At(2024, 3, 10), from, to));
    EXPECT_TRUE(CSearchCriteria::Touches(At(2024, 3, 10), At(2024, 3, 10), from, to)); // no length
    EXPECT_TRUE(CSearchCriteria::Touches(At(1999, 1, 1), At(1999, 1, 2), CDateTime::Null(), to));
    EXPECT_FALSE(CSearchCriteria::Touches(At(1999, 1, 1), At(1999, 1, 2), from, CDateTime::Null()));
}

TEST_F(SearchContainerTest, RefusedInputChangesNothing)
{
    BuildKnownItems();
    CSearchContainer &c = Searcher();
    EXPECT_EQ(c.GetViewKind(), ViewKind::Search);
    EXPECT_EQ(c.GetSection(), "ListF");
    EXPECT_TRUE(c.GetShowDetails());
    EXPECT_FALSE(c.GetShowNavigator());
    ASSERT_EQ(Search(c, "budget"), S_OK);
    ASSERT_EQ(c.GetItemCount(), 1);

    EXPECT_EQ(Search(c, "    "), S_OK);
    EXPECT_EQ(Search(c, "gym", At(2024, 3, 20), At(2024, 3, 19)), S_OK);
    EXPECT_EQ(m_messages.Texts(),
              (QStringList{CSearchCriteria::WarningText(CSearchCriteria::Check::EmptyText),
                           CSearchCriteria::WarningText(CSearchCriteria::Check::EndBeforeStart)}));
    // The earlier result and the filter stand; neither text went into the history.
    EXPECT_EQ(c.GetItemCount(), 1);
    EXPECT_EQ(c.GetActiveFilter().GetSearchText(), "BUDGET");
    EXPECT_EQ(c.GetFindBar()->History().ListRows(), QStringList{"budget"});
}

TEST_F(SearchContainerTest, TheTypedTextGoesToTheHistoryAndUpperCaseToTheFilter)
{
    BuildKnownItems();
    CSearchContainer &c = Searcher();
    ASSERT_EQ(Search(c, "  sailing "), S_OK);
    EXPECT_EQ(c.GetActiveFilter().GetSearchText(), "SAILING");
    ASSERT_EQ(Search(c, "lunch"), S_OK);
    ASSERT_EQ(Search(c, "Sailing"), S_OK);
    EXPECT_EQ(c.GetFindBar()->History().ListRows(), (QStringList{"Sailing", "lunch"}));
    ASSERT_EQ(Search(c, "SAILING"), S_OK); // already the newest: kept as it was
    EXPECT_EQ(c.GetFindBar()->History().ListRows(), (QStringList{"Sailing", "lunch"}));
    EXPECT_EQ(c.GetActiveFilter().GetSearchText(), "SAILING");
    EXPECT_EQ(c.GetItemCount(), 1);
    EXPECT_EQ(m_main.infoText, c.GetFilterCaption());
}

TEST_F(SearchContainerTest, FindsByEachFieldAndChangedOccurrences)
{
    BuildCalendar();
    CSearchContainer &c = Searcher();
    struct Case
    {
        QString text;
        std::set<EntryKey> found;
    } cases[] = {
        {"quarterly BUDGET", {Whole(budget)}},                   // subject
        {"harbour", {Whole(sailing)}},                           // notes
        {"lighthouse", {Whole(lunch)}},                          // location
        // The series' own location, and the changed occurrence that keeps it as its own.
        {"sports centre", {Whole(gym_), Occurrence(gym_, gymKeyA)}},
        // An occurrence's own subject and location; the deleted one with "Dentist follow-up" is
        // not found, and the task is.
        {"dentist", {Occurrence(gym_, gymKeyA), Occurrence(gym_, gymKeyB), Whole(dentistTask)}},
        {"follow-up", {}},
        {"routine 8 moved", {}},
    };
    // The changed occurrence of "Routine 8" is found by its own subject alone.
    std::uint32_t routine8 = 0;
    for (std::uint32_t id : EventIds())
        if (Event(id).GetSubject() == "Routine 8")
            routine8 = id;
    ASSERT_NE(routine8, 0u);
    const CEventItem r8 = Event(routine8);
    ASSERT_EQ(r8.GetExceptionCount(), 1);
    cases[6].found = {Occurrence(routine8, r8.GetExceptions()[0].keyDate)};

    for (const Case &k : cases) {
        ASSERT_EQ(Search(c, k.text), S_OK);
        EXPECT_EQ(KeysOf(c.GetList()), k.found) << k.text.toStdString();
        EXPECT_EQ(c.GetItemCount(), int(k.found.size())) << k.text.toStdString();
    }

    // The core's own matching over every item gives the same as the list for a common word.
    ASSERT_EQ(Search(c, "chore 1"), S_OK);
    std::set<EntryKey> expected;
    for (std::uint32_t id : TaskIds())
        if (c.GetActiveFilter().MatchesItem(Task(id)))
            expected.insert(Whole(id));
    EXPECT_EQ(expected.size(), 11u); // Chore 1, 10..19
    EXPECT_EQ(KeysOf(c.GetList()), expected);
}

TEST_F(SearchContainerTest, TheDateRangeNarrowsTheResults)
{
    BuildCalendar();
    CSearchContainer &c = Searcher();
    struct Case
    {
        CDateTime start, end;
        std::set<EntryKey> found;
    } cases[] = {
        {CDateTime::Null(), CDateTime::Null(),
         {Occurrence(gym_, gymKeyA), Occurrence(gym_, gymKeyB), Whole(dentistTask)}},
        {At(2024, 3, 1), At(2024, 3, 31), {Occurrence(gym_, gymKeyA)}}, // the task is due in May
        {At(2024, 3, 18), At(2024, 3, 18), {Occurrence(gym_, gymKeyA)}},
        {At(2024, 3, 19), At(2024, 4, 14), {}},
        {At(2024, 4, 1), CDateTime::Null(), {Occurrence(gym_, gymKeyB), Whole(dentistTask)}},
        {CDateTime::Null(), At(2024, 3, 31), {Occurrence(gym_, gymKeyA)}},
    };
    for (const Case &k : cases) {
        ASSERT_EQ(Search(c, "Dentist", k.start, k.end), S_OK);
        EXPECT_EQ(KeysOf(c.GetList()), k.found) << k.start.ToIsoString().toStdString();
        EXPECT_EQ(c.GetFirstShownDate(), k.start);
        EXPECT_EQ(c.GetLastShownDate(), k.end);
    }
    // Single events by their own dates.
    ASSERT_EQ(Search(c, "budget", At(2024, 3, 21), CDateTime::Null()), S_OK);
    EXPECT_EQ(c.GetItemCount(), 0);
    ASSERT_EQ(Search(c, "budget", At(2024, 3, 20), At(2024, 3, 20)), S_OK);
    EXPECT_EQ(c.GetItemCount(), 1);
}

// A series that does not match is listed once, for its matching changed occurrence; an empty
// search lists nothing and takes in nothing stored afterwards.
TEST_F(SearchContainerTest, ChangedOccurrencesAndEmptySearches)
{
    BuildKnownItems();
    CSearchContainer &c = Searcher();
    ASSERT_EQ(c.StartEmptySearch(), S_OK);
    EXPECT_EQ(c.GetItemCount(), 0);
    EXPECT_TRUE(c.GetActiveFilter().GetSearchText().isEmpty());
    CItemRef stored;
    stored.SetRecordId(budget);
    stored.SetItem(std::make_unique<CEventItem>(Event(budget)));
    c.OnItemUpdated(stored, false);
    EXPECT_EQ(c.GetItemCount(), 0);

    ASSERT_EQ(Search(c, "appointment"), S_OK);
    ASSERT_EQ(c.GetItemCount(), 1);
    const CDisplayItem *entry = c.GetList().GetEntry(0);
    EXPECT_EQ(entry->GetSubject(), "Dentist appointment");
    EXPECT_EQ(entry->GetStart(), At(2024, 3, 18, 15));

    // Past items cannot be switched off here.
    CCmdUI ui;
    ASSERT_TRUE(c.OnUpdateCommand(CEventListContainer::kCmdIncludePastItems, ui));
    EXPECT_FALSE(ui.enabled);
}

TEST_F(SearchContainerTest, FollowsItemsStoredAndDeletedThroughTheDocument)
{
    BuildCalendar();
    CSearchContainer &c = Searcher();
    ASSERT_EQ(Search(c, "dentist"), S_OK);
    ASSERT_EQ(c.GetItemCount(), 3);

    // A new matching event comes in; a renamed one that no longer matches goes.
    const std::uint32_t id = Single("Dentist again", At(2024, 6, 3, 9), Hours(1));
    CItemRef holder;
    holder.SetRecordId(id);
    holder.SetItem(std::make_unique<CEventItem>(Event(id)));
    c.OnItemUpdated(holder, false);
    EXPECT_EQ(c.GetItemCount(), 4);
    CEventItem renamed = Event(id);
    renamed.SetSubject("Orthodontics");
    Store(renamed);
    CItemRef again;
    again.SetRecordId(id);
    again.SetItem(std::make_unique<CEventItem>(Event(id)));
    c.OnItemUpdated(again, false);
    EXPECT_EQ(c.GetItemCount(), 3);

    // The changed occurrence of the series is deleted through the document.
    ASSERT_EQ(m_doc.DeleteOccurrence(gym_, gymKeyA, true, true), S_OK);
    CItemRef series;
    series.SetRecordId(gym_);
    series.SetItem(std::make_unique<CEventItem>(Event(gym_)));
    c.OnItemUpdated(series, false);
    EXPECT_EQ(KeysOf(c.GetList()), (std::set<EntryKey>{Occurrence(gym_, gymKeyB), Whole(dentistTask)}));

    // The task is deleted.
    ASSERT_EQ(m_doc.DeleteTask(dentistTask, false, true), S_OK);
    c.RemoveItemFromViews(dentistTask, nullptr, true);
    EXPECT_EQ(KeysOf(c.GetList()), (std::set<EntryKey>{Occurrence(gym_, gymKeyB)}));
    ASSERT_EQ(Search(c, "dentist"), S_OK);
    EXPECT_EQ(KeysOf(c.GetList()), (std::set<EntryKey>{Occurrence(gym_, gymKeyB)}));
}

TEST_F(SearchContainerTest, CloseAndKeys)
{
    BuildKnownItems();
    CSearchContainer &c = Searcher();
    c.show();
    c.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(Search(c, "dentist"), S_OK);

    emit c.GetFindBar()->commandRequested(CFindBar::kCmdClose);
    EXPECT_EQ(mainCommands, std::vector<int>{CSearchContainer::kCmdLeaveSearch});

    // Tab goes between the list and the "Look for" text; Ctrl+F always to the text.
    c.GetListWnd()->setFocus();
    QApplication::processEvents();
    CNotifyRecord tab;
    tab.code = kNotifyKeyDown;
    tab.key = Qt::Key_Tab;
    EXPECT_EQ(c.OnNotify(tab), 1);
    QApplication::processEvents();
    const auto inLookFor = [&c] {
        QWidget *focus = QApplication::focusWidget();
        QComboBox *combo = c.GetFindBar()->SearchCombo();
        return focus && (focus == combo || combo->isAncestorOf(focus));
    };
    EXPECT_TRUE(inLookFor());
    tab.key = Qt::Key_Backtab;
    EXPECT_EQ(c.OnNotify(tab), 1);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), c.GetListWnd());
    CNotifyRecord find;
    find.code = kNotifyKeyDown;
    find.key = 70;
    EXPECT_EQ(c.OnNotify(find), 0); // F alone is the list's
    find.flags = kModCtrl;
    EXPECT_EQ(c.OnNotify(find), 1);
    QApplication::processEvents();
    EXPECT_TRUE(inLookFor());
    EXPECT_EQ(c.GetFocusChild(), c.GetFindBar()->SearchCombo());
}

TEST_F(SearchContainerTest, RenderGallery)
{
    BuildCalendar();
    CSearchContainer &c = Searcher();
    ASSERT_EQ(Search(c, "routine"), S_OK);
    ASSERT_EQ(Search(c, "dentist"), S_OK);
    ASSERT_EQ(Search(c, "room 3", At(2023, 12, 1), At(2024, 6, 30)), S_OK);
    EXPECT_GT(c.GetItemCount(), 5);
    const QImage image = RenderWidget(c, "search_container");
    EXPECT_EQ(image.size(), QSize(900, 600));
    // The bar above, the list frame under it with the gap between.
    const QRect bar = c.GetFindBar()->geometry();
    EXPECT_EQ(bar.topLeft(), QPoint(0, 0));
    EXPECT_EQ(bar.width(), 900);
    EXPECT_EQ(c.GetFrame()->geometry().top(), bar.bottom() + 1 + CSearchContainer::kBarGap);
    EXPECT_EQ(c.GetFrame()->geometry().bottom(), 599);
}
