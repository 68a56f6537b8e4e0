// CListColumns: the columns of a list view (which fields, their widths, their display order and
// the sort column) and how they are kept in the view's settings section. Free of any window, so
// the layout rules can be tested on their own.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// One field a list view can show.
struct ListColumnInfo
{
    int id = 0;
    const char *text = "";
    bool icon = false; // icon columns have a fixed width and no text cells
    int image = 0;     // header image of an icon column
    int width = 0;     // default width
};

// The field of that id, or null for an id no list view knows.
const ListColumnInfo *FindListColumn(int id);
bool IsIconColumn(int id);
// The header item value that the settings store: the id, with the image index in the high
// 16 bits for icon columns.
std::uint32_t ListColumnParam(int id);

class CListColumns
{
  public:
    static constexpr int kMaxColumns = 23;
    static constexpr int kIconWidth = 18;
    // Images 0..7 of the header's image list.
    static constexpr int kHeaderImageCount = 8;
    // A divider never comes closer than this to its column's left edge.
    static constexpr int kMinTrackWidth = 9;
    // No column is wider than this (more than any screen shows), whatever the settings say, so
    // the sums of every layout stay far inside an int.
    static constexpr int kMaxWidth = 16384;
    // What an emptied chooser leaves: "Subject", 330 pixels.
    static constexpr std::uint32_t kFallbackField = 0x014A0004;

    struct Column
    {
        int id = 0;
        int width = 0;
    };
    using AcceptFn = std::function<bool(int id)>;

    // ---- Columns in display order ----
    int Count() const { return int(m_order.size()); }
    const Column &At(int visual) const { return m_items[std::size_t(m_order[std::size_t(visual)])]; }
    int IdAt(int visual) const { return At(visual).id; }
    // Display position of the column with that id, -1 when it is not shown.
    int VisualIndexOf(int id) const;
    // Header item index (insertion order) of a display position.
    int ItemIndexOf(int visual) const { return m_order[std::size_t(visual)]; }
    int TotalWidth() const;
    // Left edge of the column at that position, in content coordinates.
    int LeftOf(int visual) const;
    // The column spanning x (content coordinates), -1 outside every column.
    int VisualAt(int x) const;

    // ---- Sorting ----
    // The sort column is kept by id, so hiding or moving columns never shifts the mark.
    int SortId() const { return m_sortId; }
    bool Ascending() const { return m_ascending; }
    // id -1 clears the sort column and forces ascending.
    void SetSort(int id, bool ascending);

    // ---- Changes ----
    void Clear();
    // Appends a column; false for an unknown id, one already shown or past the maximum. Icon
    // columns always take their fixed width, others a width within 0..kMaxWidth.
    bool Append(int id, int width);
    // Removes the column; clears the sort column (keeping the direction) when it was sorted by.
    bool Remove(int id);
    // Moves a column to another display position.
    void Move(int fromVisual, int toVisual);
    void SetWidth(int visual, int width);

    // ---- Field chooser values: width << 16 | id, in display order ----
    std::vector<std::uint32_t> FieldValues() const;
    // Rebuilds from chooser values (ids the view refuses are skipped); the previous sort column
    // stays when it is still shown, otherwise the first column becomes it, same direction.
    void SetFieldValues(const std::vector<std::uint32_t> &values, const AcceptFn &accepts);

    // ---- Settings ----
    // The default layout: the accepted ids with their default widths, sorted by the default
    // sort id (the first column when none shows it), ascending. `taskPad` narrows "Subject".
    void SetDefault(const std::vector<int> &ids, int sortId, const AcceptFn &accepts, bool taskPad = false);
    // Reads "Cols", "Sizes", "Order", "Sort" and "Dir"; a layout that does not match falls
    // back to the default silently. True when the stored layout was used.
    bool Load(const QString &section, const AcceptFn &accepts, const std::vector<int> &defaultIds,
              int defaultSortId, bool taskPad = false);
    // Writes "Sizes", "Order", "Cols", "Sort" and "Dir"; stops at the first value that cannot
    // be written, leaving the rest as they were.
    bool Save(const QString &section) const;

  private:
    std::vector<Column> m_items; // header items in insertion order
    std::vector<int> m_order;    // display position -> item index
    int m_sortId = -1;
    bool m_ascending = true;
};
