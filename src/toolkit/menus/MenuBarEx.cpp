// The program's menu bar.
#include "toolkit/menus/MenuBarEx.h"

#include "toolkit/commands/CommandTable.h"
#include "toolkit/menus/MenuEx.h"
#include "toolkit/menus/MenuLookStyle.h"
#include "toolkit/menus/MenuPlacement.h"

#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QToolButton>

CMenuBarEx::CMenuBarEx(CCommandTable &table, QWidget *parent) : QMenuBar(parent), m_table(table)
{
    setNativeMenuBar(false);
    setMouseTracking(true);
    qApp->installEventFilter(this);
}

CMenuBarEx::~CMenuBarEx()
{
    qApp->removeEventFilter(this);
    // The menus are our children and go after this body: they must not call back.
    for (QMenu *menu : std::as_const(m_popups))
        disconnect(menu, nullptr, this, nullptr);
}

CMenuEx *CMenuBarEx::AddMenu(const QString &title)
{
    auto *menu = new CMenuEx(m_table, title, this);
    addMenu(menu);
    return menu;
}

QAction *CMenuBarEx::AddCommandItem(int id)
{
    QAction *action = m_table.Action(id);
    if (action)
        addAction(action);
    return action;
}

void CMenuBarEx::actionEvent(QActionEvent *event)
{
    QMenuBar::actionEvent(event);
    RebuildItems();
}

void CMenuBarEx::RebuildItems()
{
    QList<MenuBarItemInfo> items;
    for (QAction *action : actions()) {
        MenuBarItemInfo info;
        info.text = action->text();
        info.hasPopup = action->menu() != nullptr;
        info.commandId = CommandIdOf(action);
        items.append(info);
        if (QMenu *menu = action->menu())
            WatchPopup(menu);
    }
    m_state.SetItems(items);
    if (m_floating)
        LayoutFloating();
    update();
}

QList<MenuBarLayoutItem> CMenuBarEx::MeasureItems(QList<int> *indexes) const
{
    QList<MenuBarLayoutItem> items;
    const QList<QAction *> all = actions();
    int height = 0;
    for (int i = 0; i < all.size(); ++i) {
        QAction *action = all[i];
        if (!action->isVisible() || action->isSeparator())
            continue;
        // Measured as QMenuBar measures its items, so a bar keeps its item sizes when it floats.
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        QSize size = fontMetrics().size(Qt::TextShowMnemonic, action->text());
        option.rect = QRect(QPoint(0, 0), size);
        size = style()->sizeFromContents(QStyle::CT_MenuBarItem, &option, size, this);
        height = std::max(height, size.height());
        items.append({QRect(QPoint(0, 0), size), 0u});
        indexes->append(i);
    }
    // Every item is as high as the highest, as in one docked row.
    for (MenuBarLayoutItem &item : items)
        item.rect.setHeight(height);
    return items;
}

QSize CMenuBarEx::FloatingLayout(int width, QList<QRect> *rects) const
{
    const int margin = style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
    QList<int> indexes;
    QList<MenuBarLayoutItem> items = MeasureItems(&indexes);
    const QSize size = CMenuBarLayout::SizeBar(items, std::max(0, width - 2 * margin), true);
    if (rects) {
        *rects = QList<QRect>(actions().size(), QRect());
        for (int i = 0; i < items.size(); ++i)
            (*rects)[indexes[i]] = items[i].rect.translated(margin, 0);
    }
    return {size.width() + 2 * margin, size.height()};
}

void CMenuBarEx::LayoutFloating()
{
    const QSize size = FloatingLayout(width(), &m_floatingRects);
    // The width the bar settled on is the one it asks for when it floats again.
    m_mruWidth = size.width();
    HideExtension();
    update();
}

