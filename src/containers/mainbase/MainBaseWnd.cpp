// The main base window.
#include "containers/mainbase/MainBaseWnd.h"

#include "containers/base/ViewKinds.h"
#include "containers/mainbase/MainBaseLayout.h"
#include "containers/mainbase/MainBasePointers.h"
#include "containers/mainbase/MainBaseShell.h"
#include "containers/mainbase/MainBaseTaskPad.h"
#include "containers/mainbase/ViewSwitchRule.h"
#include "containers/preview/PreviewPane.h"
#include "core/document/CalendarDocument.h"
#include "core/system/Profile.h"
#include "toolkit/navigator/DateNavigatorBar.h"
#include "toolkit/navigator/DateNavigatorWnd.h"
#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>

namespace {
constexpr int kDay = 1, kMultiDay = 2, kWeek = 3, kMonth = 4, kYear = 5, kEventList = 6, kTasks = 7, kSearch = 8;

bool IsCalendarKind(int kind) { return kind >= 1 && kind <= 5; }

CDateTime Today() { return CDateTime::FromQDateTime(QDateTime::currentDateTime()).DatePart(); }
} // namespace

CMainBaseWnd::CMainBaseWnd(IMainBaseShell *shell, QWidget *parent) : QWidget(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("MainBaseWnd"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CMainBaseWnd::~CMainBaseWnd()
{
    qApp->removeEventFilter(this);
    CMainBasePointers::ClearDateNavigator();
    // The TaskPad belongs to its maker, not to the bar it was lent to.
    if (m_taskPad && m_taskPad->Widget())
        m_taskPad->Widget()->setParent(nullptr);
}

bool CMainBaseWnd::Create(const ContainerFactory &factory, IMainBaseTaskPad *taskPad)
{
    for (int i = 0; i < 8; ++i) {
        IMainBaseContainer *container = factory ? factory(i + 1, this) : nullptr;
        if (!container || !container->Widget())
            return false;
        m_containers[std::size_t(i)] = container;
        QWidget *w = container->Widget();
        w->setParent(this);
        w->setProperty("controlId", kContainerIds[std::size_t(i)]);
        w->hide();
    }
    m_bar = new CDateNavigatorBar(this);
    m_bar->setProperty("controlId", kBarId);
    m_taskPad = taskPad;
    if (m_taskPad && m_taskPad->Widget())
        m_bar->SetTaskPad(m_taskPad->Widget());
    m_preview = new CPreviewPane(this);
    m_preview->setProperty("controlId", kPreviewId);
    m_preview->SetKeyTarget([this]() -> INotifyTarget * { return m_current ? m_current->GetNotifyTarget() : nullptr; });
    m_preview->SetFocusChildHandler([this](QWidget *child) {
        if (m_current)
            m_current->SetFocusChild(child);
    });
    m_bar->hide();
    m_preview->hide();
    CMainBasePointers::Publish(this, m_bar->Navigator(), m_taskPad ? m_taskPad->Widget() : nullptr, m_preview);
    qApp->installEventFilter(this);
    return true;
}

IMainBaseContainer *CMainBaseWnd::Container(int viewKind) const
{
    // Creation order: Day, Multi-day, Week, Month, Year, Event List, Tasks, Search Results.
    if (viewKind < 1 || viewKind > 8)
        return nullptr;
    return m_containers[std::size_t(viewKind - 1)];
}

int CMainBaseWnd::MonthWidth() const { return m_bar ? m_bar->Navigator()->Engine().GetMetrics().monthWidth : 0; }

bool CMainBaseWnd::Check(HRESULT code)
{
    if (CViewSwitchRule::IsSuccess(code))
        return true;
    if (m_shell)
        m_shell->HandleSessionError(code);
    return false;
}

void CMainBaseWnd::SetTaskPadOwner(IMainBaseContainer *owner)
{
    if (m_taskPad)
        m_taskPad->SetOwner(owner);
}

// ---- Layout ----

void CMainBaseWnd::Layout(int cx, int cy)
{
    if (!m_bar || (m_shell && m_shell->IsLayoutSuspended()))
        return;
    MainBaseLayoutInput in;
    in.cx = cx;
    in.cy = cy;
    in.previewVisible = !m_preview->isHidden();
    in.previewHeight = m_preview->height();
    in.barVisible = !m_bar->isHidden();
    in.barWidth = m_bar->width();
    in.monthWidth = MonthWidth();
    const MainBaseLayoutResult r = CMainBaseLayout::Layout(in);
    if (r.skip)
        return;
    if (!r.preview.isNull())
        m_preview->setGeometry(r.preview);
    if (r.barTooNarrow)
        m_bar->hide();
    if (!r.bar.isNull())
        m_bar->setGeometry(r.bar);
    if (m_current)
        m_current->Widget()->setGeometry(r.view);
    UpdateStrips();
    update();
}

void CMainBaseWnd::LayoutNow() { Layout(width(), height()); }

void CMainBaseWnd::UpdateStrips()
{
    const bool has = m_current != nullptr;
    const QRect container = has ? m_current->Widget()->geometry() : QRect();
    m_horizontalStrip =
        CMainBaseLayout::HorizontalStrip(has, container, m_preview->isHidden() ? QRect() : m_preview->geometry());
    m_verticalStrip = CMainBaseLayout::VerticalStrip(has, container, m_bar->isHidden() ? QRect() : m_bar->geometry());
}

void CMainBaseWnd::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutNow();
}

void CMainBaseWnd::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_current)
        m_current->TakeFocus();
}

