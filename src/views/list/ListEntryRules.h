// What a list view shows of an entry and how it orders entries: the cell text of each column
// and the comparison behind sorting by a column. Free of any window.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class CDisplayItem;
class QCollator;

// The text of a text column for the entry; false for icon columns and unknown ids.
bool ListCellText(const CDisplayItem &entry, int columnId, QString &text);

// Compares entries for a sort by the column: < 0 when `a` comes first. Every rule but the one
// for entries that are neither events nor tasks is reversed for a descending sort. `collator`
// orders texts (case-insensitive); null uses a case-insensitive collator of the default locale.
int CompareListEntries(const CDisplayItem &a, const CDisplayItem &b, int sortId, bool ascending,
                       const QCollator *collator = nullptr);

// Sorts stably by the column.
void SortListEntries(std::vector<std::unique_ptr<CDisplayItem>> &entries, int sortId, bool ascending);
