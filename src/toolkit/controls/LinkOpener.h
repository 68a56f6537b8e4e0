// CLinkOpener: the one way the toolkit's controls open a clicked link: only web and mail
// addresses are opened, through the desktop's URL handler; tests put their own handler in.
#pragma once

#include <QUrl>
#include <functional>

class CLinkOpener
{
  public:
    using Handler = std::function<bool(const QUrl &)>;

    // Whether a link may be opened: http, https or mailto with something after the scheme.
    static bool IsOpenable(const QUrl &url);
    // Opens an openable link; false for any other link or when the desktop refuses it.
    static bool Open(const QUrl &url);
    // Replaces the desktop's handler (an empty handler restores it).
    static void SetHandler(Handler handler);
};
