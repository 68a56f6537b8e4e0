#include "toolkit/navigator/DateNavigatorBar.h"

#include "core/system/Profile.h"
#include "toolkit/navigator/DateNavigatorWnd.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QVBoxLayout>
#include <algorithm>

CDateNavigatorBar::CDateNavigatorBar(QWidget *parent) : QWidget(parent)
{
    m_pane = new QWidget(this);
    m_pane->setObjectName(QStringLiteral("TaskPadPane"));
    auto *paneLayout = new QVBoxLayout(m_pane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    m_pane->setVisible(GetProfileInt(QStringLiteral("Common"), QStringLiteral("STP"), 1) != 0);
    m_navigator = new CDateNavigatorWnd(this);
    m_navigator->SetCommandHandler([this](int id) {
        if (id == CDateNavigatorWnd::kCmdShowTaskPad)
            ToggleTaskPad();
    });
    setMouseTracking(true);
    resize(m_navigator->GetPreferredWidth(), m_navigator->GetPreferredHeight() + kSplitter + kTaskPadMinimum);
}

CDateNavigatorBar::~CDateNavigatorBar() = default;

int CDateNavigatorBar::MonthHeight() const { return m_navigator->Engine().GetMetrics().monthHeight; }

void CDateNavigatorBar::SetTaskPad(QWidget *taskPad)
{
    taskPad->setParent(m_pane);
    m_pane->layout()->addWidget(taskPad);
}

bool CDateNavigatorBar::IsTaskPadShown() const { return !m_pane->isHidden(); }

int CDateNavigatorBar::NavigatorHeightFor(int barHeight, int current, int monthHeight)
{
    if (monthHeight <= 0)
        return std::max(0, current);
    auto round = [monthHeight](int h) { return monthHeight * ((h - 8) / monthHeight) + 8; };
    int height = current;
    if (barHeight - kTaskPadMinimum < height)
        height = round(barHeight - kTaskPadMinimum);
    if (height < monthHeight + 8)
        height = monthHeight + 8;
    // Whole months only.
    return std::max(1, (height - 8) / monthHeight) * monthHeight + 8;
}

void CDateNavigatorBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void CDateNavigatorBar::Layout()
{
    const int w = width(), h = height();
    if (w <= 0 || h <= 0)
        return;
    if (!IsTaskPadShown()) {
        m_navigator->setGeometry(0, 0, w, h);
        m_splitter = QRect();
        return;
    }
    const int navHeight = NavigatorHeightFor(h, m_navigator->height(), MonthHeight());
    m_navigator->setGeometry(0, 0, w, navHeight);
    m_pane->setGeometry(0, navHeight + kSplitter, w, std::max(0, h - navHeight - kSplitter));
    m_splitter = QRect(0, navHeight, w, kSplitter);
}

void CDateNavigatorBar::ApplyNavigatorHeight(int height)
{
    const int monthHeight = MonthHeight();
    if (monthHeight > 0)
        height = std::max(monthHeight + 8, m_navigator->RoundHeight(height));
    m_navigator->setGeometry(0, 0, width(), height);
    m_pane->setGeometry(0, height + kSplitter, width(), std::max(0, this->height() - height - kSplitter));
    m_splitter = QRect(0, height, width(), kSplitter);
}

void CDateNavigatorBar::ToggleTaskPad()
{
    const bool show = !IsTaskPadShown();
    m_pane->setVisible(show);
    WriteProfileInt(QStringLiteral("Common"), QStringLiteral("STP"), show ? 1 : 0);
    Layout();
}

void CDateNavigatorBar::SetMonthsDown(int n)
{
    const int height = IsTaskPadShown() ? std::max(1, n) * MonthHeight() + 8 : this->height();
    ApplyNavigatorHeight(height);
}

void CDateNavigatorBar::SaveSizes()
{
    const CBusyDaysNavigator &engine = m_navigator->Engine();
    WriteProfileInt(QStringLiteral("Calendar"), QStringLiteral("CL"), engine.GetMonthsAcross());
    WriteProfileInt(QStringLiteral("Calendar"), QStringLiteral("RS"), engine.GetMonthsDown());
}

void CDateNavigatorBar::UpdateToday() { m_navigator->UpdateToday(); }
void CDateNavigatorBar::Recenter() { m_navigator->Recenter(); }

void CDateNavigatorBar::ReloadOptions()
{
    m_navigator->ReloadOptions();
    Layout();
}

// ---- Splitter ----

void CDateNavigatorBar::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !m_splitter.contains(p)) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!m_navigator->GetSplitLimits(height() - kTaskPadMinimum, m_lower, m_upper)) {
        // No room to move: the tracker stays where the splitter is.
        m_lower = m_splitter.top();
        m_upper = m_splitter.top();
    }
    m_tracking = true;
    m_trackerTop = m_splitter.top();
    if (!m_tracker)
        m_tracker = new QRubberBand(QRubberBand::Line, this);
    m_tracker->setGeometry(m_splitter.adjusted(0, 2, 0, -2));
    m_tracker->show();
}

void CDateNavigatorBar::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (!m_tracking) {
        if (m_splitter.contains(p))
            setCursor(Qt::SplitVCursor);
        else
            unsetCursor();
        return;
    }
    const int monthHeight = MonthHeight();
    const int y = std::clamp(p.y(), m_lower, std::max(m_lower, m_upper));
    // The tracker snaps by whole months.
    while (monthHeight > 0 && y > m_trackerTop + monthHeight / 2 && m_trackerTop + monthHeight <= m_upper)
        m_trackerTop += monthHeight;
    while (monthHeight > 0 && y < m_trackerTop - monthHeight / 2 && m_trackerTop - monthHeight >= m_lower)
        m_trackerTop -= monthHeight;
    m_tracker->setGeometry(QRect(0, m_trackerTop, width(), kSplitter).adjusted(0, 2, 0, -2));
}

void CDateNavigatorBar::CancelTracking()
{
    if (!m_tracking)
        return;
    m_tracking = false;
    m_tracker->hide();
}

void CDateNavigatorBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_tracking) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_tracking = false;
    m_tracker->hide();
    ApplyNavigatorHeight(m_trackerTop);
}
