// Details text, editor state, checks and rewrite of a saved filter.
#include "core/lists/FilterRules.h"

namespace {
// One details line: the names, the extra row when its flag is set, "any" when nothing is chosen,
// else "All but " in front when the group excludes.
QString DetailsLine(const QStringList &names, bool extraRow, const char *extraText, const char *anyText,
                    bool allBut)
{
    QString text = names.join(QStringLiteral(", "));
    if (extraRow) {
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += QString::fromUtf8(extraText);
    }
    if (text.isEmpty())
        return QString::fromUtf8(anyText);
    if (allBut)
        text.prepend(QString::fromUtf8(kAllButPrefix));
    return text;
}

QStringList CheckedRows(const QStringList &listNames, const QStringList &chosen)
{
    QStringList out;
    for (const QString &name : listNames) {
        if (chosen.contains(name, Qt::CaseInsensitive))
            out.append(name);
    }
    return out;
}

FilterChoice ChoiceFor(bool anyChecked, bool allBut)
{
    if (!anyChecked)
        return FilterChoice::All;
    return allBut ? FilterChoice::AllBut : FilterChoice::SelectedOnly;
}

FilterEditCheck Fail(FilterEditError error, const char *message, FilterEditField focus)
{
    return FilterEditCheck{error, QString::fromUtf8(message), focus};
}
} // namespace

FilterDetails GetFilterDetails(const CItemFilter &filter)
{
    FilterDetails d;
    d.itemTypes =
        DetailsLine(filter.GetItemTypeNames(), filter.HasFlag(CItemFilter::FF_UNDEFINED_TYPE),
                    kUndefinedTypeRow, kAnyItemTypeText, filter.HasFlag(CItemFilter::FF_TYPES_ALL_BUT));
    d.condition = filter.HasFlag(CItemFilter::FF_OR) ? QStringLiteral("OR") : QStringLiteral("AND");
    d.categories =
        DetailsLine(filter.GetCategoryNames(), filter.HasFlag(CItemFilter::FF_NO_CATEGORIES),
                    kNoCategoriesRow, kAnyCategoryText, filter.HasFlag(CItemFilter::FF_CATEGORIES_ALL_BUT));
    return d;
}

void FilterEditState::ChooseTypes(FilterChoice choice)
{
    typeChoice = choice;
    checkedTypes.clear();
    undefinedTypeChecked = false;
}

void FilterEditState::ChooseCategories(FilterChoice choice)
{
    categoryChoice = choice;
    checkedCategories.clear();
    noCategoriesChecked = false;
}

FilterEditState MakeFilterEditState(const CItemFilter &filter, const QStringList &typeNames,
                                    const QStringList &categoryNames)
{
    FilterEditState s;
    s.name = filter.GetName();
    s.checkedTypes = CheckedRows(typeNames, filter.GetItemTypeNames());
    s.undefinedTypeChecked = filter.HasFlag(CItemFilter::FF_UNDEFINED_TYPE);
    s.typeChoice = ChoiceFor(!s.checkedTypes.isEmpty() || s.undefinedTypeChecked,
                             filter.HasFlag(CItemFilter::FF_TYPES_ALL_BUT));
    s.checkedCategories = CheckedRows(categoryNames, filter.GetCategoryNames());
    s.noCategoriesChecked = filter.HasFlag(CItemFilter::FF_NO_CATEGORIES);
    s.categoryChoice = ChoiceFor(!s.checkedCategories.isEmpty() || s.noCategoriesChecked,
                                 filter.HasFlag(CItemFilter::FF_CATEGORIES_ALL_BUT));
    // The "all" choice shows no checks; the filter's rows come back only with another choice.
    if (s.typeChoice == FilterChoice::All)
        s.ChooseTypes(FilterChoice::All);
    if (s.categoryChoice == FilterChoice::All)
        s.ChooseCategories(FilterChoice::All);
    s.useOr = filter.HasFlag(CItemFilter::FF_OR);
    return s;
}

FilterEditCheck CheckFilterEdit(const FilterEditState &state, const QStringList &workingNames,
                                int editedIndex)
{
    const QString name = state.name.trimmed();
    if (name.isEmpty())
        return Fail(FilterEditError::NoName, "You must give the filter a name.", FilterEditField::Name);
    for (qsizetype i = 0; i < workingNames.size(); ++i) {
        if (i != editedIndex && workingNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return Fail(FilterEditError::DuplicateName,
                        "Another filter with this name already exists. Enter a different name.",
                        FilterEditField::Name);
    }
    if (state.typeChoice == FilterChoice::All && state.categoryChoice == FilterChoice::All)
        return Fail(FilterEditError::NothingChosen, "Please select at least one item type or category.",
                    FilterEditField::None);
    if (state.typeChoice != FilterChoice::All && state.checkedTypes.isEmpty() && !state.undefinedTypeChecked)
        return Fail(FilterEditError::NoTypeChosen, "Please select at least one item type.",
                    FilterEditField::TypeList);
    if (state.categoryChoice != FilterChoice::All && state.checkedCategories.isEmpty() &&
        !state.noCategoriesChecked)
        return Fail(FilterEditError::NoCategoryChosen, "Please select at least one category.",
                    FilterEditField::CategoryList);
    return {};
}

void ApplyFilterEdit(const FilterEditState &state, CItemFilter &filter)
{
    filter.Clear();
    filter.SetName(state.name.trimmed());
    std::uint32_t flags = 0;
    if (state.typeChoice != FilterChoice::All) {
        filter.SetItemTypeNames(state.checkedTypes);
        if (state.undefinedTypeChecked)
            flags |= CItemFilter::FF_UNDEFINED_TYPE;
        if (state.typeChoice == FilterChoice::AllBut)
            flags |= CItemFilter::FF_TYPES_ALL_BUT;
    }
    if (state.categoryChoice != FilterChoice::All) {
        filter.SetCategoryNames(state.checkedCategories);
        if (state.noCategoriesChecked)
            flags |= CItemFilter::FF_NO_CATEGORIES;
        if (state.categoryChoice == FilterChoice::AllBut)
            flags |= CItemFilter::FF_CATEGORIES_ALL_BUT;
    }
    if (state.useOr)
        flags |= CItemFilter::FF_OR;
    filter.SetFlags(flags);
}
