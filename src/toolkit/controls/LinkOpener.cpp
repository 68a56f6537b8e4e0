// Opening clicked links through the desktop.
#include "toolkit/controls/LinkOpener.h"

#include <QDesktopServices>

namespace {
CLinkOpener::Handler &CurrentHandler()
{
    static CLinkOpener::Handler handler;
    return handler;
}
} // namespace

bool CLinkOpener::IsOpenable(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

bool CLinkOpener::Open(const QUrl &url)
{
    if (!IsOpenable(url))
        return false;
    const Handler &handler = CurrentHandler();
    return handler ? handler(url) : QDesktopServices::openUrl(url);
}

void CLinkOpener::SetHandler(Handler handler)
{
    CurrentHandler() = std::move(handler);
}
