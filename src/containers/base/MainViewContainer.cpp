#include "containers/base/MainViewContainer.h"

#include "containers/base/DocumentItemPort.h"
#include "containers/base/ViewKinds.h"
#include "core/document/CalendarDocument.h"
#include "views/base/CalendarViewCtrl.h"

CMainViewContainer::CMainViewContainer(QWidget *parent) : CViewContainer(parent) {}

// The views hold pointers into the port; they let go of the document before it goes.
CMainViewContainer::~CMainViewContainer()
{
    SetDataSource(nullptr, nullptr);
}

void CMainViewContainer::SetDocument(CCalendarDocument *document)
{
    if (!document) {
        ClearEntries();
        SetDataSource(nullptr, nullptr);
        m_port.reset();
        return;
    }
    auto port = std::make_unique<CDocumentItemPort>(*document);
    SetDataSource(port.get(), port.get());
    m_port = std::move(port);
    // A new calendar has its own item types and categories: the filter is resolved again.
    m_filter.Reset();
    LoadPaneOptions(true);
}

void CMainViewContainer::FinishPendingWork()
{
    EndInPlaceEdit(true, false);
    if (CCalendarViewCtrl *view = GetViewCtrl())
        view->CancelDrag();
}

HRESULT CMainViewContainer::ResolveFilter()
{
    UpdateFilter(m_filter.GetKind() != CActiveFilter::KindUnresolved);
    return S_OK;
}

HRESULT CMainViewContainer::Reload(const CDateTime &date)
{
    const HRESULT hr = ReloadItems(true, true, date);
    if (IsReloadSuccess(hr))
        UpdateCountPane();
    return hr;
}

void CMainViewContainer::DropTransientState()
{
    FinishPendingWork();
}

void CMainViewContainer::TakeFocus()
{
    if (m_focusedPane && isAncestorOf(m_focusedPane)) {
        m_focusedPane->setFocus();
        return;
    }
    FocusView();
}

void CMainViewContainer::FocusView()
{
    CCalendarViewCtrl *view = GetViewCtrl();
    if (view && view->GetHost())
        view->GetHost()->TakeFocus();
    else
        setFocus();
}
