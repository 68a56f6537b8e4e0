// Palette changes recompute the look's colours with the current settings.
#include "toolkit/style/PaletteWatcher.h"

#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QEvent>

void CPaletteWatcher::Install()
{
    static CPaletteWatcher *watcher = nullptr;
    if (watcher || !qApp)
        return;
    watcher = new CPaletteWatcher(qApp);
    qApp->installEventFilter(watcher);
}

bool CPaletteWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        CMenuLook::Instance().UpdateColors(QApplication::palette(), LookOptions::FromProfile());
    return QObject::eventFilter(watched, event);
}