// ---- Splitters ----

void CMainBaseWnd::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton ||
        !m_splitter.Begin(event->position().toPoint(), rect(), m_verticalStrip, m_horizontalStrip, MonthWidth())) {
        QWidget::mousePressEvent(event);
        return;
    }
    grabMouse();
    if (!m_tracker)
        m_tracker = new QRubberBand(QRubberBand::Line, this);
    m_tracker->setGeometry(m_splitter.GetTrackerShape());
    m_tracker->show();
    m_tracker->raise();
}

void CMainBaseWnd::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (!m_splitter.IsDragging()) {
        const CMenuLook &look = CMenuLook::Instance();
        if (m_horizontalStrip.contains(p))
            setCursor(look.GetCursor(CMenuLook::kCursorRowSplitter));
        else if (m_verticalStrip.contains(p))
            setCursor(look.GetCursor(CMenuLook::kCursorColumnSplitter));
        else
            unsetCursor();
        return;
    }
    if (m_splitter.Move(p))
        m_tracker->setGeometry(m_splitter.GetTrackerShape());
}

void CMainBaseWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_splitter.IsDragging()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    EndDrag(true);
}

bool CMainBaseWnd::eventFilter(QObject *watched, QEvent *event)
{
    // Any key, or the application losing the user's attention, ends a splitter drag (this
    // window's or the Date Navigator bar's) without applying it; the key goes on as usual.
    const bool key = event->type() == QEvent::KeyPress;
    if (key || event->type() == QEvent::ApplicationDeactivate) {
        if (m_splitter.IsDragging())
            EndDrag(false);
        if (m_bar && m_bar->IsTracking())
            m_bar->CancelTracking();
    }
    return QWidget::eventFilter(watched, event);
}

void CMainBaseWnd::EndDrag(bool apply)
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    if (m_tracker)
        m_tracker->hide();
    const bool previewVisible = !m_preview->isHidden();
    const CMainBaseSplitter::Mode mode = m_splitter.GetMode();
    const CMainBaseSplitter::Applied a =
        m_splitter.End(apply, width(), height(), previewVisible, m_preview->height());
    if (apply && mode == CMainBaseSplitter::Vertical) {
        m_bar->setGeometry(a.bar);
        if (m_current)
            m_current->Widget()->setGeometry(a.container);
    } else if (apply && mode == CMainBaseSplitter::Horizontal && a.previewDelta != 0) {
        const int d = a.previewDelta;
        m_preview->setGeometry(m_preview->geometry().adjusted(0, d, 0, 0));
        if (m_current)
            m_current->Widget()->setGeometry(m_current->Widget()->geometry().adjusted(0, 0, 0, d));
        if (!m_bar->isHidden())
            m_bar->setGeometry(m_bar->geometry().adjusted(0, 0, 0, d));
    }
    UpdateStrips();
}

