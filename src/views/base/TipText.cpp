// Tooltip texts of the views.
#include "views/base/TipText.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <algorithm>

namespace {
constexpr int kMinWrapWidth = 400;

QStringList SourceLines(const QString &text)
{
    QString clean = text;
    clean.remove(QLatin1Char('\r'));
    return clean.split(QLatin1Char('\n'));
}
} // namespace

int TipWrapWidth(const QString &text, const QFont &font)
{
    const QFontMetrics fm(font);
    const QStringList lines = SourceLines(text);
    const int first = fm.horizontalAdvance(lines.value(0));
    if (lines.size() == 1)
        return first;
    return std::max(first, kMinWrapWidth);
}

QStringList WrapTipLines(const QString &text, const QFont &font, int width)
{
    const QStringList source = SourceLines(text);
    if (width <= 0)
        return source;
    QStringList out;
    for (const QString &line : source) {
        if (line.isEmpty()) {
            out << line;
            continue;
        }
        QTextLayout layout(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(width);
            QString piece = line.mid(l.textStart(), l.textLength());
            // The blank a line was broken at is not shown.
            while (piece.endsWith(QLatin1Char(' ')))
                piece.chop(1);
            out << piece;
        }
        layout.endLayout();
    }
    return out;
}

QString TipRichText(const QStringList &lines, const QFont &font)
{
    QStringList escaped;
    for (const QString &line : lines)
        escaped << line.toHtmlEscaped();
    const QString size = font.pixelSize() > 0 ? QStringLiteral("%1px").arg(font.pixelSize())
                                              : QStringLiteral("%1pt").arg(font.pointSizeF());
    return QStringLiteral("<p style=\"white-space:pre; font-family:'%1'; font-size:%2\">%3</p>")
        .arg(font.family().toHtmlEscaped(), size, escaped.join(QStringLiteral("<br>")));
}
