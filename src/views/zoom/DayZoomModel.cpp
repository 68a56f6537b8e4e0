// The zoom-day list's rows, selection and commands.
#include "views/zoom/DayZoomModel.h"

#include "core/system/AppSettings.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "core/system/StringTable.h"
#include "core/items/TaskItem.h"
#include "core/document/TransferFormat.h"
#include "core/document/TransferWriter.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"

#include <QMimeData>
#include <QStringList>
#include <algorithm>
#include <optional>

namespace {
constexpr int kIdsCannotDelete = 61259;
constexpr int kIdsDeleteOne = 58002;
constexpr int kIdsDeleteSeveral = 58003;
constexpr int kIdsEventToTask = 58019;
constexpr int kIdsTaskToEvent = 58022;
constexpr int kIdsTasksWithDueDates = 59434;

// Sets the busy flag for the life of the object, so that losing the focus to a box or to the
// container's work does not close the list.
class BusyScope
{
  public:
    explicit BusyScope(bool &flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~BusyScope() { m_flag = m_before; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

  private:
    bool &m_flag;
    bool m_before;
};
// Holds the host's wait state for the life of the object.
class WaitState
{
  public:
    explicit WaitState(IDayZoomHost *host) : m_host(host)
    {
        if (m_host)
            m_host->SetWaitState(true);
    }
    ~WaitState()
    {
        if (m_host)
            m_host->SetWaitState(false);
    }
    WaitState(const WaitState &) = delete;
    WaitState &operator=(const WaitState &) = delete;

  private:
    IDayZoomHost *m_host;
};
} // namespace

CDayZoomModel::CDayZoomModel(IViewContainer *owner, int dayKey, const CDateTime &day, bool gradient)
    : m_owner(owner), m_dayKey(dayKey), m_day(day), m_gradient(gradient)
{
}

CDayZoomModel::~CDayZoomModel() = default;

// ---- Rows ----

void CDayZoomModel::ClearRows()
{
    m_rows.clear();
}

int CDayZoomModel::AddRow(std::unique_ptr<CDisplayItem> item)
{
    if (!item)
        return -1;
    item->SetState(item->GetState() & ~CDisplayItem::StateSelected);
    const auto at =
        std::find_if(m_rows.begin(), m_rows.end(), [&](const auto &r) { return item->Precedes(*r); });
    const int index = int(at - m_rows.begin());
    m_rows.insert(at, std::move(item));
    return index;
}

CDisplayItem *CDayZoomModel::GetRow(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[std::size_t(row)].get() : nullptr;
}

// ---- Selection ----

void CDayZoomModel::SetSelected(int row, bool selected)
{
    if (CDisplayItem *item = GetRow(row))
        item->SetStateBits(selected ? CDisplayItem::StateSelected : 0, CDisplayItem::StateSelected);
}

bool CDayZoomModel::IsSelected(int row) const
{
    const CDisplayItem *item = GetRow(row);
    return item && item->HasState(CDisplayItem::StateSelected);
}

int CDayZoomModel::GetSelectedCount() const
{
    return int(GetSelectedRows().size());
}

std::vector<int> CDayZoomModel::GetSelectedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < GetRowCount(); ++i)
        if (IsSelected(i))
            rows.push_back(i);
    return rows;
}

void CDayZoomModel::SelectAll()
{
    for (int i = 0; i < GetRowCount(); ++i)
        SetSelected(i, true);
}

void CDayZoomModel::ClearSelection()
{
    for (int i = 0; i < GetRowCount(); ++i)
        SetSelected(i, false);
}

bool CDayZoomModel::SelectByKey(std::uint32_t recordId, const CDateTime &occurrence)
{
    ClearSelection();
    for (int i = 0; i < GetRowCount(); ++i) {
        const CDisplayItem &item = *m_rows[std::size_t(i)];
        if (item.GetItemRef() == recordId && item.GetOccurrenceDate() == occurrence) {
            SetSelected(i, true);
            return true;
        }
    }
    return false;
}

