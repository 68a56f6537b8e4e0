// Active filter: the type and category rules as a truth table, resolving by index and by name,
// stale type indexes, the search text over occurrences, comparisons and task captions.
#include "core/items/ItemTestUtil.h"

#include "core/lists/ActiveFilter.h"
#include "core/lists/ItemTypeList.h"
#include "core/lists/MasterList.h"
#include "core/items/RecurrenceBits.h"

#include <gtest/gtest.h>

namespace {
using F = CItemFilter;
constexpr int kCall = 0, kMeeting = 1, kUntyped = -1, kBeyond = 7;

class TaskLike : public CCalendarItem
{
  public:
    TaskLike() { SetKind(KindTask); }
};

class ActiveFilters : public testing::Test
{
  protected:
    void SetUp() override
    {
        for (const char *name : {"Call", "Meeting", "Travel"})
            ASSERT_TRUE(types.AddType(CItemType(QString::fromUtf8(name)), ImagePixels(32 * 32),
                                      ImagePixels(16 * 16)));
        ASSERT_EQ(types.FindType(QStringLiteral("Meeting")), kMeeting);
        categories.Add(CCategory(QStringLiteral("Home")));
        categories.Add(CCategory(QStringLiteral("Work")));
    }

    // Resolves a saved filter with these choices.
    CActiveFilter Saved(std::uint32_t flags, const QStringList &typeNames, const QStringList &categoryNames,
                        const QString &searchText = QString())
    {
        CItemFilter f;
        f.SetName(QStringLiteral("Mine"));
        f.SetFlags(flags);
        f.SetItemTypeNames(typeNames);
        f.SetCategoryNames(categoryNames);
        ItemFilterArray filters;
        filters.push_back(std::make_unique<CItemFilter>(f));
        types.SetFilters(filters);
        CActiveFilter active;
        active.SetByIndex(&types, &categories, CActiveFilter::KindSavedFilter, 0, CDateTime(), searchText);
        return active;
    }

    CActiveFilter Resolve(int kind, int index)
    {
        CActiveFilter active;
        active.SetByIndex(&types, &categories, kind, index, CDateTime(), QString());
        return active;
    }

    CItemTypeList types;
    CMasterList categories;
};

CEventItem Item(int typeIndex, const char *categories)
{
    CEventItem e;
    e.SetItemTypeIndex(typeIndex);
    e.SetCategories(QString::fromUtf8(categories));
    return e;
}
} // namespace

