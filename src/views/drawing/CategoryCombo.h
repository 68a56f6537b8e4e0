// Filling a combo box with the names of a category or location list.
#pragma once

class CCategoryListBase;
class QComboBox;

// Empties the combo box and adds every name in list order.
void FillCategoryCombo(QComboBox &combo, const CCategoryListBase &list);