void CMenuBarEx::HideExtension()
{
    // QMenuBar offers what does not fit on one row behind an extension button; a floating bar
    // shows every item in its rows instead.
    if (auto *extension = findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"), Qt::FindDirectChildrenOnly))
        extension->setVisible(!m_floating && extension->isVisible());
}

void CMenuBarEx::SetFloating(bool floating, QWidget *owner)
{
    m_owner = floating ? owner : nullptr;
    if (m_floating == floating)
        return;
    m_floating = floating;
    m_floatingRects.clear();
    if (floating)
        LayoutFloating();
    updateGeometry();
    update();
}

QRect CMenuBarEx::ItemRect(int index) const
{
    const QList<QAction *> items = actions();
    if (index < 0 || index >= items.size())
        return {};
    if (m_floating)
        return index < m_floatingRects.size() ? m_floatingRects[index] : QRect();
    return items[index]->isVisible() ? actionGeometry(items[index]) : QRect();
}

QSize CMenuBarEx::sizeHint() const
{
    if (!m_floating)
        return QMenuBar::sizeHint();
    return FloatingLayout(m_mruWidth > 0 ? m_mruWidth : CMenuBarLayout::kUnlimited, nullptr);
}

QSize CMenuBarEx::minimumSizeHint() const
{
    return m_floating ? FloatingLayout(0, nullptr) : QMenuBar::minimumSizeHint();
}

bool CMenuBarEx::hasHeightForWidth() const
{
    return m_floating || QMenuBar::hasHeightForWidth();
}

int CMenuBarEx::heightForWidth(int width) const
{
    return m_floating ? FloatingLayout(width, nullptr).height() : QMenuBar::heightForWidth(width);
}

void CMenuBarEx::resizeEvent(QResizeEvent *event)
{
    QMenuBar::resizeEvent(event);
    if (m_floating)
        LayoutFloating();
}

void CMenuBarEx::WatchPopup(QMenu *menu)
{
    if (m_popups.contains(menu))
        return;
    m_popups.insert(menu);
    connect(menu, &QObject::destroyed, this, [this, menu] { m_popups.remove(menu); });
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { PopupShown(menu); });
    if (auto *ex = qobject_cast<CMenuEx *>(menu))
        connect(ex, &CMenuEx::popupClosed, this, [this](bool byEscape) { PopupHidden(byEscape); });
    else
        connect(menu, &QMenu::aboutToHide, this, [this] { PopupHidden(false); });
}

int CMenuBarEx::ItemAt(const QPoint &point) const
{
    for (int i = int(actions().size()) - 1; i >= 0; --i) {
        if (ItemRect(i).contains(point))
            return i;
    }
    return -1;
}

QRect CMenuBarEx::ItemScreenRect(int index) const
{
    const QRect r = ItemRect(index);
    if (r.isNull())
        return {};
    return {mapToGlobal(r.topLeft()), r.size()};
}

int CMenuBarEx::ItemUnderCursor() const
{
    const QPoint local = mapFromGlobal(QCursor::pos());
    return rect().contains(local) ? ItemAt(local) : -1;
}

QMenu *CMenuBarEx::OpenPopup() const
{
    for (QMenu *menu : m_popups) {
        if (menu->isVisible())
            return menu;
    }
    return nullptr;
}

void CMenuBarEx::OpenItem(int index, bool fromKeyboard)
{
    const QList<QAction *> items = actions();
    if (index < 0 || index >= items.size())
        return;
    QAction *action = items[index];
    QMenu *menu = action->menu();
    if (!menu) {
        m_state.SetHotItem(-1, CMenuBarState::Idle);
        StateChanged();
        action->trigger();
        return;
    }
    if (!m_state.InMenuMode() && m_state.GetMode() == CMenuBarState::Idle)
        m_focusBefore = QApplication::focusWidget();
    m_openingByKeyboard = fromKeyboard;
    if (auto *ex = qobject_cast<CMenuEx *>(menu))
        ex->SetKeyboardOpened(fromKeyboard);
    setActiveAction(action);
    if (fromKeyboard && menu->isVisible()) {
        // Opened from the keyboard, the popup starts with its first item selected.
        for (QAction *item : menu->actions()) {
            if (!item->isSeparator() && item->isVisible()) {
                menu->setActiveAction(item);
                break;
            }
        }
    }
}

void CMenuBarEx::PopupShown(QMenu *menu)
{
    const QList<QAction *> items = actions();
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->menu() == menu) {
            if (m_state.GetMode() == CMenuBarState::Idle && !m_focusBefore)
                m_focusBefore = QApplication::focusWidget();
            m_state.PopupOpened(i, m_openingByKeyboard);
            menu->setProperty(CMenuLookStyle::kOpenItemRect, ItemScreenRect(i));
            break;
        }
    }
    m_openingByKeyboard = false;
    StateChanged();
}

void CMenuBarEx::PopupHidden(bool byEscape)
{
    // Sliding to the next menu opens it before this runs: only a bar with no popup open changes.
    QTimer::singleShot(0, this, [this, byEscape] {
        if (OpenPopup())
            return;
        m_state.PopupClosed(byEscape, ItemUnderCursor());
        StateChanged();
    });
}

