// CViewContainerFactory: makes the container of each view kind the main base window holds.
#pragma once

class CMainViewContainer;
class QWidget;

class CViewContainerFactory
{
  public:
    // The container of a view kind (1 to 8) with its kind and settings section set; null for any
    // other kind.
    static CMainViewContainer *Create(int viewKind, QWidget *parent);
};
