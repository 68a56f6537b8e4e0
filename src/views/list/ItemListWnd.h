// CItemListWnd: the window of a list view: the view's window with two scroll bars of its own,
// kept in step with the view's scroll positions, the Field Chooser and the layout saved when
// the window goes.
#pragma once

#include "views/base/CalendarViewWnd.h"
#include "views/list/ItemListCtrl.h"

class QScrollBar;

class CItemListWnd : public CCalendarViewWnd
{
  public:
    explicit CItemListWnd(CItemListCtrl &view, QWidget *parent = nullptr);
    ~CItemListWnd() override;

    // The area left to the rows and the header: the window less its shown scroll bars.
    QRect ClientRect() const override;
    QScrollBar *VerticalBar() const { return m_vertical; }
    QScrollBar *HorizontalBar() const { return m_horizontal; }
    // Brings the scroll bars' ranges and positions to the view's.
    void UpdateScrollBars();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void PlaceScrollBars();

    CItemListCtrl &m_list;
    QScrollBar *m_vertical = nullptr;
    QScrollBar *m_horizontal = nullptr;
    bool m_syncing = false;
};
