// The clipboard commands over the view's own transfer formats, and the details pane that shows
// the focused item of the active view or of the TaskPad.
#include "containers/base/ContainerDocument.h"
#include "containers/base/ViewContainer.h"
#include "containers/base/ViewKinds.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <exception>

bool CViewContainer::CopyToClipboard()
{
    const CCalendarViewCtrl *view = GetViewCtrl();
    return view && CopyViewSelection(*view);
}

bool CViewContainer::CopyViewSelection(const CCalendarViewCtrl &view)
{
    const QByteArray text = view.RenderSelectionText();
    const QByteArray items = view.SerializeSelection();
    if (text.isNull() && items.isNull())
        return false;
    auto data = std::make_unique<QMimeData>();
    if (!text.isNull())
        data->setData(QString::fromLatin1(kTextMimeType), text);
    if (!items.isNull())
        data->setData(TransferFormatMimeType(), items);
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    // The clipboard owns the data from here on.
    clipboard->setMimeData(data.release());
    return true;
}

void CViewContainer::CutToClipboard()
{
    try {
        auto owned = SelectedEntries();
        if (owned.empty() || IsDataReadOnly())
            return;
        // Nothing is deleted unless the copy is on the clipboard.
        if (!CopyToClipboard())
            return;
        DeleteItems(Pointers(owned), true, false, this);
    } catch (const std::exception &) {
    }
}

void CViewContainer::PasteFromClipboard()
{
    CCalendarViewCtrl *view = GetViewCtrl();
    if (!view || IsDataReadOnly())
        return;
    try {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
        if (data) {
            HRESULT hr = QV_E_REFUSED;
            if (data->hasFormat(TransferFormatMimeType()))
                hr = view->PasteItems(*data, QPoint(-1, -1));
            if (hr == QV_E_REFUSED && data->hasFormat(QString::fromLatin1(kTextMimeType)))
                view->PasteText(*data, QPoint(-1, -1));
        }
    } catch (const std::exception &) {
    }
    UpdateCountPane();
}

bool CViewContainer::CanPaste() const
{
    if (!GetViewCtrl() || IsDataReadOnly())
        return false;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    return data &&
           (data->hasFormat(QString::fromLatin1(kTextMimeType)) || data->hasFormat(TransferFormatMimeType()));
}

void CViewContainer::UpdateDetailsPane(bool force)
{
    const CContainerContext &ctx = Context();
    if (!ctx.details || !ctx.details->IsVisible())
        return;
    // The open zoom-day list keeps the pane up to date itself.
    if (ctx.zoomList && ctx.zoomList->IsOpen())
        return;
    const CDisplayItem *entry = nullptr;
    if (ViewKind::HasTaskPad(m_kind) && ctx.taskPad && m_focusedPane &&
        m_focusedPane == ctx.taskPad->GetWidget()) {
        entry = ctx.taskPad->GetFocusedEntry();
    } else if (const CCalendarViewCtrl *view = GetViewCtrl()) {
        entry = view->GetEntry(view->GetFocusedEntry());
    }
    ShowInDetailsPane(entry, force);
}

void CViewContainer::ShowInDetailsPane(const CDisplayItem *entry, bool force)
{
    IDetailsPanePort *pane = Context().details;
    if (!pane)
        return;
    if (!pane->IsVisible() || !entry) {
        pane->ShowItem(nullptr, CDateTime::Null());
        return;
    }
    if (!force && pane->GetShownKind() == entry->GetKind() && pane->GetShownRecordId() == entry->GetItemRef())
        return;
    const CDateTime occurrence = entry->GetOccurrenceDate();
    if (!m_document) {
        pane->ShowItem(nullptr, occurrence);
        return;
    }
    if (entry->GetKind() == CDisplayItem::KindEvent) {
        CEventItem event(entry->GetItemRef());
        pane->ShowItem(m_document->LoadEvent(event) == S_OK ? &event : nullptr, occurrence);
    } else if (entry->GetKind() == CDisplayItem::KindTask) {
        CTaskItem task(entry->GetItemRef());
        pane->ShowItem(m_document->LoadTask(task) == S_OK ? &task : nullptr, occurrence);
    } else {
        pane->ShowItem(nullptr, occurrence);
    }
}
