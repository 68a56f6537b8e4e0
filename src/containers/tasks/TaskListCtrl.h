// CTaskListCtrl: the table of tasks of the Tasks view, and the base of the TaskPad: the list view
// specialised for tasks (view kind 7, section "Tasks"), with its own column sets, the overdue
// marks of the day change, its choice of popup menu, the press on the "Complete" column, and the
// paste of text and of the program's item format as new tasks.
#pragma once

#include "views/list/ItemListCtrl.h"

class CViewContainer;

class CTaskListCtrl : public CItemListCtrl
{
  public:
    static constexpr int kViewKind = 7;

    CTaskListCtrl();

    // The container behind the list's container port; null when it has none or another kind.
    CViewContainer *GetViewContainer() const;

    // ---- The list view's virtuals ----
    QString GetCaption() const override;
    bool AcceptsColumn(int id) const override;
    void GetDefaultColumns(bool all, int &sortId, std::vector<int> &ids) const override;
    // Tasks only; events and empty holders are refused.
    bool AddItem(CItemRef &ref) override;
    int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const override;
    void OnLeftDown(const QPoint &point, int modifiers) override;
    void OnLeftUp(const QPoint &point) override;
    void RequestNewItem() override;
    void UpdateToday() override { OnDayChange(); }
    bool IsRowSelectionHidden(int) const override { return FrameFocusedOnly(); }
    // A new task from the text, opened in the task editor; QV_E_CANCELLED without text.
    HRESULT PasteText(const QMimeData &data, const QPoint &dropPoint) override;
    // New tasks from the item format, stored through the document: QV_E_REFUSED without the
    // format; S_FALSE when nothing was pasted (bytes of another format version, or damaged bytes
    // refused with a warning); else S_OK or the first store error, the tasks before it kept.
    HRESULT PasteItems(const QMimeData &data, const QPoint &dropPoint) override;

    // ---- Own operations ----
    // Once a day: open tasks due before today get the overdue mark. True when a row changed.
    bool MarkOverdue();
    virtual void OnDayChange() { MarkOverdue(); }
    // Whether a selected row is shown selected only while the list has the focus.
    virtual bool FrameFocusedOnly() const { return false; }
    // The day of the last overdue pass.
    const CDateTime &GetOverdueDay() const { return m_overdueDay; }

  protected:
    // The sub-menu index for the list's own choice; the TaskPad swaps in its own menus.
    virtual int MapMenu(int menu) const { return menu; }
    // After the rows of a paste were added: the list shows them again.
    virtual void AfterPaste(bool added, bool offeredToTaskPad, std::uint32_t focusRecord);

    CDateTime m_overdueDay;
    // The row whose "Complete" cell was pressed, until the button comes up.
    int m_completePress = -1;
};
