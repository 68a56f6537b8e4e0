// The day time grid's window.
#include "views/DayViewWnd.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>

CDayViewWnd::CDayViewWnd(CDayViewCtrl &grid, QWidget *parent) : CCalendarViewWnd(grid, parent), m_grid(grid)
{
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(QStringLiteral("dayGridScrollBar"));
    m_scrollBar->setSingleStep(1);
    m_scrollBar->hide();
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
    const QSignalBlocker block(m_scrollBar);
    // The bar counts top rows: the last row reaches the top only as far as a page allows.
    m_scrollBar->setRange(state.minimum,
                          std::max(state.minimum, state.maximum + 1 - std::max(1, state.page)));
    m_scrollBar->setPageStep(std::max(1, state.page));
    m_scrollBar->setValue(state.position);
    m_scrollBar->setEnabled(state.enabled);
    m_scrollBar->setVisible(state.visible);
    PlaceScrollBar();
    if (contentDy != 0 && GetEdit() && !GetEdit()->isHidden())
        GetEdit()->move(GetEdit()->pos() + QPoint(0, contentDy));
    if (contentDy != 0)
        update();
}

void CDayViewWnd::OnScrollAction(int action)
{
    std::uint16_t code = 0xFFFF;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = 0x01FF;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = 0x00FF;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = 0x03FF;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = 0x02FF;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = 0x06FF;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = 0x07FF;
        break;
    case QAbstractSlider::SliderMove:
        m_grid.ScrollToRow(m_scrollBar->sliderPosition());
        break;
    default:
        return;
    }
    if (code != 0xFFFF)
        m_grid.OnScroll(code);
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
