#include "containers/month/FramedViewContainer.h"

#include "containers/base/ViewKinds.h"
#include "core/document/CalendarDocument.h"
#include "views/base/CalendarViewWnd.h"

#include <QResizeEvent>

CFramedViewContainer::CFramedViewContainer(QWidget *parent) : CMainViewContainer(parent) {}

CFramedViewContainer::~CFramedViewContainer() = default;

CFramedViewContainer::CWaitCursor::CWaitCursor(IContainerPrompts *prompts) : m_prompts(prompts)
{
    if (m_prompts)
        m_prompts->SetWaitCursor(true);
}

CFramedViewContainer::CWaitCursor::~CWaitCursor()
{
    if (m_prompts)
        m_prompts->SetWaitCursor(false);
}

void CFramedViewContainer::AttachView(CCalendarViewCtrl &view, int kind, int frameId, int viewId,
                                      bool sidePaneDefault, bool detailsDefault)
{
    m_sidePaneShown = sidePaneDefault;
    m_detailsPaneShown = detailsDefault;
    m_view = &view;
    m_frame = new CBorderWnd(this);
    m_frame->setObjectName(QStringLiteral("frame%1").arg(frameId));
    m_viewWnd = new CCalendarViewWnd(view, m_frame);
    m_viewWnd->setObjectName(QStringLiteral("view%1").arg(viewId));
    m_frame->SetChild(m_viewWnd);
    view.SetContainer(this);
    SetViewKind(kind, ViewKind::SectionIndexOf(kind));
    m_viewWnd->SetSectionIndex(m_sectionIndex);
    view.ReloadOptions();
    LoadPaneOptions(true);
    m_focusedPane = m_viewWnd;
}

void CFramedViewContainer::resizeEvent(QResizeEvent *event)
{
    CMainViewContainer::resizeEvent(event);
    if (m_frame)
        m_frame->setGeometry(rect());
}

QString CFramedViewContainer::GetCaptionText() const
{
    return m_view ? m_view->GetCaption() : QString();
}

int CFramedViewContainer::OnNotify(const CNotifyRecord &record)
{
    if (record.code != kNotifyKeyDown)
        return CMainViewContainer::OnNotify(record);
    if (record.key == Qt::Key_PageUp || record.key == Qt::Key_PageDown) {
        StepByKey(record.key == Qt::Key_PageDown, record.flags == kSingleStepFlags);
        return 1;
    }
    return CMainViewContainer::OnNotify(record);
}

void CFramedViewContainer::StepByKey(bool forward, bool)
{
    if (forward)
        GoNextPeriod();
    else
        GoPrevPeriod();
}

void CFramedViewContainer::CheckReload(HRESULT hr)
{
    if (!IsReloadSuccess(hr))
        HandleSessionError(hr);
}

void CFramedViewContainer::SyncSidePanes(const CDateTime &date, const CDateTime &selectionStart, int unit,
                                         int days)
{
    if (ITaskPadPort *taskPad = Context().taskPad) {
        taskPad->SetDate(date);
        taskPad->ScrollFullyLeft();
    }
    if (IDateNavigatorPort *navigator = Context().navigator) {
        navigator->Repaint();
        navigator->SetSelection(selectionStart, unit, days);
    }
}

void CFramedViewContainer::RepaintSidePanes()
{
    if (!m_sidePaneShown)
        return;
    if (IDateNavigatorPort *navigator = Context().navigator)
        navigator->Repaint();
    if (ITaskPadPort *taskPad = Context().taskPad; taskPad && taskPad->IsShown())
        taskPad->Refresh(false);
}

void CFramedViewContainer::FinishLoad(bool keepStatus)
{
    if (m_view) {
        m_view->Refresh(true);
        m_view->InvalidateAll();
    }
    if (IContainerMainWindow *main = Context().mainWindow)
        main->SetInfoBarTitle(GetCaptionText());
    if (!keepStatus)
        UpdateCountPane();
}
