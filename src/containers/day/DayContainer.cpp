#include "containers/day/DayContainer.h"

#include "containers/base/ViewKinds.h"
#include "containers/day/DayPrintRange.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "containers/mainbase/MainBasePointers.h"
#include "containers/mainbase/MainBaseWnd.h"
#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/Profile.h"
#include "toolkit/navigator/DateNavigatorWnd.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "views/base/CustomWnd.h"
#include "views/timegrid/DayBannerWnd.h"
#include "views/timegrid/DayViewWnd.h"
#include "views/zoom/DayZoomList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <algorithm>
#include <cmath>

namespace {
using Layout = CDayContainerLayout;

bool IsGivenDate(const CDateTime &date)
{
    return date.IsValid() && date.Value() != 0.0;
}
} // namespace

CDayContainer::CDayContainer(int kind, QWidget *parent) : CMainViewContainer(parent)
{
    const int dayKind = kind == ViewKind::MultiDay ? ViewKind::MultiDay : ViewKind::Day;
    m_banner.SetContainer(this);
    m_grid.SetContainer(this);
    // The section first: creating the windows reads the views' options from it.
    SetViewKind(dayKind, ViewKind::SectionIndexOf(dayKind));
    setMouseTracking(true);

    // The grid first: a window that takes the focus on its own gives it to the grid.
    m_gridFrame = new CBorderWnd(this);
    m_gridFrame->setObjectName(QStringLiteral("dayGridFrame"));
    m_gridFrame->setProperty("controlId", kGridFrameId);
    m_gridWnd = new CDayViewWnd(m_grid, m_gridFrame);
    m_gridWnd->setProperty("controlId", kGridId);
    m_gridFrame->SetChild(m_gridWnd);
    m_bannerFrame = new CBorderWnd(this);
    m_bannerFrame->setObjectName(QStringLiteral("dayBannerFrame"));
    m_bannerFrame->setProperty("controlId", kBannerFrameId);
    m_bannerWnd = new CDayBannerWnd(m_banner, m_bannerFrame);
    m_bannerWnd->setProperty("controlId", kBannerId);
    m_bannerFrame->SetChild(m_bannerWnd);
    m_bannerWnd->installEventFilter(this);
    m_gridWnd->installEventFilter(this);

    const QString section = GetSection();
    if (m_kind == ViewKind::MultiDay) {
        const int days = Layout::ClampMultiDayCount(GetProfileInt(section, QStringLiteral("MDN"), 5));
        // A work week asked for while the week has fewer than two work days shows the "MDN"
        // count, not seven days.
        const bool workWeek = GetProfileInt(section, QStringLiteral("WW"), 0) != 0 && CountWorkDays() > 1;
        SetDayCount(workWeek ? 7 : days, workWeek);
    } else {
        SetDayCount(1, false);
    }
    m_rowLimit = Layout::RowLimitFromSetting(GetProfileInt(section, QStringLiteral("ARM"), Layout::kDefaultRowLimit));

    // Both views show the same days from the start, so that their columns agree before a load.
    const CDateTime today = GetToday();
    m_banner.SetLabelWidth(m_grid.Grid().LabelWidth());
    m_banner.SetDate(m_workWeek ? Layout::WeekStart(today, GetFirstDayOfWeek()) : today, false, true);
    m_grid.SetDate(false, true, m_banner.GetFirstDate());
    m_bannerFrame->setGeometry(0, 0, 324, HeaderHeight() + 3 * RowHeight() + Layout::kFrameBorders);
    m_barRect = QRect(0, m_bannerFrame->height(), m_bannerFrame->width(), Layout::kBarHeight);

    m_tracker = new QRubberBand(QRubberBand::Line, this);
    m_tracker->hide();
    LoadPaneOptions(true);
}

CDayContainer::~CDayContainer()
{
    // The windows refer to the views, which go before the base class deletes its children.
    m_banner.SetContainer(nullptr);
    m_grid.SetContainer(nullptr);
    delete m_bannerFrame;
    delete m_gridFrame;
}