std::vector<CDisplayItem *> CDayZoomModel::SelectedItems() const
{
    std::vector<CDisplayItem *> items;
    for (int row : GetSelectedRows())
        items.push_back(GetRow(row));
    return items;
}

// ---- Sizes ----

QPoint CDayZoomModel::KeyboardMenuPoint(const QRect &selectedRow, int rowHeight)
{
    if (selectedRow.isNull())
        return QPoint(0, 0);
    return selectedRow.topLeft() + QPoint(rowHeight / 2, rowHeight / 2);
}

QSize CDayZoomModel::FitWindowSize(int rowCount, int rowHeight, int headingHeight, int workAreaHeight)
{
    const int step = std::max(1, rowHeight);
    int height = rowCount * step + headingHeight + 16;
    while (height < 360)
        height += step;
    while (height > workAreaHeight && height > step)
        height -= step;
    return QSize(400, height);
}

CDayZoomModel::TimeColumns CDayZoomModel::MeasureTimeColumns(const TextWidthFn &measure) const
{
    TimeColumns columns;
    columns.space = measure(QStringLiteral(" "));
    for (const auto &row : m_rows) {
        if (row->HasFlag(CDisplayItem::FlagAllDay))
            continue;
        columns.start = std::max(columns.start, measure(FormatCompactTime(row->GetStart())));
        columns.end = std::max(columns.end, measure(FormatCompactTime(row->GetEnd())));
    }
    return columns;
}

QString CDayZoomModel::RowText(const CDisplayItem &item)
{
    return item.GetTimeRangeText(false, false, false, false, item.HasFlag(CDisplayItem::FlagBeginsBefore),
                                 item.HasFlag(CDisplayItem::FlagEndsAfter));
}

QString CDayZoomModel::QuotedSubject(const QString &subject)
{
    if (subject.size() >= 128)
        return subject.left(124) + QStringLiteral("...");
    return subject;
}

// ---- Commands ----

bool CDayZoomModel::IsCommandEnabled(int id) const
{
    const int selected = GetSelectedCount();
    const bool writable = m_owner && !m_owner->IsDataReadOnly();
    switch (id) {
    case ZoomCommand::Open:
    case ZoomCommand::Properties:
        return selected == 1;
    case ZoomCommand::Print:
    case ZoomCommand::Copy:
        return selected > 0;
    case ZoomCommand::Cut:
    case ZoomCommand::Delete:
    case ZoomCommand::EventToTask:
    case ZoomCommand::TaskToEvent:
    case ZoomCommand::Lock:
    case ZoomCommand::Unlock:
    case ZoomCommand::MarkComplete:
        return selected > 0 && writable;
    case ZoomCommand::SelectAll:
        return GetRowCount() > 0;
    case ZoomCommand::Close:
        return true;
    default:
        if (id >= ZoomCommand::FirstType && id <= ZoomCommand::LastType)
            return selected > 0 && writable;
        return false;
    }
}

void CDayZoomModel::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return;
    switch (id) {
    case ZoomCommand::Open:
        OpenSelected(false);
        break;
    case ZoomCommand::Properties:
        OpenSelected(true);
        break;
    case ZoomCommand::Print:
        Print();
        break;
    case ZoomCommand::Copy:
        Copy();
        break;
    case ZoomCommand::Cut:
        Cut();
        break;
    case ZoomCommand::Delete:
        Delete();
        break;
    case ZoomCommand::EventToTask:
        ConvertEventsToTasks();
        break;
    case ZoomCommand::TaskToEvent:
        ConvertTasksToEvents();
        break;
    case ZoomCommand::Lock:
    case ZoomCommand::Unlock:
        SetLocked(id == ZoomCommand::Lock);
        break;
    case ZoomCommand::MarkComplete:
        MarkComplete();
        break;
    case ZoomCommand::SelectAll:
        SelectAll();
        if (m_host)
            m_host->Repaint();
        UpdateDetailsPane(false);
        break;
    case ZoomCommand::Close:
        Close();
        break;
    default:
        ChangeType(id - ZoomCommand::FirstType);
        break;
    }
}

