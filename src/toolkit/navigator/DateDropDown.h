// CDateDropDown: the pop-up month calendar a date picker opens under itself: one month with the
// "Today" bar, chosen with the mouse or the keys; it reports the choice (code 1) or a cancel
// (code 2, with the date it was opened with) to its owner. A click outside it is a cancel.
#pragma once

#include "toolkit/navigator/DateNavigator.h"
#include "toolkit/navigator/NavigatorWidgetHost.h"

#include <QWidget>
#include <memory>

class CDateDropDown : public QWidget
{
  public:
    // Pixels between the window's edge and the month: the frame and its four rings.
    static constexpr int kInset = 7;

    explicit CDateDropDown(QWidget *picker = nullptr);
    ~CDateDropDown() override;

    // Lays the engine out for one month with the today bar and sizes the window; false when
    // the layout cannot be made. The owner receives the notifications.
    bool Create(int controlId, bool weekNumbers, CNavigatorWidgetHost::Owner owner);
    bool IsCreated() const { return m_created; }
    // Keeps the date (returned on cancel) and shows it selected.
    bool SetDate(const CDateTime &date);
    // Shows the pop-up with its top-left corner at a screen point and gives it the keys.
    void ShowAt(const QPoint &screenTopLeft);
    void Hide();
    // The engine's current date while the window exists, else today.
    CDateTime GetCurrentDate() const;
    const CDateTime &GetKeptDate() const { return m_kept; }
    // Whether a drop-down calendar is open anywhere in the program.
    static bool IsAnyOpen();

    CDateNavigator &Engine() { return m_engine; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void Cancel();
    void MoveBy(int days, int months, int reason);

    CDateTime m_kept;
    bool m_closing = false; // accepted with Enter: the loss of focus is no cancel
    bool m_hiding = false;
    bool m_created = false;
    // The host outlives the engine, which stops its timers through it.
    CNavigatorWidgetHost m_host;
    CDateNavigator m_engine;
};
