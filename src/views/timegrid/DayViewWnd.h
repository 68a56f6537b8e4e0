// CDayViewWnd: the window of the day time grid: the view window with a vertical scroll bar of
// its own, kept in step with the grid's rows.
#pragma once

#include "views/base/CalendarViewWnd.h"
#include "views/timegrid/DayViewCtrl.h"

class QScrollBar;

class CDayViewWnd : public CCalendarViewWnd
{
  public:
    // Creating the window creates the grid (options, colours, fonts, the first selection).
    explicit CDayViewWnd(CDayViewCtrl &grid, QWidget *parent = nullptr);
    ~CDayViewWnd() override;

    CDayViewCtrl &GetGrid() const { return m_grid; }
    QScrollBar *GetScrollBar() const { return m_scrollBar; }

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    // Shows the grid's scroll state on the bar and moves an open edit with the rows.
    void SyncScrollBar(int contentDy);
    void PlaceScrollBar();
    void OnScrollAction(int action);

    CDayViewCtrl &m_grid;
    QScrollBar *m_scrollBar = nullptr;
};
