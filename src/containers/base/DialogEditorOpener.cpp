#include "containers/base/DialogEditorOpener.h"

#include "core/items/ItemRef.h"

void CDialogEditorOpener::OpenEvent(std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly,
                                    bool newException, bool recurrencePage)
{
    CEditEventDlg::OpenEventEditor(std::move(holder), m_eventContext, parent, recurrencePage, false, readOnly,
                                   newException);
}

void CDialogEditorOpener::OpenTask(std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly)
{
    if (m_taskOpener)
        m_taskOpener(std::move(holder), parent, readOnly);
}

void CDialogEditorOpener::ShowProperties(std::unique_ptr<CItemRef> holder, QWidget *parent)
{
    if (m_propertiesOpener)
        m_propertiesOpener(std::move(holder), parent, false);
}
