// Where the painters get the item types' icons from: the open calendar's item-type list.
#pragma once

#include <QPixmap>

class ITypeIconSource
{
  public:
    virtual ~ITypeIconSource() = default;
    // The icon of the type at `index` in its 16 x 16 or 32 x 32 form; a null pixmap when the
    // index names no type.
    virtual QPixmap TypeIcon(int index, int size) const = 0;
};