// ---------------------------------------------------------------------------------------------
// Kind, days and dates

CCalendarViewCtrl *CDayContainer::SetViewKind(int kind, int sectionIndex)
{
    // The banner and the grid keep their own view kinds; they take the container's section.
    m_kind = kind;
    m_sectionIndex = sectionIndex;
    SetSectionIndex(sectionIndex);
    m_banner.SetSectionIndex(sectionIndex);
    m_grid.SetSectionIndex(sectionIndex);
    return GetViewCtrl();
}

void CDayContainer::SetDayCount(int days, bool workWeek)
{
    const Layout::DayCount resolved = Layout::ResolveDayCount(m_kind, days, workWeek, CountWorkDays());
    m_dayCount = resolved.count;
    m_workWeek = resolved.workWeek;
    m_banner.SetBannerDays(m_dayCount, m_workWeek);
    m_grid.SetGridDays(m_dayCount, m_workWeek);
}

CDateTime CDayContainer::GetFirstShownDate() const
{
    return m_grid.Grid().FirstDate();
}

CDateTime CDayContainer::GetLastShownDate() const
{
    CDateTime last = GetFirstShownDate();
    AddDays(last, m_grid.GetShownDays());
    return last;
}

CDateTime CDayContainer::GetCurrentDate() const
{
    return GetViewCtrl()->GetFirstDate();
}

CShownRange CDayContainer::GetShownRange() const
{
    // The grid's cells are rows, not days: the range is the grid's shown days.
    CShownRange range = CViewContainer::GetShownRange();
    range.start = GetFirstShownDate();
    range.dayCount = m_grid.GetShownDays();
    return range;
}

void CDayContainer::GoToDate(int mode, const CDateTime &date)
{
    const CDateTime first = GetFirstShownDate();
    const CDateTime day = date.DatePart();
    if (mode == 1) {
        const long offset = std::lround((day - first).GetTotalDays());
        if (offset >= 0 && offset < m_dayCount) {
            m_banner.GoToDate(day);
            m_grid.GoToDate(day);
            return;
        }
    }
    const bool oneStep = mode == 2 && Layout::IsOneStepScroll(first, day, m_workWeek);
    if (day != first) {
        const HRESULT hr = ReloadItems(false, true, day);
        if (!IsReloadSuccess(hr))
            HandleSessionError(hr);
        if (mode == 1) {
            m_banner.GoToDate(day);
            m_grid.GoToDate(day);
        } else if (oneStep) {
            // One step on: the day that just came into view is selected (the last shown one;
            // in a work week the last work day).
            CDateTime last = GetFirstShownDate();
            AddDays(last, m_grid.GetShownDays() - 1);
            m_banner.GoToDate(last);
            m_grid.GoToDate(last);
        }
    }
    update();
    m_bannerWnd->update();
    m_gridWnd->update();
}

// ---------------------------------------------------------------------------------------------
// Loading and placing items

HRESULT CDayContainer::LoadPeriodItems(bool keepStatus, bool, const CDateTime &date)
{
    WaitCursor(true);
    EndInPlaceEdit(true, false);
    SetDayCount(m_dayCount, m_workWeek);
    CDateTime day = IsGivenDate(date) ? date.DatePart() : GetFirstShownDate();
    if (m_workWeek)
        day = Layout::WeekStart(day, GetFirstDayOfWeek());

    // The banner's day columns line up under the grid's time column.
    m_banner.SetLabelWidth(m_grid.Grid().LabelWidth());
    m_banner.SetDate(day, false, true);
    m_grid.SetTimeScale(m_grid.Grid().MinutesPerRow(), m_grid.Grid().WorkingTimeOnly());
    m_grid.SetDate(false, true, day);
    SelectNavigatorDays();

    HRESULT hr = CItemLoadingVisitors::LoadScreenEvents(*this);
    if (hr == S_OK) {
        CItemLoadingVisitors::TaskLoad how;
        how.addToView = true;
        how.addToTaskPad = true;
        hr = CItemLoadingVisitors::LoadScreenTasks(*this, how);
    }
    if (m_sidePaneShown && Context().navigator)
        Context().navigator->Repaint();
    if (ITaskPadPort *taskPad = Context().taskPad; taskPad && taskPad->IsShown())
        taskPad->Refresh(false);

    RefreshViews(true);
    setUpdatesEnabled(false);
    FitBannerRows(m_banner.GetRowCount());
    setUpdatesEnabled(true);
    if (Context().mainWindow)
        Context().mainWindow->SetInfoBarTitle(GetCaptionText());
    if (!keepStatus)
        UpdateCountPane();
    WaitCursor(false);
    return hr;
}

