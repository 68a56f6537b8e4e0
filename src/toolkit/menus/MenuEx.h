// The program's menus: built from the command table, refreshed through the command route each
// time they open, with the operations the windows use to add, remove and re-image items.
#pragma once

#include <QMenu>
#include <QPointer>

class CCommandTable;

class CMenuEx : public QMenu
{
    Q_OBJECT
  public:
    explicit CMenuEx(CCommandTable &table, QWidget *parent = nullptr);
    CMenuEx(CCommandTable &table, const QString &title, QWidget *parent = nullptr);

    // Appends the command's action (a separator for id 0); null for an unknown command.
    QAction *AddCommand(int id);
    // Appends a sub-menu of the same kind.
    CMenuEx *AddSubMenu(const QString &title);
    // Inserts a command before the item with command `before` (searched in sub-menus too), or at
    // a position of this menu (-1 appends). A null id inserts a separator.
    QAction *InsertCommandBefore(int before, int id);
    QAction *InsertCommandAt(int position, int id);
    // Removes the item of a command, searching sub-menus; false when it is not there.
    bool DeleteItem(int command);
    // Gives the command's item an image of the command table; refused (false) when the item is
    // missing or the index is not below the table's image count.
    bool SetItemImageAt(int command, int image);
    // The item text with its accelerator after a tab ("&Open\tCtrl+O"); empty when missing.
    QString GetItemText(int command) const;
    // The position of the item whose mnemonic is the character, -1 when none.
    int FindMnemonic(QChar character) const;
    // The menu (this or a sub-menu) that holds a command, null when none does.
    CMenuEx *FindMenuOf(int command);

    // Set by the menu bar before it opens the popup from the keyboard.
    bool KeyboardOpened() const { return m_keyboardOpened; }
    void SetKeyboardOpened(bool on) { m_keyboardOpened = on; }
    // Whether the popup last closed with Escape.
    bool ClosedByKeyboard() const { return m_closedByKeyboard; }

    CCommandTable &Table() const { return m_table; }

  signals:
    void popupClosed(bool byEscape);

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    QAction *FindAction(int command) const;

    CCommandTable &m_table;
    bool m_keyboardOpened = false;
    bool m_closedByKeyboard = false;
    bool m_escapePressed = false;
};
