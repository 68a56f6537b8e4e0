// Guarded program-wide pointers: a window that goes away reads as null.
#include "containers/mainbase/MainBasePointers.h"

#include "containers/mainbase/MainBaseWnd.h"
#include "containers/preview/PreviewPane.h"
#include "toolkit/navigator/DateNavigatorWnd.h"

#include <QPointer>

namespace {
struct Pointers
{
    QPointer<CMainBaseWnd> mainBase;
    QPointer<CDateNavigatorWnd> navigator;
    QPointer<QWidget> taskPad;
    QPointer<CPreviewPane> preview;
};
Pointers &All()
{
    static Pointers pointers;
    return pointers;
}
} // namespace

CMainBaseWnd *CMainBasePointers::MainBase() { return All().mainBase.data(); }
CDateNavigatorWnd *CMainBasePointers::DateNavigator() { return All().navigator.data(); }
QWidget *CMainBasePointers::TaskPad() { return All().taskPad.data(); }
CPreviewPane *CMainBasePointers::PreviewPane() { return All().preview.data(); }

void CMainBasePointers::Publish(CMainBaseWnd *mainBase, CDateNavigatorWnd *navigator, QWidget *taskPad,
                                CPreviewPane *preview)
{
    All().mainBase = mainBase;
    All().navigator = navigator;
    All().taskPad = taskPad;
    All().preview = preview;
}

void CMainBasePointers::ClearDateNavigator() { All().navigator = nullptr; }
