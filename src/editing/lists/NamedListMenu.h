// CNamedListMenu: puts the names of a category or location list into a menu, one command each.
#pragma once

class CCategoryListBase;
class QMenu;

class CNamedListMenu
{
  public:
    // Appends one action per name with command id firstId + index in its data ('&' shown as
    // such); an empty list gives one disabled "< none >" with firstId. Returns how many were added.
    static int Insert(QMenu &menu, const CCategoryListBase &list, int firstId);
};
