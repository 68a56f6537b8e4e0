// The icon source the painters draw item-type icons from, over the open calendar's type list.
#pragma once

#include "views/drawing/TypeIconSource.h"

#include <QHash>
#include <cstdint>

class CItemTypeList;

// Converts the list's icons to pixmaps once and again whenever the list's types or icons change.
class CItemTypeIconSource : public ITypeIconSource
{
  public:
    // The caller keeps the list alive while the source is in use.
    explicit CItemTypeIconSource(const CItemTypeList &list) : m_list(list) {}

    QPixmap TypeIcon(int index, int size) const override;

  private:
    const CItemTypeList &m_list;
    mutable std::uint64_t m_revision = ~std::uint64_t(0);
    mutable QHash<int, QPixmap> m_cache; // key: index * 2 + (large ? 1 : 0)
};
