// The day time grid's window.
#include "views/timegrid/DayViewWnd.h"

#include "views/base/ViewScrollBar.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>

CDayViewWnd::CDayViewWnd(CDayViewCtrl &grid, QWidget *parent) : CCalendarViewWnd(grid, parent), m_grid(grid)
{
    m_scrollBar = CreateViewScrollBar(this, QStringLiteral("dayGridScrollBar"));
    m_grid.SetScrollBarWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scrollBar));
    m_grid.SetScrollListener([this](int dy) { SyncScrollBar(dy); });
    QObject::connect(m_scrollBar, &QScrollBar::actionTriggered, this,
                     [this](int action) { OnScrollAction(action); });
    m_grid.Create();
}

CDayViewWnd::~CDayViewWnd()
{
    m_grid.SetScrollListener(nullptr);
    m_grid.SetScrollBarWidth(0);
}

void CDayViewWnd::PlaceScrollBar()
{
    const int width = m_grid.GetScrollBarWidth();
    m_scrollBar->setGeometry(this->width() - width, 0, width, height());
}

void CDayViewWnd::SyncScrollBar(int contentDy)
{
    const CDayViewCtrl::ScrollBarState &state = m_grid.GetScrollBar();
    ShowScrollState(*m_scrollBar, state.minimum, state.maximum, state.page, state.position, state.enabled,
                    state.visible);
    PlaceScrollBar();
    MoveEditWithContent(GetEdit(), contentDy);
    if (contentDy != 0)
        update();
}

void CDayViewWnd::OnScrollAction(int action)
{
    const int code = ScrollCodeOfSliderAction(action);
    if (code < 0)
        return;
    if (code == 5) // thumb track: the grid goes to the row itself
        m_grid.ScrollToRow(m_scrollBar->sliderPosition());
    else // the grid reads the code from the high byte
        m_grid.OnScroll(std::uint16_t(code << 8 | 0xFF));
    // The slider takes the grid's answer, not its own idea of the step.
    m_scrollBar->setSliderPosition(m_grid.Grid().TopRow());
}

void CDayViewWnd::resizeEvent(QResizeEvent *event)
{
    CCalendarViewWnd::resizeEvent(event);
    m_grid.OnEntriesChanged();
    PlaceScrollBar();
    update();
}
