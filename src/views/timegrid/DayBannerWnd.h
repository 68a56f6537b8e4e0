// CDayBannerWnd: the window of the all-day banner: the view window with the banner's own
// vertical scroll bar, the cursors of its day-header strip and the days menu.
#pragma once

#include "views/base/CalendarViewWnd.h"
#include "views/timegrid/DayBannerCtrl.h"

class QScrollBar;

class CDayBannerWnd : public CCalendarViewWnd
{
  public:
    explicit CDayBannerWnd(CDayBannerCtrl &banner, QWidget *parent = nullptr);
    ~CDayBannerWnd() override;

    CDayBannerCtrl &GetBanner() const { return m_banner; }
    QScrollBar *GetScrollBar() const { return m_scrollBar; }

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    // Shows the banner's scroll state on the bar and moves an open edit with the content.
    void SyncScrollBar(int contentDy);
    void PlaceScrollBar();
    void OnScrollAction(int action);
    int ExecDaysMenu(const std::vector<CDayBannerCtrl::DaysMenuChoice> &choices, const QPoint &point);

    CDayBannerCtrl &m_banner;
    QScrollBar *m_scrollBar = nullptr;
};