bool CDayZoomModel::OnKey(int key, int modifiers)
{
    if (modifiers & kModCtrl) {
        switch (key) {
        case Qt::Key_C:
        case Qt::Key_Insert:
            OnCommand(ZoomCommand::Copy);
            return true;
        case Qt::Key_X:
            OnCommand(ZoomCommand::Cut);
            return true;
        case Qt::Key_A:
            OnCommand(ZoomCommand::SelectAll);
            return true;
        default:
            break;
        }
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_host)
            m_host->PostCommand(ZoomCommand::Open);
        return true;
    case Qt::Key_Escape:
        if (m_host)
            m_host->PostCommand(ZoomCommand::Close);
        return true;
    case Qt::Key_Delete:
        OnCommand(ZoomCommand::Delete);
        return true;
    default:
        return false;
    }
}

void CDayZoomModel::OnFocusLost()
{
    if (!m_busy && m_host)
        m_host->PostCommand(ZoomCommand::Close);
}

int CDayZoomModel::GetContextPopup() const
{
    const std::vector<int> rows = GetSelectedRows();
    const CDisplayItem *item = rows.empty() ? nullptr : GetRow(rows.front());
    if (!item)
        return ZoomPopup::CloseOnly;
    const bool typesFirst = ProgramSettings().itemTypeMenusFirst != 0;
    if (item->GetKind() == CDisplayItem::KindTask)
        return typesFirst ? ZoomPopup::TaskTypesFirst : ZoomPopup::Task;
    return typesFirst ? ZoomPopup::ItemTypesFirst : ZoomPopup::Item;
}

void CDayZoomModel::UpdateDetailsPane(bool force)
{
    if (!m_owner)
        return;
    if (!m_owner->IsDetailsPaneVisible()) {
        m_owner->ShowDetails(nullptr, false);
        return;
    }
    const std::vector<int> rows = GetSelectedRows();
    m_owner->ShowDetails(rows.size() == 1 ? GetRow(rows.front()) : nullptr, force);
}

int CDayZoomModel::Ask(const QString &text, MessageButtons buttons)
{
    BusyScope busy(m_busy);
    return ShowMessageBox(m_host ? m_host->MessageOwner() : nullptr, true, text, MessageIcon::Warning,
                          buttons);
}

void CDayZoomModel::OpenSelected(bool properties)
{
    const std::vector<int> rows = GetSelectedRows();
    if (rows.size() != 1 || !m_owner)
        return;
    // The item leaves its row: the list closes before the container opens it.
    const std::unique_ptr<CDisplayItem> item = GetRow(rows.front())->Clone();
    if (m_host)
        m_host->PostCommand(ZoomCommand::Close);
    if (properties)
        m_owner->ShowItemProperties(*item);
    else
        m_owner->OpenItem(*item);
}

void CDayZoomModel::Print()
{
    std::vector<std::unique_ptr<CDisplayItem>> keys;
    std::vector<const CDisplayItem *> list;
    for (CDisplayItem *item : SelectedItems()) {
        keys.push_back(item->Clone());
        list.push_back(keys.back().get());
    }
    if (m_host)
        m_host->DestroyWindow();
    if (m_owner)
        m_owner->PrintItems(list);
}

QByteArray CDayZoomModel::RenderText() const
{
    QStringList subjects;
    for (const CDisplayItem *item : SelectedItems())
        subjects.append(item->GetSubject());
    QByteArray bytes = SelectionText(subjects).toUtf8();
    bytes.append('\0');
    return bytes;
}

