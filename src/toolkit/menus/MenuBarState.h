// The keyboard and highlight state of the menu bar, without a window: which item is hot or
// open, whether the bar is in keyboard menu mode, and what a key asks the bar to do.
#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One top-level item as the state sees it.
struct MenuBarItemInfo
{
    QString text;        // with "&" before the mnemonic
    int commandId = 0;   // the command of an item without a popup
    bool hasPopup = true;
};

// Keys as the state reads them.
enum class BarKey
{
    Menu, // Alt or F10 alone
    Left,
    Right,
    Up,
    Down,
    Enter, // Return, Enter or Space
    Escape,
    Other,
};

// What the bar must do after a key.
struct BarKeyResult
{
    enum Kind
    {
        None,     // nothing beyond the state change
        Open,     // open the popup of `index`, from the keyboard
        Execute,  // run `commandId`
        Beep,
        ClosePopup, // close the open popup (Alt pressed while it is open)
    };
    bool consumed = false;
    Kind kind = None;
    int index = -1;
    int commandId = 0;
};

class CMenuBarState
{
  public:
    enum Mode
    {
        Idle = 0,
        Tracking = 1, // a popup of the bar is open
        Hot = 2,      // an item is highlighted by the mouse or selected by the keyboard
    };
    // Item state bits the painter reads.
    static constexpr unsigned kSelected = 0x0001;
    static constexpr unsigned kHot = 0x0040;
    static constexpr unsigned kNoAccel = 0x0100;
    static constexpr unsigned kPressed = 0x0800;
    static constexpr unsigned kRightJustified = 0x1000;
    static constexpr unsigned kNewRow = 0x2000;
    static constexpr unsigned kVertical = 0x8000;
    // Command ids of the system menu that keyboard stepping skips.
    static constexpr int kFirstSystemCommand = 0xF000;
    static constexpr int kLastSystemCommand = 0xF150;

    void SetItems(const QList<MenuBarItemInfo> &items);
    int Count() const { return int(m_items.size()); }
    const MenuBarItemInfo &Item(int index) const { return m_items[index]; }

    Mode GetMode() const { return m_mode; }
    int HotIndex() const { return m_hot; }
    bool InMenuMode() const { return m_menuMode; }
    bool KeyboardOpened() const { return m_keyboardOpened; }
    // Mnemonic underlines show while the keyboard drives the bar.
    bool ShowsMnemonics() const { return m_mode != Idle && (m_menuMode || m_keyboardOpened); }
    // The state bits of an item as it is to be drawn.
    unsigned ItemState(int index) const;

    // The only place where the mode and the highlight change.
    void SetHotItem(int index, Mode mode);
    // The next selectable item after `index` (cyclic), skipping system commands; -1 when no
    // item can be selected.
    int NextItem(int index, bool forward) const;

    // A key pressed or released in the bar's window; `alt` and `ctrl` tell the modifiers held.
    BarKeyResult KeyPress(BarKey key, bool alt, bool ctrl, QChar character = {});
    BarKeyResult KeyRelease(BarKey key);
    // Leaves keyboard menu mode: the item under the cursor (-1 none) becomes hot, else idle.
    void LeaveMenuMode(int itemUnderCursor);

    // A popup of the bar opened (by mouse or keyboard) or closed.
    void PopupOpened(int index, bool fromKeyboard);
    void PopupClosed(bool byEscape, int itemUnderCursor);
    // The mouse moved over the bar (-1: over no item) or left it.
    void MouseOver(int index);
    void MouseLeft();

  private:
    QList<MenuBarItemInfo> m_items;
    Mode m_mode = Idle;
    int m_hot = -1;
    bool m_menuMode = false;
    bool m_altPressed = false;
    bool m_keyboardOpened = false;
};
