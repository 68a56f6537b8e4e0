// The program's menus.
#include "toolkit/menus/MenuEx.h"

#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/menus/MenuLookStyle.h"
#include "toolkit/menus/MenuMetrics.h"

#include <QKeyEvent>

CMenuEx::CMenuEx(CCommandTable &table, QWidget *parent) : QMenu(parent), m_table(table)
{
    table.Router().WatchMenu(this);
}

CMenuEx::CMenuEx(CCommandTable &table, const QString &title, QWidget *parent) : CMenuEx(table, parent)
{
    setTitle(title);
}

QAction *CMenuEx::AddCommand(int id)
{
    return InsertCommandAt(-1, id);
}

CMenuEx *CMenuEx::AddSubMenu(const QString &title)
{
    auto *menu = new CMenuEx(m_table, title, this);
    addMenu(menu);
    return menu;
}

QAction *CMenuEx::InsertCommandAt(int position, int id)
{
    const QList<QAction *> items = actions();
    QAction *before = position >= 0 && position < items.size() ? items[position] : nullptr;
    if (id == 0) {
        auto *separator = new QAction(this);
        separator->setSeparator(true);
        insertAction(before, separator);
        return separator;
    }
    QAction *action = m_table.Action(id);
    if (!action)
        return nullptr;
    insertAction(before, action);
    return action;
}

QAction *CMenuEx::InsertCommandBefore(int before, int id)
{
    CMenuEx *holder = FindMenuOf(before);
    if (!holder)
        return nullptr;
    const int position = int(holder->actions().indexOf(holder->FindAction(before)));
    return holder->InsertCommandAt(position, id);
}

QAction *CMenuEx::FindAction(int command) const
{
    for (QAction *action : actions()) {
        if (!action->menu() && CommandIdOf(action) == command)
            return action;
    }
    return nullptr;
}

CMenuEx *CMenuEx::FindMenuOf(int command)
{
    if (FindAction(command))
        return this;
    for (QAction *action : actions()) {
        if (auto *sub = qobject_cast<CMenuEx *>(action->menu())) {
            if (CMenuEx *found = sub->FindMenuOf(command))
                return found;
        }
    }
    return nullptr;
}

bool CMenuEx::DeleteItem(int command)
{
    CMenuEx *holder = FindMenuOf(command);
    if (!holder)
        return false;
    holder->removeAction(holder->FindAction(command));
    return true;
}

bool CMenuEx::SetItemImageAt(int command, int image)
{
    if (!FindMenuOf(command) || image < 0 || image >= m_table.ImageCount())
        return false;
    return m_table.SetCommandImage(command, image);
}

QString CMenuEx::GetItemText(int command) const
{
    CMenuEx *holder = const_cast<CMenuEx *>(this)->FindMenuOf(command);
    if (!holder)
        return {};
    const QAction *action = holder->FindAction(command);
    QString text = action->text();
    if (!action->shortcut().isEmpty())
        text += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::NativeText);
    return text;
}

int CMenuEx::FindMnemonic(QChar character) const
{
    QStringList texts;
    for (const QAction *action : actions())
        texts.append(action->isSeparator() ? QString() : action->text());
    return FindMenuMnemonic(texts, character);
}

void CMenuEx::keyPressEvent(QKeyEvent *event)
{
    setProperty(CMenuLookStyle::kKeyboardSelect, true);
    if (event->key() == Qt::Key_Escape)
        m_escapePressed = true;
    QMenu::keyPressEvent(event);
}

void CMenuEx::mouseMoveEvent(QMouseEvent *event)
{
    setProperty(CMenuLookStyle::kKeyboardSelect, false);
    QMenu::mouseMoveEvent(event);
}

void CMenuEx::showEvent(QShowEvent *event)
{
    m_escapePressed = false;
    m_closedByKeyboard = false;
    setProperty(CMenuLookStyle::kKeyboardSelect, m_keyboardOpened);
    QMenu::showEvent(event);
}

void CMenuEx::hideEvent(QHideEvent *event)
{
    QMenu::hideEvent(event);
    m_closedByKeyboard = m_escapePressed;
    m_keyboardOpened = false;
    emit popupClosed(m_closedByKeyboard);
}
