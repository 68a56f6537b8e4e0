// The view's clipboard and drag formats, paste, new-item factories and the mouse wheel.
#include "core/items/CalendarItem.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/items/TaskItem.h"
#include "core/document/TransferFormat.h"
#include "core/document/TransferWriter.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"
#include "views/base/NewEventTimes.h"

#include <QDateTime>
#include <QMimeData>
#include <new>

namespace {

constexpr int kListViewKind = 6;
constexpr int kTaskListViewKind = 7;
constexpr HRESULT kOutOfMemoryError = 14;

bool IsListView(int viewKind)
{
    return viewKind == kListViewKind || viewKind == kTaskListViewKind;
}

void SetTypeByName(CCalendarItem &item, const QString &name, const IItemTypeCatalog *types)
{
    item.SetItemTypeName(name);
    item.SetItemTypeIndex(types ? types->FindType(name) : -1);
}

// Stores pasted items through the view's document and shows them through its container.
class ViewPasteSink final : public IPasteSink
{
  public:
    ViewPasteSink(const CCalendarViewCtrl &view, IViewDocument &doc, IViewContainer &container)
        : m_view(view), m_doc(doc), m_container(container)
    {
    }

    HRESULT StoreEvent(CEventItem &event) override
    {
        CItemRef ref;
        ref.SetItem(std::make_unique<CEventItem>(event));
        const HRESULT hr = m_doc.SaveEventRef(ref);
        if (hr == S_OK && ref.GetRecordId() != 0)
            event.SetRecordId(ref.GetRecordId());
        return hr;
    }
    HRESULT StoreTask(CTaskItem &task) override
    {
        CItemRef ref;
        ref.SetItem(std::make_unique<CTaskItem>(task));
        const HRESULT hr = m_doc.SaveTaskRef(ref);
        if (hr == S_OK && ref.GetRecordId() != 0)
            task.SetRecordId(ref.GetRecordId());
        return hr;
    }
    void InitNewEventTimes(CEventItem &event) override
    {
        m_view.InitNewEventTimes(event, m_view.GetNewItemSettings().eventTypeName, CDateTime::Null());
    }
    void AddItemToView(CCalendarItem &item, bool offerToTaskPad) override
    {
        CItemRef ref;
        if (auto *event = dynamic_cast<CEventItem *>(&item))
            ref.SetItem(std::make_unique<CEventItem>(*event));
        else if (auto *task = dynamic_cast<CTaskItem *>(&item))
            ref.SetItem(std::make_unique<CTaskItem>(*task));
        else
            return;
        ref.SetRecordId(item.GetRecordId());
        m_container.AddItemToView(ref, 1);
        if (offerToTaskPad)
            m_container.OfferTaskToTaskPad(ref);
    }

  private:
    const CCalendarViewCtrl &m_view;
    IViewDocument &m_doc;
    IViewContainer &m_container;
};

} // namespace

// ---- Writing ----

QByteArray CCalendarViewCtrl::RenderSelectionText() const
{
    EntryList selected;
    if (GetSelectedItems(selected) == 0)
        return {};
    QStringList subjects;
    for (const auto &e : selected)
        subjects.append(e->GetSubject());
    QByteArray bytes = SelectionText(subjects).toUtf8();
    bytes.append('\0');
    return bytes;
}

QByteArray CCalendarViewCtrl::SerializeSelection() const
{
    EntryList selected;
    if (GetSelectedItems(selected) == 0)
        return {};
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    CTransferWriter writer(doc ? doc->GetFormatVersion() : 0);
    for (const auto &e : selected) {
        CItemRef ref;
        if (!doc) {
            writer.AddEmpty();
        } else if (e->GetKind() == CDisplayItem::KindEvent) {
            const CEventItem *stored =
                doc->LoadEvent(e->GetItemRef(), ref) == S_OK ? ref.GetEvent() : nullptr;
            if (!stored) {
                writer.AddEmpty();
                continue;
            }
            CEventItem copy;
            const std::uint32_t tag = PrepareEventForTransfer(*stored, e->GetOccurrenceDate(), e->GetStart(),
                                                              e->GetEnd(), m_viewKind == kListViewKind, copy);
            if (tag == Transfer::TagEmpty)
                writer.AddEmpty();
            else
                writer.AddEvent(copy, tag);
        } else if (e->GetKind() == CDisplayItem::KindTask) {
            const CTaskItem *task = doc->LoadTask(e->GetItemRef(), ref) == S_OK ? ref.GetTask() : nullptr;
            if (task)
                writer.AddTask(*task);
            else
                writer.AddEmpty();
        } else {
            writer.AddEmpty();
        }
    }
    return writer.GetBytes();
}

QByteArray CCalendarViewCtrl::RenderInternalFormat() const
{
    const int count = GetSelectedCount();
    if (count == 0)
        return {};
    return MarkerBytes(std::uint32_t(count));
}

// ---- Pasting ----

PasteTarget CCalendarViewCtrl::MakePasteTarget() const
{
    PasteTarget target;
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    target.containerKind = m_container ? m_container->GetContainerKind() : 0;
    target.viewKind = m_viewKind;
    target.formatVersion = doc ? doc->GetFormatVersion() : 0;
    target.types = doc ? doc->GetItemTypes() : nullptr;
    int first = m_currentCell;
    int last = m_anchorCell;
    OrderPair(first, last);
    target.firstCellDate = GetDayDate(first);
    if (m_container)
        target.navigatorDay = m_container->GetNavigatorDay();
    if (const CDisplayItem *e = GetEntry(GetFirstSelectedEntry())) {
        target.hasSelectedEntry = true;
        target.selectedEntryStart = e->GetStart();
    }
    target.shownSpan = GetShownSpan();
    return target;
}