// ---- Attaching ----

void CMainBaseWnd::SetDataFile(CCalendarDocument *document)
{
    if (!m_bar)
        return;
    m_document = document && document->IsOpen() ? document : nullptr;
    CDateTime date = Today();
    m_bar->Navigator()->SetSelection(m_bar->Navigator()->Engine().GetCurDate().IsValid()
                                         ? m_bar->Navigator()->Engine().GetCurDate()
                                         : date,
                                     1, 1);
    if (m_document) {
        for (IMainBaseContainer *c : m_containers)
            c->SetDocument(m_document);
        m_bar->Navigator()->SetDataFile(&m_document->GetDataFile());
        if (m_current && IsCalendarKind(m_current->GetViewKind()) && m_current->GetShownStart().IsValid())
            date = m_current->GetShownStart();
        if (!m_current) {
            m_current = Container(kDay);
            m_preview->setVisible(m_current->GetShowDetails());
            m_bar->setVisible(m_current->GetShowNavigator());
            m_current->Widget()->show();
            LayoutNow();
        }
    } else {
        for (IMainBaseContainer *c : m_containers)
            c->SetDocument(nullptr);
        m_bar->Navigator()->SetDataFile(nullptr);
    }
    bool attached = true;
    if (m_current) {
        SetTaskPadOwner(m_current);
        date = date.DatePart();
        attached = Check(m_current->ResolveFilter());
        if (attached && m_document)
            attached = Check(m_current->Reload(date));
        if (attached && m_shell) {
            m_shell->SetInfoBarMode(m_current->GetViewKind());
            m_shell->ShowInfoBarText(m_current->GetFilterText());
        }
    }
    if (!m_document && m_shell) {
        m_shell->SetInfoBarTitle(QString());
        m_shell->ShowInfoBarText(QString());
    }
    setEnabled(m_document != nullptr);
    if (!m_document)
        m_preview->ShowItem(nullptr);
    setVisible(m_document != nullptr);
    if (m_document && m_current)
        m_current->TakeFocus();
    else if (parentWidget())
        parentWidget()->setFocus();
}

// ---- Switching ----

void CMainBaseWnd::SwitchTo(IMainBaseContainer *target, const CDateTime &given, int index, bool workWeek)
{
    if (!target)
        return;
    const int currentKind = m_current ? m_current->GetViewKind() : 0;
    const CDateTime date = CViewSwitchRule::DateFor(given, currentKind,
                                                    m_current ? m_current->GetShownStart() : CDateTime::Null(),
                                                    target->GetShownStart());
    if (m_current)
        m_current->FinishPendingWork();
    const bool multiDay = target->GetViewKind() == kMultiDay;
    if (CViewSwitchRule::IsNoOp(target == m_current, target->GetShownDate(), date, multiDay, index,
                                target->GetDayCount(), workWeek, target->IsWorkWeek())) {
        target->Widget()->update();
        return;
    }
    SetTaskPadOwner(target);
    if (QWidget *focus = target->GetFocusChild(); focus && !target->Widget()->isAncestorOf(focus))
        target->SetFocusChild(nullptr);
    if (multiDay && index != 0) {
        target->SetDayCount(index + 1, workWeek);
        const QString section = target->GetSection();
        WriteProfileInt(section, QStringLiteral("MDN"), index + 1);
        WriteProfileInt(section, QStringLiteral("WW"), workWeek ? 1 : 0);
    }
    if (target != m_current && m_document && !Check(target->ResolveFilter()))
        return;
    if (!Check(target->Reload(date)))
        return;
    if (target != m_current)
        MakeCurrent(target, true);
}

void CMainBaseWnd::MakeCurrent(IMainBaseContainer *target, bool navigatorAllowed)
{
    if (m_current && m_current != target) {
        m_current->DropTransientState();
        m_current->Widget()->hide();
    }
    m_current = target;
    if (m_shell) {
        m_shell->SetInfoBarMode(target->GetViewKind());
        m_shell->ShowInfoBarText(target->GetFilterText());
    }
    m_preview->setVisible(target->GetShowDetails());
    m_bar->setVisible(navigatorAllowed && target->GetShowNavigator());
    target->Widget()->show();
    target->UpdateCountPane();
    target->TakeFocus();
    LayoutNow();
}

