// CTipListBox: the multi-selection list of the zoomed day: a tip with each entry's caption,
// right-click selection that leaves a selected entry's group alone, and operations that select
// entries and tell the owner.
#pragma once

#include "core/dates/DateTime.h"

#include <QListWidget>
#include <cstdint>

class CDisplayItem;

class CTipListBox : public QListWidget
{
    Q_OBJECT
  public:
    // What a right press does to the selection.
    enum class RightPress
    {
        ClearAll,   // outside every entry
        MoveCaret,  // on a selected entry: only the caret moves
        SelectOnly, // on another entry: it alone is selected
    };
    static RightPress RightPressAction(int row, bool rowSelected);

    explicit CTipListBox(QWidget *parent = nullptr);

    // Appends an entry showing `text` for a display item of the view (not owned; it must
    // outlive the entry). Returns its row.
    int AddEntry(const QString &text, const CDisplayItem *item);
    const CDisplayItem *EntryItem(int row) const;

    // -1 when nothing is selected; with `preferCaret` the caret entry when it is selected,
    // otherwise the first selected entry.
    int GetCurrentSelection(bool preferCaret) const;
    // Selects, alone, every entry of that record, occurrence date and kind in turn (the last
    // stays selected), telling the owner each time. Returns the entry count.
    int SelectItemByKey(std::uint32_t recordId, const CDateTime &occurrenceDate, int kind);
    void SelectAll();
    void DeselectAll();

    // The tip of an entry: its caption, the detailed form when `detailed`; empty for no tip.
    QString TipText(int row, bool detailed) const;

  signals:
    // The selection changed (the list's selection-change notification).
    void selChange();
    // A tip was shown over an entry.
    void tipShown(int row, const QString &text);

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

  private:
    void SelectOnly(int row);

    bool m_quiet = false; // selection changes made here report once, themselves
};
