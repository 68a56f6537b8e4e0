// Menus and combo boxes listing the item types and the saved filters of a type list.
#pragma once

#include <QPixmap>
#include <QString>

class CItemTypeList;
class ITypeIconSource;
class QComboBox;
class QMenu;

// A name as menu text: "&" doubled so that it shows instead of marking a mnemonic.
QString MenuTextFromName(const QString &name);

// One action per type: the name as menu text, command id first + index as the action's data, the
// type's small icon. With no types one disabled "< undefined >" action. Returns the number added.
// `icons` null: the icons are converted from the list here.
int AppendTypesToMenu(QMenu &menu, const CItemTypeList &list, int firstCommandId,
                      const ITypeIconSource *icons = nullptr);
// Inserts one action per saved filter before the action at `position` (at the end when there is
// none), command id first + index as data. Returns the number added.
int AppendFiltersToMenu(QMenu &menu, int position, const CItemTypeList &list, int firstCommandId);

// Empty the combo box and add every type or filter name in list order.
void FillTypeCombo(QComboBox &combo, const CItemTypeList &list);
void FillFilterCombo(QComboBox &combo, const CItemTypeList &list);

// The type's icons as pixmaps: the list's for a type index, the default icon otherwise.
void GetTypeIcons(const CItemTypeList &list, int index, QPixmap &large, QPixmap &small);