void CMainBaseWnd::ShowDayView(const CDateTime &date) { SwitchTo(Container(kDay), date, 0, false); }

void CMainBaseWnd::ShowMultiDayView(int index, bool workWeek, const CDateTime &date)
{
    SwitchTo(Container(kMultiDay), date, index, workWeek);
}

void CMainBaseWnd::ShowWeekView(const CDateTime &date) { SwitchTo(Container(kWeek), date, 0, false); }
void CMainBaseWnd::ShowMonthView(const CDateTime &date) { SwitchTo(Container(kMonth), date, 0, false); }
void CMainBaseWnd::ShowYearView(const CDateTime &date) { SwitchTo(Container(kYear), date, 0, false); }

void CMainBaseWnd::ShowListView(bool search)
{
    if (!m_bar)
        return;
    if (search) {
        if (m_current)
            m_current->FinishPendingWork();
        IMainBaseContainer *target = Container(kSearch);
        if (!Check(target->StartEmptySearch()))
            return;
        if (target != m_current) {
            SetTaskPadOwner(nullptr);
            MakeCurrent(target, false);
        }
        return;
    }
    IMainBaseContainer *target = Container(kEventList);
    if (target == m_current)
        return;
    if (m_current)
        m_current->FinishPendingWork();
    if (m_document && !Check(target->ResolveFilter()))
        return;
    if (!Check(target->Reload(CDateTime::Null())))
        return;
    SetTaskPadOwner(nullptr);
    MakeCurrent(target, false);
}

void CMainBaseWnd::ShowTaskView()
{
    IMainBaseContainer *target = Container(kTasks);
    if (!target || target == m_current)
        return;
    if (m_current)
        m_current->FinishPendingWork();
    SetTaskPadOwner(nullptr);
    if (m_document && !Check(target->ResolveFilter()))
        return;
    if (!Check(target->Reload(CDateTime::Null())))
        return;
    MakeCurrent(target, false);
}

void CMainBaseWnd::ShowItemInDayView(int kind, const CDateTime &start, const CDateSpan &duration)
{
    if (kind != 1 || !start.IsValid())
        return;
    ShowDayView(start.DatePart());
    IMainBaseContainer *day = Container(kDay);
    if (m_current != day)
        return;
    if (duration.GetTotalDays() >= 1.0)
        day->FocusAllDayBanner();
    else
        day->SelectTimeRange(start, start + duration);
}

bool CMainBaseWnd::OnCommand(int id)
{
    int index = 0;
    bool workWeek = false;
    switch (id) {
    case kCmdDay: ShowDayView(); return true;
    case kCmdWeek: ShowWeekView(); return true;
    case kCmdMonth: ShowMonthView(); return true;
    case kCmdYear: ShowYearView(); return true;
    case kCmdEventList: ShowListView(false); return true;
    case kCmdFind: ShowListView(true); return true;
    case kCmdTasks: ShowTaskView(); return true;
    case kCmdDetailsPane: ToggleDetailsPane(); return true;
    case kCmdDateNavigator: ToggleDateNavigator(); return true;
    case kCmdTaskPad: ToggleTaskPad(); return true;
    default: break;
    }
    if (CViewSwitchRule::MultiDayIndexForCommand(id, index, workWeek)) {
        ShowMultiDayView(index, workWeek);
        return true;
    }
    return false;
}

// ---- Toggles and options ----

bool CMainBaseWnd::PaneState(int commandId, bool &checked) const
{
    checked = false;
    if (!m_document || !m_document->IsOpen() || !m_current)
        return false;
    const int kind = m_current->GetViewKind();
    const bool barShown = m_bar && m_bar->isVisible();
    switch (commandId) {
    case kCmdDateNavigator:
        checked = barShown;
        return kind >= ViewKind::Day && kind <= ViewKind::Month;
    case kCmdTaskPad:
        checked = m_bar && m_bar->IsTaskPadShown();
        return barShown;
    case kCmdDetailsPane:
        checked = m_preview && m_preview->isVisible();
        return kind != ViewKind::Year;
    default:
        return false;
    }
}

