// Link detection in plain text.
#include "editing/base/LinkDetector.h"

#include <QRegularExpression>

std::vector<DetectedLink> CLinkDetector::Find(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(R"((?:https?://|mailto:|www\.)[^\s<>"]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    std::vector<DetectedLink> links;
    auto it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        QString found = match.captured(0);
        // Sentence punctuation after a link is not part of it.
        while (!found.isEmpty() && QStringLiteral(".,;:!?)]'").contains(found.back()))
            found.chop(1);
        if (found.size() < 5)
            continue;
        QString address = found;
        if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            address.prepend(QStringLiteral("http://"));
        const QUrl url(address, QUrl::StrictMode);
        if (!url.isValid() || !MayOpen(url))
            continue;
        links.push_back({int(match.capturedStart(0)), int(found.size()), url});
    }
    return links;
}

bool CLinkDetector::MayOpen(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}
