// The filter dialogs' rules: details lines, the editor's opening state, its checks in order and the
// rewrite of the filter.
#include "core/lists/FilterRules.h"

#include <gtest/gtest.h>

namespace {
CItemFilter Filter(std::uint32_t flags, const QStringList &types, const QStringList &categories,
                   const QString &name = QStringLiteral("F"))
{
    CItemFilter f;
    f.SetFlags(flags);
    f.SetName(name);
    f.SetItemTypeNames(types);
    f.SetCategoryNames(categories);
    return f;
}
} // namespace

TEST(FilterRules, DetailsText)
{
    using F = CItemFilter;
    const struct
    {
        std::uint32_t flags;
        QStringList types, categories;
        FilterDetails expected;
    } cases[] = {
        {0, {"Meeting"}, {}, {"Meeting", "AND", "<any category>"}},
        {F::FF_OR, {"Meeting", "Travel"}, {"Home", "Work"}, {"Meeting, Travel", "OR", "Home, Work"}},
        {F::FF_UNDEFINED_TYPE, {}, {}, {"<undefined>", "AND", "<any category>"}},
        {F::FF_UNDEFINED_TYPE | F::FF_TYPES_ALL_BUT,
         {},
         {},
         {"All but <undefined>", "AND", "<any category>"}},
        {F::FF_UNDEFINED_TYPE, {"Alarm"}, {}, {"Alarm, <undefined>", "AND", "<any category>"}},
        // "All but" only stands before a choice, never before "any".
        {F::FF_TYPES_ALL_BUT | F::FF_CATEGORIES_ALL_BUT,
         {},
         {"Home"},
         {"<any item type>", "AND", "All but Home"}},
        {F::FF_NO_CATEGORIES, {}, {"Home"}, {"<any item type>", "AND", "Home, <no categories>"}},
        {F::FF_NO_CATEGORIES | F::FF_CATEGORIES_ALL_BUT,
         {},
         {},
         {"<any item type>", "AND", "All but <no categories>"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetFilterDetails(Filter(c.flags, c.types, c.categories)), c.expected)
            << c.expected.itemTypes.toStdString();
}

TEST(FilterRules, EditorOpensOnTheFilter)
{
    const QStringList types = {"Alarm", "Meeting", "Travel"};
    const QStringList categories = {"Home", "Work"};
    // Names match the list ignoring case and come back in the list's order and spelling.
    FilterEditState s = MakeFilterEditState(
        Filter(CItemFilter::FF_TYPES_ALL_BUT | CItemFilter::FF_OR, {"travel", "ALARM", "Gone"}, {}), types,
        categories);
    EXPECT_EQ(s.typeChoice, FilterChoice::AllBut);
    EXPECT_EQ(s.checkedTypes, QStringList({"Alarm", "Travel"}));
    EXPECT_FALSE(s.undefinedTypeChecked);
    EXPECT_EQ(s.categoryChoice, FilterChoice::All);
    EXPECT_TRUE(s.useOr);

    s = MakeFilterEditState(Filter(CItemFilter::FF_NO_CATEGORIES, {}, {}), types, categories);
    EXPECT_EQ(s.typeChoice, FilterChoice::All);
    EXPECT_EQ(s.categoryChoice, FilterChoice::SelectedOnly);
    EXPECT_TRUE(s.noCategoriesChecked);

    // A filter whose only types are gone from the list opens at "all", with nothing checked.
    s = MakeFilterEditState(Filter(CItemFilter::FF_TYPES_ALL_BUT, {"Gone"}, {"Work"}), types, categories);
    EXPECT_EQ(s.typeChoice, FilterChoice::All);
    EXPECT_TRUE(s.checkedTypes.isEmpty());
}

TEST(FilterRules, ChecksRunInOrder)
{
    const QStringList working = {"Alpha", "Beta"};
    FilterEditState ok;
    ok.name = QStringLiteral("  Gamma ");
    ok.typeChoice = FilterChoice::SelectedOnly;
    ok.checkedTypes = {"Meeting"};

    auto with = [&](auto change) {
        FilterEditState s = ok;
        change(s);
        return s;
    };
    const struct
    {
        const char *what;
        FilterEditState state;
        int editedIndex;
        FilterEditError error;
        FilterEditField focus;
    } cases[] = {
        {"passes", ok, -1, FilterEditError::None, FilterEditField::None},
        // Blank name wins over every later failure.
        {"blank name", with([](auto &s) {
             s.name = "   ";
             s.ChooseTypes(FilterChoice::All);
         }),
         -1, FilterEditError::NoName, FilterEditField::Name},
        {"other's name in other case", with([](auto &s) {
             s.name = " beta";
             s.ChooseTypes(FilterChoice::All);
         }),
         0, FilterEditError::DuplicateName, FilterEditField::Name},
        {"own name in other case", with([](auto &s) { s.name = "BETA"; }), 1, FilterEditError::None,
         FilterEditField::None},
        {"new filter with a taken name", with([](auto &s) { s.name = "alpha"; }), -1,
         FilterEditError::DuplicateName, FilterEditField::Name},
        {"both all", with([](auto &s) { s.ChooseTypes(FilterChoice::All); }), -1,
         FilterEditError::NothingChosen, FilterEditField::None},
        {"types chosen, none checked, categories empty too", with([](auto &s) {
             s.ChooseTypes(FilterChoice::AllBut);
             s.ChooseCategories(FilterChoice::SelectedOnly);
         }),
         -1, FilterEditError::NoTypeChosen, FilterEditField::TypeList},
        {"undefined row alone counts", with([](auto &s) {
             s.ChooseTypes(FilterChoice::SelectedOnly);
             s.undefinedTypeChecked = true;
         }),
         -1, FilterEditError::None, FilterEditField::None},
        {"categories chosen, none checked", with([](auto &s) { s.ChooseCategories(FilterChoice::AllBut); }),
         -1, FilterEditError::NoCategoryChosen, FilterEditField::CategoryList},
        {"no-categories row alone counts", with([](auto &s) {
             s.ChooseCategories(FilterChoice::AllBut);
             s.noCategoriesChecked = true;
         }),
         -1, FilterEditError::None, FilterEditField::None},
    };
    for (const auto &c : cases) {
        const FilterEditCheck check = CheckFilterEdit(c.state, working, c.editedIndex);
        EXPECT_EQ(check.error, c.error) << c.what;
        EXPECT_EQ(check.focus, c.focus) << c.what;
        EXPECT_EQ(check.message.isEmpty(), c.error == FilterEditError::None) << c.what;
    }
    EXPECT_EQ(CheckFilterEdit(with([](auto &s) { s.name = ""; }), working, -1).message,
              QStringLiteral("You must give the filter a name."));
    EXPECT_EQ(CheckFilterEdit(with([](auto &s) { s.ChooseTypes(FilterChoice::All); }), working, -1).message,
              QStringLiteral("Please select at least one item type or category."));
}

TEST(FilterRules, EditRewritesTheFilter)
{
    CItemFilter f = Filter(0x7FF, {"Old"}, {"Old"}, QStringLiteral("Old"));
    FilterEditState s;
    s.name = QStringLiteral(" New name ");
    s.typeChoice = FilterChoice::AllBut;
    s.checkedTypes = {"Alarm", "Travel"};
    s.undefinedTypeChecked = true;
    s.categoryChoice = FilterChoice::SelectedOnly;
    s.noCategoriesChecked = true;
    s.useOr = true;
    ApplyFilterEdit(s, f);
    EXPECT_TRUE(f.Equals(Filter(CItemFilter::FF_TYPES_ALL_BUT | CItemFilter::FF_UNDEFINED_TYPE |
                                    CItemFilter::FF_NO_CATEGORIES | CItemFilter::FF_OR,
                                {"Alarm", "Travel"}, {}, QStringLiteral("New name"))));

    // A group at "all" keeps none of what was checked before the choice changed.
    s.typeChoice = FilterChoice::All;
    s.useOr = false;
    ApplyFilterEdit(s, f);
    EXPECT_TRUE(f.Equals(Filter(CItemFilter::FF_NO_CATEGORIES, {}, {}, QStringLiteral("New name"))));

    // Opening and applying unchanged gives the filter back.
    const CItemFilter stored = Filter(CItemFilter::FF_CATEGORIES_ALL_BUT, {"Alarm"}, {"Home", "Work"});
    CItemFilter again;
    ApplyFilterEdit(MakeFilterEditState(stored, {"Alarm", "Travel"}, {"Home", "Work"}), again);
    EXPECT_TRUE(again.Equals(stored));
}
