#include "containers/mainbase/ViewContainerFactory.h"

#include "containers/base/MainViewContainer.h"
#include "containers/base/ViewKinds.h"

CMainViewContainer *CViewContainerFactory::Create(int viewKind, QWidget *parent)
{
    if (viewKind < ViewKind::Day || viewKind > ViewKind::Search)
        return nullptr;
    auto *container = new CMainViewContainer(parent);
    container->SetViewKind(viewKind, ViewKind::SectionIndexOf(viewKind));
    return container;
}