HRESULT CCalendarViewCtrl::PasteItems(const QMimeData &data, const QPoint &)
{
    if (!data.hasFormat(TransferFormatMimeType()))
        return QV_E_REFUSED;
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    if (!doc)
        return QV_E_REFUSED;
    const QByteArray bytes = data.data(TransferFormatMimeType());

    // A list view keeps its current row across the reload.
    std::uint32_t focusRecord = 0;
    CDateTime focusOccurrence;
    const bool list = IsListView(m_viewKind);
    if (list) {
        if (const CDisplayItem *e = GetEntry(m_currentCell)) {
            focusRecord = e->GetItemRef();
            focusOccurrence = e->GetOccurrenceDate();
        }
    }

    ViewPasteSink sink(*this, *doc, *m_container);
    CTransferPaste paste(MakePasteTarget(), sink);
    const HRESULT hr = paste.Paste(bytes);

    m_container->Refresh();
    if (paste.OfferedToTaskPad())
        m_container->RefreshTaskPad();
    NotifyContainer(kNotifySelectionChanged);
    if (list && focusRecord != 0) {
        const int row = FindEntry(focusRecord, focusOccurrence);
        if (row >= 0) {
            SetCurrentCell(row);
            EnsureCellVisible(row);
        }
    }
    return hr;
}

HRESULT CCalendarViewCtrl::PasteText(const QMimeData &data, const QPoint &dropPoint)
{
    if (!data.hasFormat(QString::fromLatin1(kTextMimeType)))
        return QV_E_REFUSED;
    const QString text = QString::fromUtf8(data.data(QString::fromLatin1(kTextMimeType)));
    CDateTime date = CDateTime::Null();
    if (const int cell = CellFromPoint(dropPoint); cell >= 0)
        date = GetDayDate(cell);
    std::unique_ptr<CItemRef> ref = NewEvent(date);
    if (!ref)
        return S_OK;
    // Clipboard text from other programs often ends in a NUL.
    QString body = text;
    while (body.endsWith(QChar(0)))
        body.chop(1);
    if (PastedTextGoesToNotes(body))
        ref->GetEvent()->SetNotes(body);
    else
        ref->GetEvent()->SetSubject(body);
    if (m_host)
        m_host->TakeFocus();
    if (m_container)
        m_container->OpenNewEventEditor(*ref, IsReadOnly());
    return S_OK;
}

// ---- New items ----

CDateTime CCalendarViewCtrl::CurrentTime() const
{
    return CDateTime::FromQDateTime(QDateTime::currentDateTime());
}

void CCalendarViewCtrl::InitNewEventTimes(CEventItem &event, const QString &itemTypeName,
                                          const CDateTime &start) const
{
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    SetTypeByName(event, itemTypeName, doc ? doc->GetItemTypes() : nullptr);
    int first = m_currentCell;
    int last = m_anchorCell;
    OrderPair(first, last);
    NewEventRequest request;
    request.viewKind = m_viewKind;
    request.itemTypeName = itemTypeName;
    request.givenStart = start;
    request.rangeStart = GetDayDate(first);
    request.rangeEnd = GetDayDate(last) + GetCellSpan(last);
    request.severalCells = first < last;
    request.defaultMinutes = m_newItemSettings.defaultMinutes;
    request.newEventsAllDay = m_newItemSettings.allDay;
    request.now = CurrentTime();
    const NewEventTimes times = ComputeNewEventTimes(request);
    event.SetStart(times.start);
    event.SetDuration(times.duration);
}

std::unique_ptr<CItemRef> CCalendarViewCtrl::NewEvent(const CDateTime &start) const
{
    try {
        auto ref = std::make_unique<CItemRef>(CDisplayItem::KindEvent);
        InitNewEventTimes(*ref->GetEvent(), m_newItemSettings.eventTypeName, start);
        return ref;
    } catch (const std::bad_alloc &) {
        if (m_host)
            m_host->ReportError(kOutOfMemoryError);
        return nullptr;
    }
}

std::unique_ptr<CItemRef> CCalendarViewCtrl::NewTask(const QString &itemTypeName) const
{
    try {
        auto ref = std::make_unique<CItemRef>(CDisplayItem::KindTask);
        IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
        SetTypeByName(*ref->GetItem(), itemTypeName, doc ? doc->GetItemTypes() : nullptr);
        return ref;
    } catch (const std::bad_alloc &) {
        if (m_host)
            m_host->ReportError(kOutOfMemoryError);
        return nullptr;
    }
}

// ---- Mouse wheel ----

bool CCalendarViewCtrl::OnScroll(std::uint16_t)
{
    return false;
}

bool CCalendarViewCtrl::OnMouseWheel(int delta)
{
    const int lines = m_wheel.AddDelta(delta);
    if (lines == 0)
        return false;
    const WheelAction action =
        WheelActionFor(m_viewKind, lines, CanScrollVertically(), CanScrollHorizontally());
    if (action.command != 0) {
        if (m_container)
            m_container->SendCommand(action.command);
        return true;
    }
    bool scrolled = false;
    for (int i = 0; i < action.steps; ++i)
        scrolled = OnScroll(action.scrollCode) || scrolled;
    if (scrolled && m_host)
        m_host->UpdateWindow();
    return scrolled;
}
