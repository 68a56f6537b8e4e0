// The all-day banner's window.
#include "views/timegrid/DayBannerWnd.h"

#include "toolkit/style/MenuLook.h"
#include "views/base/ViewScrollBar.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

CDayBannerWnd::CDayBannerWnd(CDayBannerCtrl &banner, QWidget *parent)
    : CCalendarViewWnd(banner, parent), m_banner(banner)
{
    m_scrollBar = CreateViewScrollBar(this, QStringLiteral("bannerScrollBar"));
    m_banner.SetScrollBarWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scrollBar));
    m_banner.SetScrollListener([this](int dy) { SyncScrollBar(dy); });
    m_banner.SetDaysMenuHandler([this](const std::vector<CDayBannerCtrl::DaysMenuChoice> &choices,
                                       const QPoint &point) { return ExecDaysMenu(choices, point); });
    QObject::connect(m_scrollBar, &QScrollBar::actionTriggered, this,
                     [this](int action) { OnScrollAction(action); });
    // What creating the window does: options, colours and fonts, and the focus on the first day.
    m_banner.LoadViewOptions();
    m_banner.LoadFonts(false);
    m_banner.SetCurrentCell(0);
    m_banner.SetAnchorCell(0);
}

CDayBannerWnd::~CDayBannerWnd()
{
    m_banner.SetScrollListener(nullptr);
    m_banner.SetDaysMenuHandler(nullptr);
}

void CDayBannerWnd::PlaceScrollBar()
{
    const int header = m_banner.GetHeaderHeight();
    const int width = m_banner.GetScrollBarWidth();
    m_scrollBar->setGeometry(this->width() - width, header, width, std::max(0, height() - header));
}

void CDayBannerWnd::SyncScrollBar(int contentDy)
{
    const CDayBannerCtrl::ScrollBarState &state = m_banner.GetScrollBarState();
    ShowScrollState(*m_scrollBar, 0, state.maximum, state.page, state.position, state.enabled, state.visible);
    PlaceScrollBar();
    MoveEditWithContent(GetEdit(), contentDy);
}

void CDayBannerWnd::OnScrollAction(int action)
{
    static_assert(CDayBannerCtrl::ScrollLineDown == 1 && CDayBannerCtrl::ScrollThumbTrack == 5 &&
                  CDayBannerCtrl::ScrollBottom == 7); // the banner's requests are the scroll codes
    const int request = ScrollCodeOfSliderAction(action);
    if (request < 0)
        return;
    m_banner.OnVScroll(request, m_scrollBar->sliderPosition());
    // The slider takes the banner's answer, not its own idea of the step.
    m_scrollBar->setSliderPosition(m_banner.GetTopRow());
}

int CDayBannerWnd::ExecDaysMenu(const std::vector<CDayBannerCtrl::DaysMenuChoice> &choices,
                                const QPoint &point)
{
    QMenu menu(this);
    for (const auto &choice : choices) {
        QAction *action = menu.addAction(choice.text);
        action->setData(choice.commandId);
    }
    const QAction *picked = menu.exec(mapToGlobal(point));
    return picked ? picked->data().toInt() : 0;
}

void CDayBannerWnd::resizeEvent(QResizeEvent *event)
{
    CCalendarViewWnd::resizeEvent(event);
    PlaceScrollBar();
    update();
}

void CDayBannerWnd::mouseMoveEvent(QMouseEvent *event)
{
    CCalendarViewWnd::mouseMoveEvent(event);
    const QPoint point = event->position().toPoint();
    if (m_banner.IsCornerPoint(point))
        setCursor(CMenuLook::Instance().GetCursor(CMenuLook::kCursorZoom));
    else if (m_banner.IsHeaderPoint(point))
        setCursor(CMenuLook::Instance().GetCursor(CMenuLook::kCursorArrow));
}