QByteArray CDayZoomModel::RenderItems(std::vector<bool> *written) const
{
    IViewDocument *doc = m_owner ? m_owner->GetDocument() : nullptr;
    CTransferWriter writer(doc ? doc->GetFormatVersion() : 0);
    for (const CDisplayItem *e : SelectedItems()) {
        bool wrote = false;
        CItemRef ref;
        if (doc && e->GetKind() == CDisplayItem::KindEvent) {
            const CEventItem *stored =
                doc->LoadEvent(e->GetItemRef(), ref) == S_OK ? ref.GetEvent() : nullptr;
            CEventItem copy;
            const std::uint32_t tag = stored
                                          ? PrepareEventForTransfer(*stored, e->GetOccurrenceDate(),
                                                                    e->GetStart(), e->GetEnd(), false, copy)
                                          : Transfer::TagEmpty;
            if (tag != Transfer::TagEmpty) {
                writer.AddEvent(copy, tag);
                wrote = true;
            }
        } else if (doc && e->GetKind() == CDisplayItem::KindTask) {
            if (doc->LoadTask(e->GetItemRef(), ref) == S_OK && ref.GetTask()) {
                writer.AddTask(*ref.GetTask());
                wrote = true;
            }
        }
        if (!wrote)
            writer.AddEmpty();
        if (written)
            written->push_back(wrote);
    }
    return writer.GetBytes();
}

std::vector<int> CDayZoomModel::Copy()
{
    const std::vector<int> rows = GetSelectedRows();
    if (rows.empty() || !m_host)
        return {};
    std::vector<bool> written;
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kTextMimeType), RenderText());
    data->setData(TransferFormatMimeType(), RenderItems(&written));
    if (!m_host->SetClipboardData(std::move(data)))
        return {};
    std::vector<int> copied;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (written[i])
            copied.push_back(rows[i]);
    return copied;
}

void CDayZoomModel::Cut()
{
    // Only what reached the clipboard may be deleted: a failed copy or an item that could not be
    // written keeps its row and its item.
    const std::vector<int> copied = Copy();
    if (copied.empty() || !m_owner)
        return;
    std::vector<CDisplayItem *> items;
    for (int row : copied)
        items.push_back(GetRow(row));
    {
        BusyScope busy(m_busy);
        m_owner->DeleteItems(items, true);
    }
    RemoveMarkedRows();
    UpdateDetailsPane(false);
}

void CDayZoomModel::Delete()
{
    const std::vector<int> rows = GetSelectedRows();
    if (rows.empty() || !m_owner)
        return;
    if (ProgramSettings().confirmDelete) {
        QString question;
        if (rows.size() == 1) {
            const CDisplayItem &item = *GetRow(rows.front());
            if (item.HasFlag(CDisplayItem::FlagLocked)) {
                BusyScope busy(m_busy);
                ShowMessageBox(m_host ? m_host->MessageOwner() : nullptr, true,
                               PrintfText(LoadResString(kIdsCannotDelete), {item.GetSubject()}),
                               MessageIcon::Warning);
                return;
            }
            // The container asks about a whole series itself.
            if (!item.HasFlag(CDisplayItem::FlagRecurring) || item.HasFlag(CDisplayItem::FlagChanged))
                question = PrintfText(LoadResString(kIdsDeleteOne), {QuotedSubject(item.GetSubject())});
        } else {
            question = PrintfText(LoadResString(kIdsDeleteSeveral), {int(rows.size())});
        }
        if (!question.isEmpty() && Ask(question, MessageButtons::YesNo) != MessageResult::Yes)
            return;
    }
    {
        BusyScope busy(m_busy);
        m_owner->DeleteItems(SelectedItems(), false);
    }
    RemoveMarkedRows();
    UpdateDetailsPane(false);
}

