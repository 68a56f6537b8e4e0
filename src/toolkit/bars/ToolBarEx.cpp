// The program's flat toolbar.
#include "toolkit/bars/ToolBarEx.h"

#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/menus/MenuLookStyle.h"
#include "toolkit/menus/MenuPlacement.h"
#include "toolkit/style/MenuLook.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

CToolBarEx::CToolBarEx(CCommandTable &table, const QString &title, QWidget *parent)
    : QToolBar(title, parent), m_table(table)
{
    setIconSize(QSize(16, 16));
    ApplyBorders(false);
    connect(this, &QToolBar::orientationChanged, this, &CToolBarEx::OrientationChanged);
    connect(this, &QToolBar::topLevelChanged, this, &CToolBarEx::ApplyBorders);
    table.Router().WatchBar(this);
}

void CToolBarEx::LoadToolBar(const QList<int> &commands)
{
    for (int id : commands) {
        if (id == 0) {
            addSeparator();
            continue;
        }
        if (QAction *action = m_table.Action(id))
            addAction(action);
    }
    ApplyImages();
}

int CToolBarEx::SetImageBitmap(const QImage &strip, QSize imageSize, COLORREF mask)
{
    m_images.Load(strip, imageSize, mask, CMenuLook::Instance().GetColors().buttonFace);
    ApplyImages();
    return m_images.Count();
}

void CToolBarEx::ApplyImages()
{
    int image = 0;
    for (QAction *action : actions()) {
        if (image >= m_images.Count())
            break;
        if (action->isSeparator() || CommandIdOf(action) == 0)
            continue;
        QIcon icon;
        icon.addPixmap(m_images.Normal()[image], QIcon::Normal);
        icon.addPixmap(m_images.Faded()[image], QIcon::Disabled);
        action->setIcon(icon);
        ++image;
    }
}

QAction *CToolBarEx::AddOwnCommand(int id)
{
    const QAction *shared = m_table.Action(id);
    if (!shared)
        return nullptr;
    auto *action = new QAction(shared->icon(), shared->text(), this);
    action->setData(id);
    action->setToolTip(shared->toolTip());
    action->setStatusTip(shared->statusTip());
    connect(action, &QAction::triggered, this, [this, id] { m_table.Router().Execute(id); });
    addAction(action);
    return action;
}

QAction *CToolBarEx::AddControl(QWidget *control)
{
    QAction *placeholder = addWidget(control);
    placeholder->setVisible(orientation() == Qt::Horizontal);
    return placeholder;
}

void CToolBarEx::ApplyBorders(bool floating)
{
    // Docked, the bar keeps a little air against its neighbours; its floating frame has its own.
    if (floating)
        setContentsMargins(0, 0, 0, 0);
    else
        setContentsMargins(kBorderHorizontal, kBorderVertical, kBorderHorizontal, kBorderVertical);
}

void CToolBarEx::OrientationChanged(Qt::Orientation orientation)
{
    // Child controls only fit a horizontal bar.
    for (QAction *action : actions()) {
        QWidget *widget = widgetForAction(action);
        if (widget && !qobject_cast<QToolButton *>(widget))
            action->setVisible(orientation == Qt::Horizontal);
    }
}

QToolButton *CToolBarEx::Button(int command) const
{
    for (QAction *action : actions()) {
        if (CommandIdOf(action) == command)
            return qobject_cast<QToolButton *>(widgetForAction(action));
    }
    return nullptr;
}

bool CToolBarEx::TrackDropDown(int command, QMenu *menu)
{
    QToolButton *button = Button(command);
    if (!menu || !button)
        return false;
    button->setProperty(CMenuLookStyle::kOpenDropDown, true);
    button->update();
    const QRect item(button->mapToGlobal(QPoint(0, 0)), button->size());
    const QScreen *screen = QGuiApplication::screenAt(item.center());
    const QRect work = screen ? screen->availableGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
    m_openDropDown = command;
    m_dropDown = menu;
    menu->installEventFilter(this);
    connect(menu, &QMenu::aboutToHide, this, [this, menu, button = QPointer<QToolButton>(button)] {
        menu->removeEventFilter(this);
        disconnect(menu, &QMenu::aboutToHide, this, nullptr);
        if (button) {
            button->setProperty(CMenuLookStyle::kOpenDropDown, false);
            button->update();
        }
        m_openDropDown = 0;
        m_dropDown = nullptr;
    });
    menu->popup(TrackMenuPopupPosition(item, menu->sizeHint(), work, orientation() == Qt::Vertical,
                                       layoutDirection() == Qt::RightToLeft));
    return true;
}

bool CToolBarEx::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dropDown && event->type() == QEvent::MouseMove) {
        // The pointer reaching another button closes the drop-down.
        const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        QWidget *under = childAt(mapFromGlobal(global));
        auto *button = qobject_cast<QToolButton *>(under);
        if (button && button != Button(m_openDropDown))
            m_dropDown->close();
    }
    return QToolBar::eventFilter(watched, event);
}