void CMenuBarEx::StateChanged()
{
    const bool inMenuMode = m_state.GetMode() != CMenuBarState::Idle && m_state.InMenuMode();
    if (m_wasInMenuMode && !inMenuMode && m_state.GetMode() != CMenuBarState::Tracking) {
        // Leaving menu mode hands the focus back to where it was.
        if (m_focusBefore && (QApplication::focusWidget() == this || !QApplication::focusWidget()))
            m_focusBefore->setFocus(Qt::OtherFocusReason);
        m_focusBefore = nullptr;
    }
    m_wasInMenuMode = inMenuMode || m_state.GetMode() == CMenuBarState::Tracking;
    setProperty(CMenuLookStyle::kShowMnemonics, m_state.ShowsMnemonics());
    update();
}

void CMenuBarEx::Apply(const BarKeyResult &result)
{
    switch (result.kind) {
    case BarKeyResult::Open:
        OpenItem(result.index, true);
        break;
    case BarKeyResult::Execute:
        StateChanged();
        if (QAction *action = m_table.Action(result.commandId))
            action->trigger();
        break;
    case BarKeyResult::Beep:
        QApplication::beep();
        break;
    case BarKeyResult::ClosePopup:
        if (QMenu *menu = OpenPopup())
            menu->close();
        break;
    case BarKeyResult::None:
        break;
    }
    StateChanged();
}

bool CMenuBarEx::InOurWindow(QObject *object) const
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return false;
    if (auto *menu = qobject_cast<QMenu *>(widget)) {
        if (m_popups.contains(menu))
            return true;
    }
    if (widget->window() == window() && window()->isVisible())
        return true;
    // A floating bar still serves the frame it belongs to.
    return m_floating && m_owner && widget->window() == m_owner->window() && m_owner->window()->isVisible();
}

bool CMenuBarEx::FilterKey(QObject *watched, QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool press = event->type() == QEvent::KeyPress;
    const bool menuKey = (key == Qt::Key_Alt && !(mods & Qt::ControlModifier)) ||
                         (key == Qt::Key_F10 && !(mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)));
    if (menuKey) {
        if (event->isAutoRepeat())
            return true;
        if (press) {
            m_altAlone = true;
            if (m_state.GetMode() == CMenuBarState::Idle)
                m_focusBefore = QApplication::focusWidget();
            const BarKeyResult result = m_state.KeyPress(BarKey::Menu, true, false);
            Apply(result);
            return result.consumed;
        }
        // A release after another key (Alt+F4, Alt+letter) is no menu key.
        if (!m_altAlone && key == Qt::Key_Alt)
            return false;
        m_altAlone = false;
        const BarKeyResult result = m_state.KeyRelease(BarKey::Menu);
        Apply(result);
        return result.consumed;
    }
    if (!press)
        return false;
    m_altAlone = false;
    const bool tracking = m_state.GetMode() == CMenuBarState::Tracking;
    // While a popup is open it handles its keys; Left and Right it passes on to the bar.
    if (tracking && watched != this)
        return false;
    if (!tracking && !(m_state.GetMode() == CMenuBarState::Hot && m_state.InMenuMode()) &&
        !(mods & Qt::AltModifier))
        return false;
    BarKey barKey = BarKey::Other;
    switch (key) {
    case Qt::Key_Left:
        barKey = layoutDirection() == Qt::RightToLeft ? BarKey::Right : BarKey::Left;
        break;
    case Qt::Key_Right:
        barKey = layoutDirection() == Qt::RightToLeft ? BarKey::Left : BarKey::Right;
        break;
    case Qt::Key_Up:
        barKey = BarKey::Up;
        break;
    case Qt::Key_Down:
        barKey = BarKey::Down;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        barKey = BarKey::Enter;
        break;
    case Qt::Key_Escape:
        barKey = BarKey::Escape;
        break;
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Meta:
        return false;
    default:
        break;
    }
    const QString text = event->text();
    const QChar character = text.size() == 1 ? text[0] : QChar();
    const BarKeyResult result = m_state.KeyPress(barKey, mods & Qt::AltModifier, mods & Qt::ControlModifier,
                                                 barKey == BarKey::Other ? character : QChar());
    Apply(result);
    return result.consumed;
}

