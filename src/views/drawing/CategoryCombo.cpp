// Category and location names into a combo box.
#include "views/drawing/CategoryCombo.h"

#include "core/lists/CategoryListBase.h"

#include <QComboBox>

void FillCategoryCombo(QComboBox &combo, const CCategoryListBase &list)
{
    combo.clear();
    for (int i = 0; i < list.GetCount(); ++i)
        combo.addItem(list.GetAt(i)->GetName());
}
