// The decisions of the two filter dialogs as plain functions: the details lines of a saved filter,
// the state of the filter editor, its checks in their order and how it rewrites the filter.
#pragma once

#include "core/lists/ItemFilter.h"

#include <QString>
#include <QStringList>
#include <vector>

// Row texts of the editor's check lists and of the details.
inline constexpr char kUndefinedTypeRow[] = "<undefined>";
inline constexpr char kNoCategoriesRow[] = "<no categories>";
inline constexpr char kAnyItemTypeText[] = "<any item type>";
inline constexpr char kAnyCategoryText[] = "<any category>";
inline constexpr char kAllButPrefix[] = "All but ";

inline constexpr char kDeleteFilterQuestion[] = "Are you sure you want to delete the filter?";
inline constexpr char kNewFilterTitle[] = "Create a New Filter";

// The three lines under "Details" in the Define Filters dialog.
struct FilterDetails
{
    QString itemTypes;
    QString condition; // "AND" or "OR"
    QString categories;
    bool operator==(const FilterDetails &) const = default;
};
FilterDetails GetFilterDetails(const CItemFilter &filter);

// A group's radio choice in the filter editor.
enum class FilterChoice
{
    All,
    SelectedOnly,
    AllBut,
};

// What the filter editor shows and the user changed: the name as typed, and for each group its
// radio and the checked rows (list names in list order, and the extra row at the end).
struct FilterEditState
{
    QString name;
    FilterChoice typeChoice = FilterChoice::All;
    QStringList checkedTypes;
    bool undefinedTypeChecked = false;
    FilterChoice categoryChoice = FilterChoice::All;
    QStringList checkedCategories;
    bool noCategoriesChecked = false;
    bool useOr = false;

    // Choosing a radio clears the group's checks (the "all" choice shows every row indeterminate).
    void ChooseTypes(FilterChoice choice);
    void ChooseCategories(FilterChoice choice);
};

// The editor opened on `filter`: a list row is checked when its name matches one of the filter's
// names ignoring case; a group with no row checked is at "all", else at "all but" or "selected
// only" by the filter's flag. `typeNames` and `categoryNames` are the lists in their order.
FilterEditState MakeFilterEditState(const CItemFilter &filter, const QStringList &typeNames,
                                    const QStringList &categoryNames);

// The editor's checks in the order OK runs them; the first failure stops it.
enum class FilterEditError
{
    None,
    NoName,           // the trimmed name is empty
    DuplicateName,    // another filter of the working list has the name, ignoring case
    NothingChosen,    // both groups at "all"
    NoTypeChosen,     // types not at "all" and no type row checked
    NoCategoryChosen, // categories not at "all" and no category row checked
};

// Where the editor puts the focus after a failed check.
enum class FilterEditField
{
    None,
    Name,
    TypeList,
    CategoryList,
};

struct FilterEditCheck
{
    FilterEditError error = FilterEditError::None;
    QString message; // the warning text; empty when the checks pass
    FilterEditField focus = FilterEditField::None;
};

// Runs the checks against the names of the working list; `editedIndex` is the edited filter's
// place in it (-1 for a new filter), whose own name does not count as another's.
FilterEditCheck CheckFilterEdit(const FilterEditState &state, const QStringList &workingNames,
                                int editedIndex);

// Rewrites `filter` from a state that passed the checks: flags and lists cleared, the trimmed name,
// the checked names of each group not at "all" with its extra-row and "all but" flags, FF_OR.
void ApplyFilterEdit(const FilterEditState &state, CItemFilter &filter);