TEST_F(ActiveFilters, SavedFilterTruthTable)
{
    const QStringList meeting{QStringLiteral("Meeting")}, work{QStringLiteral("Work")}, none;
    const struct
    {
        const char *filter;
        std::uint32_t flags;
        QStringList typeNames, categoryNames;
        int type;
        const char *itemCategories;
        bool passes;
    } cases[] = {
        // Chosen item types only.
        {"Meeting", 0, meeting, none, kMeeting, "", true},
        {"Meeting", 0, meeting, none, kCall, "", false},
        {"Meeting", 0, meeting, none, kUntyped, "", false},
        {"Meeting", 0, meeting, none, kBeyond, "", false},
        // All but the chosen types.
        {"all but Meeting", F::FF_TYPES_ALL_BUT, meeting, none, kMeeting, "", false},
        {"all but Meeting", F::FF_TYPES_ALL_BUT, meeting, none, kCall, "", true},
        {"all but Meeting", F::FF_TYPES_ALL_BUT, meeting, none, kUntyped, "", true},
        {"all but Meeting", F::FF_TYPES_ALL_BUT, meeting, none, kBeyond, "", false},
        // Undefined counts as chosen.
        {"Meeting or undefined", F::FF_UNDEFINED_TYPE, meeting, none, kUntyped, "", true},
        {"Meeting or undefined", F::FF_UNDEFINED_TYPE, meeting, none, kCall, "", false},
        {"Meeting or undefined", F::FF_UNDEFINED_TYPE, meeting, none, kMeeting, "", true},
        {"all but Meeting and undefined", F::FF_UNDEFINED_TYPE | F::FF_TYPES_ALL_BUT, meeting, none, kUntyped,
         "", false},
        {"all but Meeting and undefined", F::FF_UNDEFINED_TYPE | F::FF_TYPES_ALL_BUT, meeting, none, kCall,
         "", true},
        {"all but Meeting and undefined", F::FF_UNDEFINED_TYPE | F::FF_TYPES_ALL_BUT, meeting, none, kMeeting,
         "", false},
        {"undefined only", F::FF_UNDEFINED_TYPE, none, none, kUntyped, "", true},
        {"undefined only", F::FF_UNDEFINED_TYPE, none, none, kCall, "", false},
        {"all but undefined", F::FF_UNDEFINED_TYPE | F::FF_TYPES_ALL_BUT, none, none, kUntyped, "", false},
        {"all but undefined", F::FF_UNDEFINED_TYPE | F::FF_TYPES_ALL_BUT, none, none, kCall, "", true},
        // Only types that no longer exist: nothing typed is chosen.
        {"deleted type", 0, {QStringLiteral("Gone")}, none, kCall, "", false},
        {"deleted type", 0, {QStringLiteral("Gone")}, none, kUntyped, "", false},
        {"all but deleted type", F::FF_TYPES_ALL_BUT, {QStringLiteral("Gone")}, none, kCall, "", true},
        {"all but deleted type", F::FF_TYPES_ALL_BUT, {QStringLiteral("Gone")}, none, kUntyped, "", true},
        // Chosen categories, by whole names in any case.
        {"Work", 0, none, work, kCall, "Home, Work", true},
        {"Work", 0, none, work, kCall, "home, work", true},
        {"Work", 0, none, work, kCall, "Work", true},
        {"Work", 0, none, work, kCall, "Homework", false},
        {"Work", 0, none, work, kCall, "Work Out", false},
        {"Work", 0, none, work, kCall, "", false},
        {"all but Work", F::FF_CATEGORIES_ALL_BUT, none, work, kCall, "Home, Work", false},
        {"all but Work", F::FF_CATEGORIES_ALL_BUT, none, work, kCall, "Homework", true},
        {"all but Work", F::FF_CATEGORIES_ALL_BUT, none, work, kCall, "", true},
        {"no categories", F::FF_NO_CATEGORIES, none, none, kCall, "", true},
        {"no categories", F::FF_NO_CATEGORIES, none, none, kCall, "Home", false},
        {"all but no categories", F::FF_NO_CATEGORIES | F::FF_CATEGORIES_ALL_BUT, none, none, kCall, "",
         false},
        {"all but no categories", F::FF_NO_CATEGORIES | F::FF_CATEGORIES_ALL_BUT, none, none, kCall, "Home",
         true},
        {"Work or none", F::FF_NO_CATEGORIES, none, work, kCall, "", true},
        {"Work or none", F::FF_NO_CATEGORIES, none, work, kCall, "Work", true},
        {"Work or none", F::FF_NO_CATEGORIES, none, work, kCall, "Home", false},
        {"all but Work and none", F::FF_NO_CATEGORIES | F::FF_CATEGORIES_ALL_BUT, none, work, kCall, "",
         false},
        {"all but Work and none", F::FF_NO_CATEGORIES | F::FF_CATEGORIES_ALL_BUT, none, work, kCall, "Home",
         true},
        {"all but Work and none", F::FF_NO_CATEGORIES | F::FF_CATEGORIES_ALL_BUT, none, work, kCall, "Work",
         false},
        // Both tests: AND and OR.
        {"Meeting and Work", 0, meeting, work, kMeeting, "Work", true},
        {"Meeting and Work", 0, meeting, work, kMeeting, "Home", false},
        {"Meeting and Work", 0, meeting, work, kCall, "Work", false},
        {"Meeting or Work", F::FF_OR, meeting, work, kMeeting, "Home", true},
        {"Meeting or Work", F::FF_OR, meeting, work, kCall, "Work", true},
        {"Meeting or Work", F::FF_OR, meeting, work, kCall, "Home", false},
        {"Meeting or Work", F::FF_OR, meeting, work, kUntyped, "", false},
    };
    for (const auto &c : cases) {
        const CActiveFilter active = Saved(c.flags, c.typeNames, c.categoryNames);
        ASSERT_EQ(active.GetKind(), CActiveFilter::KindSavedFilter) << c.filter;
        EXPECT_EQ(active.MatchesItem(Item(c.type, c.itemCategories)), c.passes)
            << c.filter << ", type " << c.type << ", categories \"" << c.itemCategories << '"';
    }
}