void CDayContainer::SelectNavigatorDays()
{
    // Only a container of the main base window shows its days there; one a print job makes does not.
    CDateNavigatorWnd *navigator = CMainBasePointers::DateNavigator();
    if (navigator && parentWidget() && parentWidget() == CMainBasePointers::MainBase())
        navigator->SetSelection(GetFirstShownDate(), m_workWeek ? 7 : 1, m_dayCount);
}

bool CDayContainer::AddItemToView(CItemRef &holder, int)
{
    CCalendarItem *item = holder.GetItem();
    if (!item || item->HasFlag(CCalendarItem::FlagDeleted))
        return false;
    if (item->HasFlag(CCalendarItem::FlagHidden) && !IsShowingHiddenItems())
        return false;
    if (!m_filter.MatchesItem(*item))
        return false;
    if (CEventItem *event = holder.GetEvent()) {
        // Whole-day and multi-day occurrences go to the banner, the others to the grid.
        const int notesMode = m_grid.m_showNotes ? 2 : 1;
        bool added = false;
        std::unique_ptr<CDisplayItem> entry;
        bool more = event->FindFirstOccurrenceInRange(GetFirstShownDate(), m_grid.GetShownDays(), notesMode, entry);
        while (more) {
            if (entry) {
                if (entry->HasFlag(CDisplayItem::FlagAllDay))
                    added = m_banner.AddEntry(std::move(entry)) || added;
                else
                    added = m_grid.AddEntry(std::move(entry)) || added;
            }
            entry.reset();
            more = event->FindNextOccurrenceInRange(notesMode, entry);
        }
        return added;
    }
    if (item->GetKind() == CCalendarItem::KindTask && IsItemInShownRange(*item))
        return m_banner.AddItem(holder);
    return false;
}

void CDayContainer::OnItemUpdated(CItemRef &holder, bool select)
{
    // The base's update over both views: the item may move from the grid to the banner.
    const CCalendarItem *item = holder.GetItem();
    if (!item)
        return;
    const CCalendarViewCtrl::SavedSelection bannerSaved = m_banner.SaveSelection(holder.GetRecordId());
    const CCalendarViewCtrl::SavedSelection gridSaved = m_grid.SaveSelection(holder.GetRecordId());
    bool removed = false;
    if (holder.GetRecordId() != 0) {
        const int before = GetItemCount();
        if (item->GetRecordId() == holder.GetRecordId() && !holder.IsOneOccurrence())
            RemoveItemEntries(holder.GetRecordId());
        else
            RemoveOccurrenceEntries(holder.GetRecordId(), holder.GetOccurrenceDate());
        removed = GetItemCount() != before;
    }
    const bool added = AddItemToView(holder, select);
    if (removed || added) {
        m_banner.RestoreSelection(bannerSaved);
        m_grid.RestoreSelection(gridSaved);
        RefreshViews(true);
        FitBannerRows(m_banner.GetRowCount());
        UpdateCountPane();
    }
    if (item->GetKind() == CCalendarItem::KindTask && Context().taskPad)
        Context().taskPad->UpdateTask(*static_cast<const CTaskItem *>(item));
    if (removed)
        GetViewCtrl()->NotifyContainer(kNotifySelectionChanged);
}

