// CMainViewContainer: a view container as the main base window holds it. It owns the bridge
// from the open calendar document to the container's ports and answers the main base window's
// questions from the container's own state, so each concrete container only adds its period and
// views.
#pragma once

#include "containers/base/ViewContainer.h"
#include "containers/mainbase/MainBaseContainer.h"

#include <memory>

class CDocumentItemPort;

class CMainViewContainer : public CViewContainer, public IMainBaseContainer
{
  public:
    explicit CMainViewContainer(QWidget *parent = nullptr);
    ~CMainViewContainer() override;

    // Both bases ask for the kind, the section, the count pane, the colours and the work-week
    // flag; one answer serves both.
    int GetViewKind() const override { return m_kind; }
    QString GetSection() const override { return CViewContainer::GetSection(); }
    void UpdateCountPane() override { CViewContainer::UpdateCountPane(); }
    void ReloadColors() override { CViewContainer::ReloadColors(); }
    bool IsWorkWeek() const override { return false; }
    void UpdateDetailsPane() override { CViewContainer::UpdateDetailsPane(false); }
    using CViewContainer::Reload;
    using CViewContainer::UpdateDetailsPane;

    // ---- IMainBaseContainer ----
    QWidget *Widget() override { return this; }
    void SetDocument(CCalendarDocument *document) override;
    CDateTime GetShownStart() const override { return GetFirstShownDate(); }
    CDateTime GetShownDate() const override { return GetCurrentDate(); }
    void FinishPendingWork() override;
    HRESULT ResolveFilter() override;
    HRESULT Reload(const CDateTime &date) override;
    void DropTransientState() override;
    QString GetFilterText() const override { return GetFilterCaption(); }
    void TakeFocus() override;
    void FocusView() override;
    void ApplyOptions() override { ReloadOptions(); }
    INotifyTarget *GetNotifyTarget() override { return this; }
    bool GetShowNavigator() const override { return m_sidePaneShown; }
    void SetShowNavigator(bool on) override { m_sidePaneShown = on; }
    bool GetShowDetails() const override { return m_detailsPaneShown; }
    void SetShowDetails(bool on) override { m_detailsPaneShown = on; }
    QWidget *GetFocusChild() const override { return m_focusedPane; }
    void SetFocusChild(QWidget *child) override { m_focusedPane = child; }

  private:
    std::unique_ptr<CDocumentItemPort> m_port;
};
