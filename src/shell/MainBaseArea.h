// CMainBaseArea: the main window's client area: the main base window with its eight view
// containers, the Date Navigator bar with the TaskPad and the preview pane, or a hint while no
// data file is open. It hands the containers their ports (prompts, editors, the panes, the main
// window's bars) and passes the document's item changes to the active container.
#pragma once

#include "containers/base/ContainerPorts.h"
#include "containers/base/DialogContainerPrompts.h"
#include "containers/mainbase/MainBaseShell.h"
#include "containers/mainbase/NavigatorPort.h"
#include "containers/mainbase/PreviewPanePort.h"
#include "containers/mainbase/ZoomListPort.h"
#include "shell/CentralArea.h"

#include <memory>

class CDialogEditorOpener;
class CDocumentEventStore;
class CDocumentTaskStore;
class CMainBaseWnd;
class CTaskPad;
class CViewContainer;
class QLabel;
class QStackedLayout;
struct NavigatorNotification;

class CMainBaseArea : public QWidget, public ICentralArea, public IMainBaseShell, public IContainerMainWindow
{
  public:
    CMainBaseArea(CCalendarDocument &document, const CentralAreaParts &parts, QWidget *parent);
    ~CMainBaseArea() override;

    CMainBaseWnd *MainBase() const { return m_base; }
    CViewContainer *ActiveContainer() const;

    // ---- ICentralArea ----
    QWidget *Widget() override { return this; }
    void AttachDataFile() override;
    void ShowView(int kind, int days, bool workWeek) override;
    int ActiveViewKind() const override;
    void TimeChanged() override;
    void ItemStored(const CCalendarItem &item) override;
    void ItemRemoved(std::uint32_t recordId, const CDateTime &occurrence, bool oneOccurrence) override;
    void ItemRescheduled(const CCalendarItem &item, const CDateTime &occurrence) override;
    void Reload() override;
    bool UpdateCountPane() override;
    void SettingsChanged() override;
    bool PaneState(int commandId, bool &checked) const override;
    void TogglePane(int commandId) override;

    // ---- IMainBaseShell ----
    void SetInfoBarMode(int viewKind) override;
    void SetInfoBarTitle(const QString &title) override;
    void ShowInfoBarText(const QString &text) override;
    void ShowWarningText(const QString &text) override;
    void HandleSessionError(HRESULT code) override;
    bool IsLayoutSuspended() const override { return false; }

    // ---- IContainerMainWindow ----
    CDateTime GetCurrentDate() const override { return m_pickedDate; }
    void SetItemCounts(int viewCount, int taskPadCount) override;
    void ShowDayView(const CDateTime &date) override;
    void PrintSelectedMemo() override {}
    void TaskChanged(const CTaskItem &task) override;
    bool CustomizeView(int sectionIndex, bool &reload) override;
    void CustomizeDateNavigator() override;
    bool OpenZoomList(int cell, const CDateTime &date) override;

  private:
    int OnNavigatorNotify(const NavigatorNotification &note);
    void ShowHint();

    CCalendarDocument &m_document;
    CentralAreaParts m_parts;
    QStackedLayout *m_stack = nullptr;
    QLabel *m_hint = nullptr;
    CMainBaseWnd *m_base = nullptr;
    int m_kind = 1;
    CDateTime m_pickedDate = CDateTime::Null();

    std::unique_ptr<CDocumentEventStore> m_eventStore;
    std::unique_ptr<CDocumentTaskStore> m_taskStore;
    std::unique_ptr<CDialogEditorOpener> m_editors;
    std::unique_ptr<CTaskPad> m_taskPad;
    CDialogContainerPrompts m_prompts;
    CNavigatorPort m_navigator;
    CPreviewPanePort m_preview;
    CZoomListPort m_zoomList;
    CContainerContext m_context;
};