bool CMenuBarEx::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && InOurWindow(watched)) {
        auto *key = static_cast<QKeyEvent *>(event);
        // A key the focus widget leaves is offered to each parent in turn: handle it once.
        auto *widget = static_cast<QWidget *>(watched);
        if (event == m_lastKey && m_lastWatched && widget != m_lastWatched && widget->isAncestorOf(m_lastWatched) &&
            key->timestamp() == m_lastKeyTime && key->key() == m_lastKeyCode && type == m_lastKeyType)
            return false;
        m_lastKey = event;
        m_lastWatched = widget;
        m_lastKeyTime = key->timestamp();
        m_lastKeyCode = key->key();
        m_lastKeyType = type;
        return FilterKey(watched, key);
    }
    if (type == QEvent::Show) {
        auto *menu = qobject_cast<QMenu *>(watched);
        const int index = menu ? int(actions().indexOf(menu->menuAction())) : -1;
        if (index >= 0) {
            const QRect item = ItemScreenRect(index);
            const QScreen *screen = QGuiApplication::screenAt(item.center());
            const QRect work = screen ? screen->availableGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
            menu->move(PlaceBarPopup(item, menu->sizeHint(), work));
        }
    }
    if (type == QEvent::MouseMove && m_floating && m_state.GetMode() == CMenuBarState::Tracking) {
        // The open popup has the pointer; over another item of the floating bar it slides there.
        auto *menu = qobject_cast<QMenu *>(watched);
        if (menu && m_popups.contains(menu)) {
            const QPoint local = mapFromGlobal(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            const int index = rect().contains(local) ? ItemAt(local) : -1;
            if (index >= 0 && index != m_state.HotIndex() && actions()[index]->menu()) {
                OpenItem(index, false);
                return true;
            }
        }
    }
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && watched != this &&
        m_state.GetMode() == CMenuBarState::Hot && InOurWindow(watched) && !qobject_cast<QMenu *>(watched)) {
        // A click elsewhere leaves the mode; the click itself goes on.
        m_state.LeaveMenuMode(-1);
        StateChanged();
    }
    return QMenuBar::eventFilter(watched, event);
}

void CMenuBarEx::mousePressEvent(QMouseEvent *event)
{
    if (!m_floating || event->button() != Qt::LeftButton) {
        QMenuBar::mousePressEvent(event);
        return;
    }
    // QMenuBar finds its items on its one row; a floating bar's rows are its own.
    const int index = ItemAt(event->position().toPoint());
    m_pressedItem = index;
    if (index < 0) {
        m_state.SetHotItem(-1, CMenuBarState::Idle);
        StateChanged();
        return;
    }
    const QList<QAction *> items = actions();
    if (items[index]->menu())
        OpenItem(index, false);
}

void CMenuBarEx::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_floating || event->button() != Qt::LeftButton) {
        QMenuBar::mouseReleaseEvent(event);
        return;
    }
    const int index = ItemAt(event->position().toPoint());
    const int pressed = std::exchange(m_pressedItem, -1);
    // An item without a popup runs when the button comes up over it.
    if (index >= 0 && index == pressed && !actions()[index]->menu())
        OpenItem(index, false);
}

void CMenuBarEx::mouseMoveEvent(QMouseEvent *event)
{
    if (m_floating) {
        // While a popup is open, the pointer reaching another item opens that item's popup.
        const int index = ItemAt(event->position().toPoint());
        if (m_state.GetMode() == CMenuBarState::Tracking && index >= 0 && index != m_state.HotIndex() &&
            actions()[index]->menu()) {
            OpenItem(index, false);
            return;
        }
    } else {
        QMenuBar::mouseMoveEvent(event);
    }
    if (window()->isActiveWindow())
        m_state.MouseOver(ItemAt(event->position().toPoint()));
    else if (m_state.GetMode() == CMenuBarState::Hot)
        m_state.SetHotItem(-1, CMenuBarState::Idle);
    StateChanged();
}

void CMenuBarEx::leaveEvent(QEvent *event)
{
    QMenuBar::leaveEvent(event);
    m_state.MouseLeft();
    StateChanged();
}

void CMenuBarEx::paintEvent(QPaintEvent *)
{
    if (m_floating)
        HideExtension();
    QPainter painter(this);
    QStyleOptionMenuItem empty;
    empty.initFrom(this);
    empty.state = QStyle::State_None;
    empty.menuItemType = QStyleOptionMenuItem::EmptyArea;
    empty.checkType = QStyleOptionMenuItem::NotCheckable;
    empty.rect = rect();
    empty.menuRect = rect();
    style()->drawControl(QStyle::CE_MenuBarEmptyArea, &empty, &painter, this);
    const QList<QAction *> items = actions();
    for (int i = 0; i < items.size(); ++i) {
        const QRect r = ItemRect(i);
        if (r.isEmpty())
            continue;
        QStyleOptionMenuItem option;
        initStyleOption(&option, items[i]);
        option.rect = r;
        option.state &= ~(QStyle::State_Selected | QStyle::State_Sunken);
        const unsigned state = m_state.ItemState(i);
        if (state & CMenuBarState::kHot)
            option.state |= QStyle::State_Selected;
        if (state & CMenuBarState::kSelected)
            option.state |= QStyle::State_Selected | QStyle::State_Sunken;
        painter.setClipRect(r);
        style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, this);
    }
}