TEST_F(ActiveFilters, SingleTypeAndCategoryAndNone)
{
    const CActiveFilter meeting = Resolve(CActiveFilter::KindItemType, kMeeting);
    EXPECT_EQ(meeting.GetKind(), CActiveFilter::KindItemType);
    EXPECT_EQ(meeting.GetName(), QStringLiteral("Meeting"));
    EXPECT_EQ(meeting.GetTypeIncluded(), (std::vector<std::uint8_t>{0, 1, 0}));
    EXPECT_TRUE(meeting.MatchesItem(Item(kMeeting, "Home")));
    EXPECT_FALSE(meeting.MatchesItem(Item(kCall, "")));
    EXPECT_FALSE(meeting.MatchesItem(Item(kUntyped, "")));

    const CActiveFilter work = Resolve(CActiveFilter::KindCategory, 1);
    EXPECT_EQ(work.GetKind(), CActiveFilter::KindCategory);
    EXPECT_EQ(work.GetName(), QStringLiteral("Work"));
    EXPECT_EQ(work.GetCategoryPatterns(), QStringList{QStringLiteral(", WORK,")});
    EXPECT_TRUE(work.MatchesItem(Item(kUntyped, "Home, work")));
    EXPECT_FALSE(work.MatchesItem(Item(kMeeting, "Homework")));
    EXPECT_FALSE(work.MatchesItem(Item(kMeeting, "")));

    const CActiveFilter none = Resolve(CActiveFilter::KindNone, 0);
    EXPECT_EQ(none.GetKind(), CActiveFilter::KindNone);
    EXPECT_EQ(none.GetName(), QStringLiteral("ALL"));
    EXPECT_TRUE(none.MatchesItem(Item(kBeyond, "Homework")));
    EXPECT_TRUE(CActiveFilter().MatchesItem(Item(kCall, "")));
}

TEST_F(ActiveFilters, WhatResolvesAsNone)
{
    const CDateTime date(2024, 6, 3);
    const struct
    {
        const char *what;
        int kind, index;
        bool withLists;
    } cases[] = {
        {"type index past the list", CActiveFilter::KindItemType, 3, true},
        {"negative type index", CActiveFilter::KindItemType, -1, true},
        {"category index past the list", CActiveFilter::KindCategory, 2, true},
        {"filter index past the list", CActiveFilter::KindSavedFilter, 0, true},
        {"unknown kind", 7, 0, true},
        {"no lists", CActiveFilter::KindItemType, 0, false},
    };
    for (const auto &c : cases) {
        CActiveFilter active;
        active.SetByIndex(c.withLists ? &types : nullptr, c.withLists ? &categories : nullptr, c.kind,
                          c.index, date, QStringLiteral("X"));
        EXPECT_EQ(active.GetKind(), CActiveFilter::KindNone) << c.what;
        EXPECT_EQ(active.GetName(), QStringLiteral("ALL")) << c.what;
        EXPECT_EQ(active.GetDate(), date) << c.what;
        EXPECT_EQ(active.GetSearchText(), QStringLiteral("X")) << c.what;
        EXPECT_TRUE(active.GetTypeIncluded().empty()) << c.what;
    }
    // A saved filter that chooses nothing at all.
    EXPECT_EQ(Saved(F::FF_OR | F::FF_TYPES_ALL_BUT, {}, {}).GetKind(), CActiveFilter::KindNone);
    EXPECT_EQ(Saved(F::FF_NO_CATEGORIES, {}, {}).GetKind(), CActiveFilter::KindSavedFilter);
}

