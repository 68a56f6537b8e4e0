// The menu bar's mode rules.
#include "toolkit/menus/MenuBarState.h"

#include "toolkit/menus/MenuMetrics.h"

void CMenuBarState::SetItems(const QList<MenuBarItemInfo> &items)
{
    m_items = items;
    if (m_hot >= Count())
        SetHotItem(-1, Idle);
}

unsigned CMenuBarState::ItemState(int index) const
{
    unsigned state = ShowsMnemonics() ? 0 : kNoAccel;
    if (index == m_hot && index >= 0) {
        if (m_mode == Hot)
            state |= kHot;
        else if (m_mode == Tracking)
            state |= kSelected | kPressed;
    }
    return state;
}

void CMenuBarState::SetHotItem(int index, Mode mode)
{
    if (mode == Idle) {
        m_keyboardOpened = false;
        m_menuMode = false;
    }
    m_mode = mode;
    m_hot = mode == Idle ? -1 : index;
}

int CMenuBarState::NextItem(int index, bool forward) const
{
    const int count = Count();
    // Nothing to step through: stepping "modulo the count" would divide by zero.
    if (count == 0)
        return -1;
    if (index < 0)
        index += count;
    if (index < 0)
        index = forward ? count - 1 : 0;
    for (int step = 0; step < count; ++step) {
        index = (index + (forward ? 1 : count - 1)) % count;
        const int id = m_items[index].commandId;
        if (m_items[index].hasPopup || id < kFirstSystemCommand || id > kLastSystemCommand)
            return index;
    }
    return -1;
}

BarKeyResult CMenuBarState::KeyPress(BarKey key, bool alt, bool ctrl, QChar character)
{
    BarKeyResult result;
    if (key == BarKey::Menu) {
        result.consumed = true;
        if (m_mode == Tracking) {
            // The system closes an open menu on Alt; its release must not start menu mode again.
            m_altPressed = true;
            result.kind = BarKeyResult::ClosePopup;
        } else if (m_mode == Hot && m_menuMode) {
            LeaveMenuMode(-1);
            m_altPressed = true;
        }
        return result;
    }
    const bool driving = (m_mode == Hot && m_menuMode) || m_mode == Tracking;
    if (driving) {
        switch (key) {
        case BarKey::Enter:
            if (m_hot >= 0 && m_hot < Count()) {
                result.consumed = true;
                if (m_items[m_hot].hasPopup) {
                    result.kind = BarKeyResult::Open;
                    result.index = m_hot;
                } else {
                    result.kind = BarKeyResult::Execute;
                    result.commandId = m_items[m_hot].commandId;
                    SetHotItem(-1, Idle);
                }
                return result;
            }
            break;
        case BarKey::Up:
        case BarKey::Down:
            if (m_hot >= 0 && m_hot < Count() && m_items[m_hot].hasPopup) {
                result.consumed = true;
                result.kind = BarKeyResult::Open;
                result.index = m_hot;
                return result;
            }
            break;
        case BarKey::Left:
        case BarKey::Right: {
            result.consumed = true;
            const int next = NextItem(m_hot, key == BarKey::Right);
            if (next < 0)
                return result;
            if (m_mode == Tracking && m_items[next].hasPopup) {
                result.kind = BarKeyResult::Open;
                result.index = next;
            } else {
                SetHotItem(next, m_mode == Tracking ? Hot : m_mode);
                m_menuMode = true;
            }
            return result;
        }
        case BarKey::Escape:
            result.consumed = true;
            LeaveMenuMode(-1);
            return result;
        default:
            if (ctrl) {
                result.consumed = true;
                result.kind = BarKeyResult::Beep;
                return result;
            }
            break;
        }
    }
    // Mnemonics: with Alt held they are the window's shortcuts; in menu mode a letter alone.
    if (m_mode == Hot && m_menuMode && !alt && !ctrl && character.isLetterOrNumber()) {
        QStringList texts;
        for (const MenuBarItemInfo &item : std::as_const(m_items))
            texts.append(item.text);
        const int found = FindMenuMnemonic(texts, character);
        result.consumed = true;
        if (found < 0) {
            result.kind = BarKeyResult::Beep;
        } else if (m_items[found].hasPopup) {
            result.kind = BarKeyResult::Open;
            result.index = found;
        } else {
            result.kind = BarKeyResult::Execute;
            result.commandId = m_items[found].commandId;
            SetHotItem(-1, Idle);
        }
    }
    return result;
}

BarKeyResult CMenuBarState::KeyRelease(BarKey key)
{
    BarKeyResult result;
    if (key != BarKey::Menu)
        return result;
    result.consumed = true;
    if (m_altPressed) {
        m_altPressed = false;
    } else if (!(m_mode == Hot && m_menuMode) && m_mode != Tracking && Count() > 0) {
        SetHotItem(0, Hot);
        m_menuMode = true;
    }
    return result;
}

void CMenuBarState::LeaveMenuMode(int itemUnderCursor)
{
    m_menuMode = false;
    m_keyboardOpened = false;
    if (itemUnderCursor >= 0)
        SetHotItem(itemUnderCursor, Hot);
    else
        SetHotItem(-1, Idle);
}

void CMenuBarState::PopupOpened(int index, bool fromKeyboard)
{
    const bool keyboard = fromKeyboard || m_menuMode;
    SetHotItem(index, Tracking);
    m_keyboardOpened = keyboard;
    m_menuMode = true;
    m_altPressed = false;
}

void CMenuBarState::PopupClosed(bool byEscape, int itemUnderCursor)
{
    if (m_mode != Tracking)
        return;
    if (byEscape) {
        // Escape leaves the bar item selected, still in menu mode.
        const bool keyboard = m_keyboardOpened;
        SetHotItem(m_hot, Hot);
        m_menuMode = true;
        m_keyboardOpened = keyboard;
    } else if (itemUnderCursor >= 0) {
        SetHotItem(itemUnderCursor, Hot);
        m_menuMode = false;
        m_keyboardOpened = false;
    } else {
        SetHotItem(-1, Idle);
    }
}

void CMenuBarState::MouseOver(int index)
{
    m_altPressed = false;
    if (m_mode == Tracking)
        return;
    if (index >= 0) {
        if (!m_menuMode || index != m_hot)
            SetHotItem(index, Hot);
    } else if (m_mode == Hot && !m_menuMode) {
        SetHotItem(-1, Idle);
    }
}

void CMenuBarState::MouseLeft()
{
    if (m_mode == Hot && !m_menuMode)
        SetHotItem(-1, Idle);
}