bool CDayContainer::OnItemRescheduled(std::uint32_t recordId, const CDateTime &occurrence, const CDateTime &newStart)
{
    const bool inBanner = RescheduleEntries(m_banner, recordId, occurrence, newStart);
    const bool inGrid = RescheduleEntries(m_grid, recordId, occurrence, newStart);
    return inBanner || inGrid;
}

int CDayContainer::MarkItemRemoved(std::uint32_t recordId, const CDateTime *occurrence, bool)
{
    const bool changed =
        occurrence ? SetOccurrenceStates(recordId, *occurrence, CDisplayItem::StateRemoved, CDisplayItem::StateRemoved,
                                         false)
                   : SetItemStates(recordId, CDisplayItem::StateRemoved, CDisplayItem::StateRemoved, false);
    int result = changed ? ChangedView : 0;
    if (Context().taskPad && Context().taskPad->MarkRemoved(recordId))
        result |= ChangedTaskPad;
    return result;
}

int CDayContainer::RemoveItemFromViews(std::uint32_t recordId, const CDateTime *occurrence, bool notify)
{
    int result = 0;
    for (CCalendarViewCtrl *view : {static_cast<CCalendarViewCtrl *>(&m_banner), static_cast<CCalendarViewCtrl *>(&m_grid)}) {
        const int before = view->GetEntryCount();
        if (occurrence)
            view->RemoveOccurrenceEntries(recordId, *occurrence);
        else
            view->RemoveEntriesOfRecord(recordId);
        if (view->GetEntryCount() != before) {
            result |= ChangedView;
            if (notify) {
                view->Refresh(true);
                view->InvalidateAll();
            }
        }
    }
    if (Context().taskPad && Context().taskPad->RemoveTask(recordId))
        result |= ChangedTaskPad;
    if (notify && result) {
        UpdateCountPane();
        GetViewCtrl()->NotifyContainer(kNotifySelectionChanged);
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Views

CCalendarViewCtrl *CDayContainer::GetViewCtrl() const
{
    return m_bannerFocused ? static_cast<CCalendarViewCtrl *>(&m_banner) : &m_grid;
}

int CDayContainer::GetItemCount() const
{
    return m_banner.GetEntryCount() + m_grid.GetEntryCount();
}

int CDayContainer::GetFocusedDay(CDateTime &date) const
{
    int cell = CViewContainer::GetFocusedDay(date);
    if (cell >= 0 && !m_bannerFocused)
        cell /= std::max(1, m_grid.Grid().RowsPerDay());
    return cell;
}

void CDayContainer::AttachZoomList(CDayZoomList &list, int cell)
{
    CCalendarViewCtrl::EntryList entries;
    m_banner.CopyEntriesForCell(entries, cell);
    m_grid.CopyEntriesForCell(entries, cell);
    for (auto &entry : entries)
        list.AddRow(std::move(entry));
}

void CDayContainer::ReloadOptions()
{
    LoadPaneOptions(false);
    // Work days may have changed.
    SetDayCount(m_dayCount, m_workWeek);
    const int visibleRows = m_banner.GetVisibleRowCount();
    m_banner.ReloadOptions();
    m_grid.ReloadOptions();
    if (Context().taskPad)
        Context().taskPad->ReloadOptions();
    m_banner.SetLabelWidth(m_grid.Grid().LabelWidth());
    FitBannerRows(visibleRows);
    update();
    m_bannerWnd->update();
    m_gridWnd->update();
}

void CDayContainer::ClearEntries()
{
    m_grid.RemoveAllEntries();
    m_banner.RemoveAllEntries();
}

void CDayContainer::RefreshViews(bool sort)
{
    m_grid.Refresh(sort);
    m_grid.InvalidateAll();
    m_banner.Refresh(sort);
    m_banner.InvalidateAll();
}

int CDayContainer::EndInPlaceEdit(bool commit, bool fromKey)
{
    int result = 0;
    for (CCalendarViewCtrl *view : {static_cast<CCalendarViewCtrl *>(&m_grid), static_cast<CCalendarViewCtrl *>(&m_banner)}) {
        if (view->IsEditing()) {
            view->EndEdit(commit, fromKey);
            result = 1;
        }
    }
    return result;
}

bool CDayContainer::SetItemStates(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask, bool redraw)
{
    const bool grid = m_grid.SetItemState(recordId, value, mask, redraw);
    const bool banner = m_banner.SetItemState(recordId, value, mask, redraw);
    return grid || banner;
}

bool CDayContainer::SetOccurrenceStates(std::uint32_t recordId, const CDateTime &occurrence, std::uint32_t value,
                                        std::uint32_t mask, bool redraw)
{
    const bool grid = m_grid.SetOccurrenceState(recordId, occurrence, value, mask, redraw);
    const bool banner = m_banner.SetOccurrenceState(recordId, occurrence, value, mask, redraw);
    return grid || banner;
}

bool CDayContainer::SetAllStates(std::uint32_t value, std::uint32_t mask, bool redraw)
{
    const bool grid = m_grid.SetAllItemStates(value, mask, redraw);
    const bool banner = m_banner.SetAllItemStates(value, mask, redraw);
    return grid || banner;
}

void CDayContainer::RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence)
{
    m_grid.RemoveOccurrenceEntries(recordId, occurrence);
    m_banner.RemoveOccurrenceEntries(recordId, occurrence);
}

void CDayContainer::RemoveItemEntries(std::uint32_t recordId)
{
    m_grid.RemoveEntriesOfRecord(recordId);
    m_banner.RemoveEntriesOfRecord(recordId);
}

void CDayContainer::RemoveEntriesWithStates(std::uint32_t bits)
{
    m_grid.RemoveEntriesMatching(bits);
    m_banner.RemoveEntriesMatching(bits);
}

void CDayContainer::UpdateItemTypeEntries(std::uint32_t recordId, int typeIndex, const QString &typeName)
{
    m_grid.SetEntryTypeForItem(recordId, typeIndex, typeName, nullptr);
    m_banner.SetEntryTypeForItem(recordId, typeIndex, typeName, nullptr);
}

bool CDayContainer::IsTaskPadVisible() const
{
    return Context().taskPad && Context().taskPad->IsShown() && Context().taskPad->GetWidget() &&
           Context().taskPad->GetWidget()->isVisible();
}

void CDayContainer::SwitchPane(bool forward)
{
    QWidget *taskPadWidget = Context().taskPad ? Context().taskPad->GetWidget() : nullptr;
    Layout::Pane focus = Layout::Pane::Other;
    if (m_gridWnd->hasFocus())
        focus = Layout::Pane::Grid;
    else if (m_bannerWnd->hasFocus())
        focus = Layout::Pane::Banner;
    else if (taskPadWidget && (taskPadWidget->hasFocus() || taskPadWidget->isAncestorOf(focusWidget())))
        focus = Layout::Pane::TaskPad;
    switch (Layout::NextPane(focus, forward, IsTaskPadVisible())) {
    case Layout::Pane::TaskPad:
        m_focusedPane = taskPadWidget;
        Context().taskPad->TakeFocus();
        break;
    case Layout::Pane::Banner:
        m_bannerFocused = true;
        m_focusedPane = m_bannerWnd;
        m_bannerWnd->TakeFocus();
        break;
    default:
        m_bannerFocused = false;
        m_focusedPane = m_gridWnd;
        m_gridWnd->TakeFocus();
        break;
    }
    UpdateDetailsPane(false);
}

void CDayContainer::SelectTimeRange(const CDateTime &start, const CDateTime &end)
{
    if ((end - start).GetTotalDays() >= 1.0) {
        FocusAllDayBanner();
        return;
    }
    int flags = 0;
    const int first = m_grid.CellFromDate(start);
    int last = m_grid.CellFromDate(end, &flags);
    // An end on a row boundary belongs to the row before it.
    if ((flags & 1) && last > first)
        --last;
    // The cells become the selection; no entry stays selected or focused.
    m_grid.SetAllItemStates(0, CDisplayItem::StateSelected, true);
    m_grid.SetFocusedEntry(-1);
    m_grid.SetAnchorCell(first);
    m_grid.SetCurrentCell(std::max(first, last));
    m_grid.InvalidateRange(first, m_grid.GetCurrentCell(), true);
    m_grid.SetTopRow(m_grid.Grid().Row(first));
    m_grid.OnEntriesChanged();
    m_grid.InvalidateAll();
    m_bannerFocused = false;
    m_focusedPane = m_gridWnd;
    m_gridWnd->TakeFocus();
}

void CDayContainer::FocusAllDayBanner()
{
    m_bannerFocused = true;
    m_focusedPane = m_bannerWnd;
    m_bannerWnd->TakeFocus();
}

QString CDayContainer::GetCaptionText() const
{
    return m_grid.GetCaption();
}

void CDayContainer::GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const
{
    CDayPrintRange::GetDefault(m_dayCount, GetFirstShownDate(), styleId, start, end);
}

void CDayContainer::AlignPrintRange(CDateTime &start, CDateTime &end) const
{
    CDayPrintRange::Align(m_workWeek, GetFirstDayOfWeek(), start, end);
}

// ---------------------------------------------------------------------------------------------
// Commands and notifications

int CDayContainer::OnNotify(const CNotifyRecord &record)
{
    if (record.code == kNotifyFocusGained) {
        // The views do not name themselves: the one whose window has the focus sent it.
        QWidget *sender = record.sender;
        if (!sender)
            sender = m_bannerWnd->hasFocus() ? static_cast<QWidget *>(m_bannerWnd)
                                             : m_gridWnd->hasFocus() ? static_cast<QWidget *>(m_gridWnd) : nullptr;
        if (sender && sender != m_focusedPane) {
            if (m_focusedPane == m_bannerWnd)
                m_banner.EndEdit(true, false);
            else if (m_focusedPane == m_gridWnd)
                m_grid.EndEdit(true, false);
        }
        if (sender == m_bannerWnd)
            m_bannerFocused = true;
        else if (sender == m_gridWnd)
            m_bannerFocused = false;
        CNotifyRecord named = record;
        named.sender = sender;
        return CMainViewContainer::OnNotify(named);
    }
    return CMainViewContainer::OnNotify(record);
}

bool CDayContainer::OnContainerCommand(int id)
{
    if (const int minutes = Layout::MinutesOfCommand(id); minutes > 0) {
        ApplyTimeScale(minutes, m_grid.Grid().WorkingTimeOnly(), QStringLiteral("TimeScale"),
                       Layout::ScaleIndexOfMinutes(minutes));
        return true;
    }
    if (id == kCmdWorkTimeOnly) {
        const bool on = !m_grid.Grid().WorkingTimeOnly();
        ApplyTimeScale(m_grid.Grid().MinutesPerRow(), on, QStringLiteral("WTO"), on ? 1 : 0);
        return true;
    }
    // The days menu of the banner's corner: the main base window switches the Multi-day view.
    if ((id >= CDayBannerCtrl::kCmdTwoDays && id <= CDayBannerCtrl::kCmdFourteenDays) ||
        id == CDayBannerCtrl::kCmdWorkWeek) {
        if (CMainBaseWnd *mainBase = CMainBasePointers::MainBase())
            return mainBase->OnCommand(id);
        return false;
    }
    return CMainViewContainer::OnContainerCommand(id);
}

bool CDayContainer::OnUpdateContainerCommand(int id, CCmdUI &ui)
{
    if (const int minutes = Layout::MinutesOfCommand(id); minutes > 0) {
        ui.Enable(true);
        ui.SetCheck(m_grid.Grid().MinutesPerRow() == minutes);
        return true;
    }
    if (id == kCmdWorkTimeOnly) {
        ui.Enable(true);
        ui.SetCheck(m_grid.Grid().WorkingTimeOnly());
        return true;
    }
    return CMainViewContainer::OnUpdateContainerCommand(id, ui);
}

void CDayContainer::ApplyTimeScale(int minutes, bool workTimeOnly, const QString &settingName, int settingValue)
{
    m_grid.SetTimeScale(minutes, workTimeOnly);
    m_grid.m_timeScaleCode = Layout::ScaleIndexOfMinutes(m_grid.Grid().MinutesPerRow());
    m_grid.m_workingOnly = m_grid.Grid().WorkingTimeOnly() ? 1 : 0;
    const HRESULT hr = ReloadItems(false, true, GetFirstShownDate());
    if (IsReloadSuccess(hr))
        WriteProfileInt(GetSection(), settingName, settingValue);
    else
        HandleSessionError(hr);
    update();
    m_bannerWnd->update();
    m_gridWnd->update();
}

// ---------------------------------------------------------------------------------------------
// Layout and splitter

void CDayContainer::PlacePanes(int banner)
{
    const Layout::Panes panes = Layout::Place(width(), height(), banner);
    m_bannerFrame->setGeometry(panes.banner);
    m_gridFrame->setGeometry(panes.grid);
    m_barRect = panes.bar;
}

void CDayContainer::FitBannerRows(int rows)
{
    m_wantedRows = rows;
    PlacePanes(Layout::BannerForRows(rows, m_rowLimit, RowHeight(), HeaderHeight(), height()));
}

void CDayContainer::resizeEvent(QResizeEvent *event)
{
    CMainViewContainer::resizeEvent(event);
    if (width() == 0 || height() == 0)
        return;
    if (m_wantedRows >= 0)
        PlacePanes(Layout::BannerForRows(m_wantedRows, m_rowLimit, RowHeight(), HeaderHeight(), height()));
    else
        PlacePanes(Layout::FitBanner(m_bannerFrame->height(), height(), RowHeight(), HeaderHeight()));
}

void CDayContainer::paintEvent(QPaintEvent *)
{
    // The splitter bar between the two frames.
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(CMenuLook::Instance().GetColors().buttonFace));
}

