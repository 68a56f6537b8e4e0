// CFieldChooserModel: the decisions of the Field Chooser dialog over a list view's fields: the
// rows (shown fields first, in their order, checked; then the other fields the view offers),
// moving rows, restoring the defaults and the layout it returns. The dialog only shows it.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class CFieldChooserModel
{
  public:
    struct Row
    {
        QString name;
        bool checked = false;
        std::uint32_t value = 0; // width << 16 | field id
    };

    // The field's name as a row shows it: icon fields end in " ( icon )".
    static QString FieldName(int id);

    // Rows from a layout (width << 16 | id, display order) and the fields the view offers;
    // fields the view does not offer are dropped. The first row is selected.
    void Fill(const std::vector<std::uint32_t> &layout, const std::vector<int> &available);
    // Rows from the view's default columns, with their default widths.
    void Restore(const std::vector<int> &defaults, const std::vector<int> &available);

    const std::vector<Row> &Rows() const { return m_rows; }
    int Selected() const { return m_selected; }
    void Select(int row);
    void SetChecked(int row, bool checked);
    // Move the selected row one place; nothing at either end.
    void MoveUp();
    void MoveDown();
    // The checked rows' values top to bottom; "Subject" at 330 pixels when none is checked.
    std::vector<std::uint32_t> Result() const;

  private:
    void AddUnchecked(const std::vector<int> &available);

    std::vector<Row> m_rows;
    int m_selected = -1;
};