TEST_F(ActiveFilters, ResolveByName)
{
    Saved(0, {QStringLiteral("Travel"), QStringLiteral("Gone"), QStringLiteral("Call")},
          {QStringLiteral("Home")});
    const struct
    {
        int kind;
        const char *name;
        int resolvedKind;
        const char *resolvedName;
    } cases[] = {
        {CActiveFilter::KindSavedFilter, "MINE", CActiveFilter::KindSavedFilter, "Mine"},
        {CActiveFilter::KindSavedFilter, "Other", CActiveFilter::KindNone, "ALL"},
        {CActiveFilter::KindItemType, "Travel", CActiveFilter::KindItemType, "Travel"},
        {CActiveFilter::KindItemType, "travel", CActiveFilter::KindNone, "ALL"},
        {CActiveFilter::KindCategory, "Work", CActiveFilter::KindCategory, "Work"},
        {CActiveFilter::KindCategory, "Play", CActiveFilter::KindNone, "ALL"},
        {CActiveFilter::KindNone, "Travel", CActiveFilter::KindNone, "ALL"},
    };
    for (const auto &c : cases) {
        CActiveFilter active;
        active.SetByName(&types, &categories, c.kind, QString::fromUtf8(c.name), CDateTime(), QString());
        EXPECT_EQ(active.GetKind(), c.resolvedKind) << c.name;
        EXPECT_EQ(active.GetName(), QString::fromUtf8(c.resolvedName)) << c.name;
    }
    CActiveFilter mine;
    mine.SetByName(&types, &categories, CActiveFilter::KindSavedFilter, QStringLiteral("mine"), CDateTime(),
                   QString());
    EXPECT_EQ(mine.GetTypeIncluded(), (std::vector<std::uint8_t>{1, 0, 1}));
    EXPECT_EQ(mine.GetCategoryPatterns(), QStringList{QStringLiteral(", HOME,")});
}

TEST_F(ActiveFilters, TypeIndexesAreThoseOfResolveTime)
{
    const CActiveFilter allButMeeting = Saved(F::FF_TYPES_ALL_BUT, {QStringLiteral("Meeting")}, {});
    ASSERT_TRUE(types.AddType(CItemType(QStringLiteral("Zoo")), ImagePixels(32 * 32), ImagePixels(16 * 16)));
    EXPECT_TRUE(allButMeeting.MatchesItem(Item(2, "")));
    EXPECT_FALSE(allButMeeting.MatchesItem(Item(3, ""))); // unknown when it was resolved
    const CActiveFilter again = Saved(F::FF_TYPES_ALL_BUT, {QStringLiteral("Meeting")}, {});
    EXPECT_TRUE(again.MatchesItem(Item(3, "")));
    EXPECT_TRUE(again.DiffersFrom(allButMeeting));
}

TEST_F(ActiveFilters, SearchTextInOccurrences)
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), Recur::Daily | Recur::ByDate, 1);
    e.SetSubject(QStringLiteral("Standup"));
    e.SetLocation(QStringLiteral("Room 1"));
    e.SetNotes(QStringLiteral("Bring the Agenda"));
    e.SetCategories(QStringLiteral("Work"));
    e.GetException(At(2024, 6, 4, 9, 0), true)->SetLocation(true, QStringLiteral("Harbour Café"));
    e.GetException(At(2024, 6, 5, 9, 0), true)->SetSubject(true, QStringLiteral("Retro"));
    CRecurrenceException *deleted = e.GetException(At(2024, 6, 6, 9, 0), true);
    deleted->SetLocation(true, QStringLiteral("Harbour"));
    deleted->SetDeleted(true);
    e.GetException(At(2024, 6, 7, 9, 0), true)->SetNotes(true, QStringLiteral("nothing"));

    const struct
    {
        const char *search;
        int exception;
        bool passes;
    } cases[] = {
        {"HARBOUR CAFÉ", -1, false}, {"HARBOUR CAFÉ", 0, true}, {"HARBOUR", 1, false}, {"HARBOUR", 2, false},
        {"HARBOUR", 9, false},       {"STANDUP", -1, true},     {"STANDUP", 0, true},  {"STANDUP", 1, false},
        {"RETRO", 1, true},          {"ROOM 1", 1, true},       {"AGENDA", -1, true},  {"AGENDA", 3, false},
        {"Standup", -1, false}, // the views hand the text in upper case
    };
    for (const auto &c : cases) {
        CActiveFilter active;
        active.SetByIndex(&types, &categories, CActiveFilter::KindNone, 0, CDateTime(),
                          QString::fromUtf8(c.search));
        EXPECT_EQ(active.MatchesItem(e, c.exception), c.passes) << c.search << " in " << c.exception;
    }

    // The search text comes first, then the filter's own test.
    CActiveFilter home;
    home.SetByIndex(&types, &categories, CActiveFilter::KindCategory, 0, CDateTime(),
                    QStringLiteral("STANDUP"));
    EXPECT_FALSE(home.MatchesItem(e));

    TaskLike task;
    task.SetSubject(QStringLiteral("Pay rent"));
    task.SetNotes(QStringLiteral("by transfer"));
    CActiveFilter search;
    for (const char *text : {"RENT", "TRANSFER"}) {
        search.SetByIndex(&types, &categories, CActiveFilter::KindNone, 0, CDateTime(),
                          QString::fromUtf8(text));
        EXPECT_TRUE(search.MatchesItem(task)) << text;
    }
    search.SetByIndex(&types, &categories, CActiveFilter::KindNone, 0, CDateTime(), QStringLiteral("ROOM"));
    EXPECT_FALSE(search.MatchesItem(task));
}