void CDayZoomModel::ConvertEventsToTasks()
{
    std::vector<CDisplayItem *> events;
    for (CDisplayItem *item : SelectedItems())
        if (item->GetKind() == CDisplayItem::KindEvent)
            events.push_back(item);
    if (events.empty() || !m_owner)
        return;
    bool withDueDates = true;
    if (events.size() == 1) {
        if (Ask(LoadResString(kIdsEventToTask), MessageButtons::YesNo) != MessageResult::Yes)
            return;
    } else {
        const int answer = Ask(LoadResString(kIdsTasksWithDueDates), MessageButtons::YesNoCancel);
        if (answer != MessageResult::Yes && answer != MessageResult::No)
            return;
        withDueDates = answer == MessageResult::Yes;
    }
    {
        BusyScope busy(m_busy);
        m_owner->ConvertEventsToTasks(events, withDueDates);
    }
    if (m_host)
        m_host->PostCommand(ZoomCommand::Close);
}

void CDayZoomModel::ConvertTasksToEvents()
{
    std::vector<CDisplayItem *> tasks;
    for (CDisplayItem *item : SelectedItems())
        if (item->GetKind() == CDisplayItem::KindTask)
            tasks.push_back(item);
    if (tasks.empty() || !m_owner)
        return;
    if (tasks.size() == 1 && Ask(LoadResString(kIdsTaskToEvent), MessageButtons::YesNo) != MessageResult::Yes)
        return;
    {
        BusyScope busy(m_busy);
        m_owner->ConvertTasksToEvents(tasks);
    }
    if (m_host)
        m_host->PostCommand(ZoomCommand::Close);
}

void CDayZoomModel::SetLocked(bool lock)
{
    if (!m_owner)
        return;
    {
        BusyScope busy(m_busy);
        m_owner->SetItemsLocked(SelectedItems(), lock);
    }
    if (m_host)
        m_host->Repaint();
}

void CDayZoomModel::MarkComplete()
{
    if (!m_owner)
        return;
    const std::vector<int> rows = GetSelectedRows();
    bool any = false;
    {
        BusyScope busy(m_busy);
        std::optional<WaitState> wait;
        for (int row : rows) {
            const CDisplayItem &item = *GetRow(row);
            if (item.GetKind() != CDisplayItem::KindTask || item.HasFlag(CDisplayItem::FlagCompleted))
                continue;
            any = true;
            if (!wait)
                wait.emplace(m_host);
            IViewDocument *doc = m_owner->GetDocument();
            CItemRef ref;
            HRESULT hr = doc ? doc->LoadTask(item.GetItemRef(), ref) : S_FALSE;
            // Completing only: a task completed since the list was filled stays completed.
            if (hr == S_OK && ref.GetTask() && !ref.GetTask()->IsCompleted())
                hr = doc->ToggleTaskCompleted(ref);
            if (Failed(hr))
                ReportError(hr, m_host ? m_host->MessageOwner() : nullptr);
        }
    }
    if (!any)
        return;
    std::uint32_t recordId = 0;
    CDateTime occurrence;
    const bool single = rows.size() == 1;
    if (single) {
        recordId = GetRow(rows.front())->GetItemRef();
        occurrence = GetRow(rows.front())->GetOccurrenceDate();
    }
    ClearRows();
    m_owner->RefillDayList(m_dayKey);
    if (single)
        SelectByKey(recordId, occurrence);
    if (m_host)
        m_host->Repaint();
}

void CDayZoomModel::ChangeType(int typeIndex)
{
    if (!m_owner)
        return;
    {
        BusyScope busy(m_busy);
        m_owner->ChangeItemsType(SelectedItems(), typeIndex);
    }
    RemoveMarkedRows();
    UpdateDetailsPane(false);
    if (m_host)
        m_host->Repaint();
}

void CDayZoomModel::Close()
{
    m_busy = true;
    if (m_owner)
        m_owner->UpdateDetailsPane();
    if (m_host)
        m_host->DestroyWindow();
}

void CDayZoomModel::RemoveMarkedRows()
{
    for (int i = GetRowCount() - 1; i >= 0; --i)
        if (m_rows[std::size_t(i)]->HasState(CDisplayItem::StateRemoved))
            m_rows.erase(m_rows.begin() + i);
    if (m_host)
        m_host->Repaint();
}