void CDayContainer::BeginSplitterDrag(int)
{
    m_dragBounds = Layout::SplitterBounds(height(), RowHeight(), HeaderHeight());
    m_dragTop = Layout::StepBar(m_barRect.top(), m_barRect.top(), RowHeight(), m_dragBounds);
    m_dragging = true;
    grabMouse();
    m_tracker->setGeometry(0, m_dragTop, width(), Layout::kBarHeight);
    m_tracker->show();
}

void CDayContainer::TrackSplitterDrag(int y)
{
    if (!m_dragging)
        return;
    m_dragTop = Layout::StepBar(m_dragTop, y, RowHeight(), m_dragBounds);
    m_tracker->setGeometry(0, m_dragTop, width(), Layout::kBarHeight);
}

void CDayContainer::EndSplitterDrag(bool apply)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    releaseMouse();
    m_tracker->hide();
    if (apply) {
        m_wantedRows = -1;
        PlacePanes(m_dragTop);
    }
}

void CDayContainer::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_barRect.contains(point)) {
        BeginSplitterDrag(point.y());
        return;
    }
    CMainViewContainer::mousePressEvent(event);
}

void CDayContainer::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_dragging) {
        TrackSplitterDrag(point.y());
        return;
    }
    setCursor(m_barRect.contains(point) ? Qt::SplitVCursor : Qt::ArrowCursor);
    CMainViewContainer::mouseMoveEvent(event);
}

void CDayContainer::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        EndSplitterDrag(true);
        return;
    }
    CMainViewContainer::mouseReleaseEvent(event);
}

void CDayContainer::keyPressEvent(QKeyEvent *event)
{
    // Any key ends a drag without moving the splitter.
    if (m_dragging) {
        EndSplitterDrag(false);
        return;
    }
    CMainViewContainer::keyPressEvent(event);
}

bool CDayContainer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_bannerWnd)
            m_bannerFocused = true;
        else if (watched == m_gridWnd)
            m_bannerFocused = false;
    } else if (m_dragging && event->type() == QEvent::KeyPress) {
        EndSplitterDrag(false);
        return true;
    }
    return CMainViewContainer::eventFilter(watched, event);
}