TEST_F(ActiveFilters, DiffersFrom)
{
    const CActiveFilter base =
        Saved(0, {QStringLiteral("Meeting")}, {QStringLiteral("Work")}, QStringLiteral("ABC"));
    CActiveFilter copy;
    copy.Copy(base);
    EXPECT_FALSE(copy.DiffersFrom(base));

    CDateTime invalidZero;
    invalidZero.SetStatus(CDateTime::invalid);
    const struct
    {
        const char *what;
        CActiveFilter other;
    } cases[] = {
        {"search text case",
         Saved(0, {QStringLiteral("Meeting")}, {QStringLiteral("Work")}, QStringLiteral("abc"))},
        {"category case",
         Saved(0, {QStringLiteral("Meeting")}, {QStringLiteral("work")}, QStringLiteral("ABC"))},
        {"another type", Saved(0, {QStringLiteral("Call")}, {QStringLiteral("Work")}, QStringLiteral("ABC"))},
        {"flags",
         Saved(F::FF_OR, {QStringLiteral("Meeting")}, {QStringLiteral("Work")}, QStringLiteral("ABC"))},
    };
    for (const auto &c : cases)
        EXPECT_TRUE(c.other.DiffersFrom(base)) << c.what;

    CActiveFilter dated, otherStatus;
    dated.SetByIndex(&types, &categories, CActiveFilter::KindItemType, 0, CDateTime(), QString());
    otherStatus.SetByIndex(&types, &categories, CActiveFilter::KindItemType, 0, invalidZero, QString());
    EXPECT_TRUE(dated.DiffersFrom(otherStatus));
    EXPECT_TRUE(dated.DiffersFrom(Resolve(CActiveFilter::KindCategory, 0)));
}

TEST_F(ActiveFilters, TaskCaptions)
{
    const CActiveFilter none = Resolve(CActiveFilter::KindNone, 0);
    const CActiveFilter call = Resolve(CActiveFilter::KindItemType, kCall);
    const CActiveFilter work = Resolve(CActiveFilter::KindCategory, 1);
    const CActiveFilter mine = Saved(0, {}, {QStringLiteral("Home")});
    const CActiveFilter unresolved;
    const struct
    {
        const CActiveFilter &filter;
        int mode;
        const char *caption;
    } cases[] = {
        {none, -1, "ALL"},
        {none, 0, "All Tasks"},
        {none, 1, "Active Tasks"},
        {none, 2, "Overdue Tasks"},
        {none, 3, "Completed Tasks"},
        {none, 9, "All Tasks"},
        {call, -1, "( Call )"},
        {call, 2, "Overdue Tasks - ( Call )"},
        {work, -1, "[ Work ]"},
        {work, 1, "Active Tasks - [ Work ]"},
        {mine, -1, "Mine"},
        {mine, 3, "Completed Tasks - Mine"},
        {unresolved, -1, ""},
        {unresolved, 0, "All Tasks"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.filter.GetTaskCaption(c.mode), QString::fromUtf8(c.caption)) << c.caption;
}
