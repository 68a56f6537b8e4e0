// The program's menu bar: the frame's top-level menus in the program's look, with the Alt and
// F10 keyboard menu mode, Left and Right sliding from menu to menu, Escape leaving the bar item
// selected, and its popups opened against their bar item.
#pragma once

#include "toolkit/menus/MenuBarLayout.h"
#include "toolkit/menus/MenuBarState.h"

#include <QMenuBar>
#include <QPointer>
#include <QSet>

class CCommandTable;
class CMenuEx;

class CMenuBarEx : public QMenuBar
{
    Q_OBJECT
  public:
    static constexpr int kBarId = 59418;

    explicit CMenuBarEx(CCommandTable &table, QWidget *parent = nullptr);
    ~CMenuBarEx() override;

    // Appends a top-level menu.
    CMenuEx *AddMenu(const QString &title);
    // Appends a top-level item without a popup that runs a command.
    QAction *AddCommandItem(int id);

    const CMenuBarState &State() const { return m_state; }
    // The item under a point of the bar, -1 when none.
    int ItemAt(const QPoint &point) const;
    // The item's rectangle on the screen.
    QRect ItemScreenRect(int index) const;
    // Opens an item's popup (or runs its command), as from the keyboard or the mouse.
    void OpenItem(int index, bool fromKeyboard);
    // The popup now open, null when none.
    QMenu *OpenPopup() const;

    // A floating bar lays its items out in rows of its own, as wide as it is asked to be
    // (docked, the bar keeps one row); the width it last settled on is what it asks for next.
    // `owner` is the frame the bar serves while it floats: its keys still drive the bar.
    void SetFloating(bool floating, QWidget *owner = nullptr);
    bool IsFloating() const { return m_floating; }
    // The item's rectangle in the bar, empty for a hidden item.
    QRect ItemRect(int index) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void actionEvent(QActionEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    // The items measured as the style sizes them, one row; hidden items are left out.
    QList<MenuBarLayoutItem> MeasureItems(QList<int> *indexes) const;
    // The rows for a floating bar of `width`, with the item rectangles when asked.
    QSize FloatingLayout(int width, QList<QRect> *rects) const;
    void LayoutFloating();
    void HideExtension();
    void RebuildItems();
    void WatchPopup(QMenu *menu);
    void PopupShown(QMenu *menu);
    void PopupHidden(bool byEscape);
    void Apply(const BarKeyResult &result);
    bool FilterKey(QObject *watched, QKeyEvent *event);
    bool InOurWindow(QObject *object) const;
    int ItemUnderCursor() const;
    void StateChanged();

    CCommandTable &m_table;
    CMenuBarState m_state;
    QSet<QMenu *> m_popups;
    QPointer<QWidget> m_focusBefore;
    bool m_openingByKeyboard = false;
    bool m_altAlone = false;
    bool m_wasInMenuMode = false;
    const QEvent *m_lastKey = nullptr;
    quint64 m_lastKeyTime = 0;
    int m_lastKeyCode = 0;
    int m_lastKeyType = 0;
    QPointer<QWidget> m_lastWatched;
    bool m_floating = false;
    QPointer<QWidget> m_owner;
    QList<QRect> m_floatingRects;
    int m_mruWidth = 0;
    int m_pressedItem = -1;
};