void CMainBaseWnd::ToggleDetailsPane()
{
    if (!m_preview)
        return;
    const bool show = m_preview->isHidden();
    m_preview->setVisible(show);
    if (m_current) {
        WriteProfileInt(m_current->GetSection(), QStringLiteral("SDP"), show ? 1 : 0);
        m_current->SetShowDetails(show);
    }
    LayoutNow();
    if (m_current) {
        m_current->UpdateDetailsPane();
        if (!show) {
            m_current->SetFocusChild(nullptr);
            m_current->TakeFocus();
        }
    }
}

void CMainBaseWnd::ToggleDateNavigator()
{
    if (!m_bar)
        return;
    const bool show = m_bar->isHidden();
    if (show && !CMainBaseLayout::HasRoomForBar(width(), MonthWidth())) {
        if (m_shell)
            m_shell->ShowWarningText(tr("There is not enough room to show the Date Navigator bar. Resize the main "
                                        "window or decrease the font size of Date Navigator."));
        return;
    }
    if (show && m_bar->width() < MonthWidth() + 8)
        m_bar->resize(MonthWidth() + 8, m_bar->height());
    m_bar->setVisible(show);
    if (show && m_taskPad && m_bar->IsTaskPadShown())
        m_taskPad->RefreshRows();
    if (m_current) {
        WriteProfileInt(m_current->GetSection(), QStringLiteral("SSP"), show ? 1 : 0);
        m_current->SetShowNavigator(show);
        if (!show)
            m_current->FocusView();
        m_current->UpdateCountPane();
    }
    LayoutNow();
}

void CMainBaseWnd::ToggleTaskPad()
{
    if (!m_bar)
        return;
    const bool wasShown = m_bar->IsTaskPadShown();
    m_bar->ToggleTaskPad();
    if (wasShown && m_current)
        m_current->FocusView();
    if (!wasShown && m_taskPad)
        m_taskPad->RefreshRows();
    if (m_current)
        m_current->UpdateCountPane();
}

void CMainBaseWnd::ApplyOptions()
{
    for (IMainBaseContainer *c : m_containers)
        if (c)
            c->ApplyOptions();
    if (m_taskPad)
        m_taskPad->ReloadOptions();
    if (m_bar)
        UpdateStrips();
}

void CMainBaseWnd::ResizeDateNavigatorBar()
{
    if (!m_bar)
        return;
    m_bar->ReloadOptions();
    const int u = MonthWidth();
    const int columns = std::max(1, m_bar->Navigator()->Engine().GetMonthsAcross());
    const QRect g = m_bar->geometry();
    m_bar->setGeometry(g.x(), g.y(), u * columns + 8, g.height());
    LayoutNow();
    m_bar->repaint();
}

void CMainBaseWnd::OnSysColorChange()
{
    for (IMainBaseContainer *c : m_containers)
        if (c)
            c->ReloadColors();
}

void CMainBaseWnd::SavePaneSizes()
{
    if (!m_bar)
        return;
    m_preview->SaveHeight();
    m_bar->SaveSizes();
}

void CMainBaseWnd::RestorePaneSizes()
{
    if (!m_bar)
        return;
    const int height = CPreviewPane::GetStoredHeight();
    const QRect p = m_preview->geometry();
    const int bottom = p.isNull() ? this->height() - CMainBaseLayout::kGap : p.y() + p.height();
    m_preview->setGeometry(p.x(), bottom - height, p.width(), height);

    const int columns = GetProfileInt(QStringLiteral("Calendar"), QStringLiteral("CL"), 1);
    const int rows = GetProfileInt(QStringLiteral("Calendar"), QStringLiteral("RS"), 10);
    const int width = CMainBaseLayout::RestoredBarWidth(columns, MonthWidth());
    const QRect b = m_bar->geometry();
    const int right = b.isNull() ? this->width() - CMainBaseLayout::kGap : b.x() + b.width();
    m_bar->setGeometry(right - width, b.y(), width, b.height());
    m_bar->SetMonthsDown(rows);
    LayoutNow();
}
