// CDialogEditorOpener: opens the editors for the containers. Events open in the event editor;
// tasks and the Properties dialog go to the openers the program hands in (nothing opens while
// none is set).
#pragma once

#include "containers/base/ContainerPorts.h"
#include "editing/event/EditEventDlg.h"

#include <functional>

class CDialogEditorOpener : public IItemEditorOpener
{
  public:
    using HolderOpener =
        std::function<void(std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly)>;

    explicit CDialogEditorOpener(const EventEditorContext &eventContext) : m_eventContext(eventContext) {}

    void SetTaskOpener(HolderOpener opener) { m_taskOpener = std::move(opener); }
    void SetPropertiesOpener(HolderOpener opener) { m_propertiesOpener = std::move(opener); }

    void OpenEvent(std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly, bool newException,
                   bool recurrencePage) override;
    void OpenTask(std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly) override;
    void ShowProperties(std::unique_ptr<CItemRef> holder, QWidget *parent) override;

  private:
    EventEditorContext m_eventContext;
    HolderOpener m_taskOpener;
    HolderOpener m_propertiesOpener;
};
