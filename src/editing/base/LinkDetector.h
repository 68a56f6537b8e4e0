// CLinkDetector: finds the links in a plain text (http, https and mailto addresses, and "www."
// names taken as http) so that the notes fields can show them as links; only those schemes open.
#pragma once

#include <QString>
#include <QUrl>
#include <vector>

struct DetectedLink
{
    int start = 0;
    int length = 0;
    QUrl url;
};

class CLinkDetector
{
  public:
    static std::vector<DetectedLink> Find(const QString &text);
    // Whether a clicked link may be opened: http, https and mailto only.
    static bool MayOpen(const QUrl &url);
};
