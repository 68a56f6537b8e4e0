// The ellipsis fitters and the tabbed-text layout.
#include "shell/TextFitting.h"

#include "core/system/ConstStrings.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

double TabbedTextWidth(const ITextMeasurer &measurer, const QString &text)
{
    const double stop = measurer.TabStop();
    double x = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype tab = text.indexOf(u'\t', start);
        x += measurer.TextWidth(text.mid(start, tab < 0 ? -1 : tab - start));
        if (tab < 0)
            return x;
        x = stop > 0 ? (std::floor(x / stop) + 1) * stop : x;
        start = tab + 1;
    }
}

std::vector<qsizetype> CharacterBoundaries(const QString &text)
{
    std::vector<qsizetype> cuts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    cuts.push_back(0);
    while (finder.toNextBoundary() >= 0)
        if (finder.position() > cuts.back())
            cuts.push_back(finder.position());
    if (cuts.back() != text.size())
        cuts.push_back(text.size());
    return cuts;
}

namespace {

using WidthFn = double (*)(const ITextMeasurer &, const QString &);

double PlainWidth(const ITextMeasurer &m, const QString &t)
{
    return m.TextWidth(t);
}

// Takes characters off the end, the last two first, until the rest and "..." fit or one
// character is left. Returns the kept prefix (at least one character).
QString ChopToFit(const ITextMeasurer &m, double width, const QString &text, WidthFn measure)
{
    const QString dots = GetConstString(ConstName::Ellipsis);
    const std::vector<qsizetype> cuts = CharacterBoundaries(text);
    const qsizetype chars = qsizetype(cuts.size()) - 1;
    qsizetype keep = std::max<qsizetype>(1, chars - 2);
    while (keep > 1 && measure(m, text.left(cuts[keep]) + dots) > width)
        --keep;
    return text.left(cuts[std::min(keep, chars)]);
}

} // namespace

QString FitTextWithEllipsis(const ITextMeasurer &measurer, double width, const QString &text)
{
    if (text.isEmpty() || measurer.TextWidth(text) <= width)
        return text;
    const QString dots = GetConstString(ConstName::Ellipsis);
    const std::vector<qsizetype> cuts = CharacterBoundaries(text);
    if (width <= measurer.TextWidth(dots))
        return text.left(cuts[1]) + dots;
    return ChopToFit(measurer, width, text, PlainWidth) + dots;
}

QString FitTabbedTextWithEllipsis(const ITextMeasurer &measurer, double width, const QString &text)
{
    if (text.isEmpty() || TabbedTextWidth(measurer, text) <= width)
        return text;
    const QString dots = GetConstString(ConstName::Ellipsis);
    const QString fitted = ChopToFit(measurer, width, text, TabbedTextWidth) + dots;
    if (TabbedTextWidth(measurer, fitted) <= width)
        return fitted;
    const QString first = text.left(CharacterBoundaries(text)[1]);
    for (const QString &fallback : {first + u'.', first})
        if (TabbedTextWidth(measurer, fallback) <= width)
            return fallback;
    return {};
}

namespace {

// The end of the line that starts at `from` (exclusive) and where the next line starts.
void FindLineEnd(const QString &text, qsizetype from, qsizetype &end, qsizetype &next)
{
    end = from;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    next = end;
    while (next < text.size() && text[next] == u'\r')
        ++next;
    if (next < text.size() && text[next] == u'\n')
        ++next;
}

bool IsSpace(QChar c)
{
    return c.isSpace();
}

// How many source characters of `line` fit the width (at least one character, on a boundary).
qsizetype FittingPrefix(const ITextMeasurer &m, const QString &line, double width)
{
    const std::vector<qsizetype> cuts = CharacterBoundaries(line);
    std::size_t lo = 1, hi = cuts.size() - 1; // the widest fitting cut, at least the first character
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (TabbedTextWidth(m, line.left(cuts[mid])) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return cuts.size() > 1 ? cuts[lo] : 0;
}

double AlignedX(const ITextMeasurer &m, const UpRect &rect, const QString &line, unsigned flags)
{
    const double w = TabbedTextWidth(m, line);
    if (flags & TextFlags::Center)
        return rect.left + (rect.Width() - w) / 2;
    if ((flags & TextFlags::Right) && (flags & TextFlags::WordBreak))
        return rect.right - w;
    return rect.left;
}

} // namespace

TabbedLayout LayoutTabbedText(const ITextMeasurer &measurer, const QString &text, qsizetype startOffset,
                              const UpRect &rect, unsigned flags)
{
    TabbedLayout out;
    const double lineHeight = measurer.LineHeight();
    qsizetype pos = std::clamp<qsizetype>(startOffset, 0, text.size());
    out.nextOffset = pos;
    if (rect.Width() <= 0 || rect.top - lineHeight < rect.bottom)
        return out;

    double baseline = rect.top - lineHeight;
    while (pos < text.size() && baseline >= rect.bottom) {
        qsizetype end = 0, next = 0;
        FindLineEnd(text, pos, end, next);
        QString line = text.mid(pos, end - pos);
        qsizetype lineStart = pos;
        if (TabbedTextWidth(measurer, line) > rect.Width()) {
            const qsizetype fit = FittingPrefix(measurer, line, rect.Width());
            if (flags & TextFlags::WordBreak) {
                // Break before the last white space that lets the part fit, else after the
                // last fitting character; the white space at the break is skipped.
                qsizetype cut = fit;
                if (fit >= line.size() || !IsSpace(line[fit]))
                    for (qsizetype i = fit - 1; i > 0; --i)
                        if (IsSpace(line[i])) {
                            cut = i;
                            break;
                        }
                qsizetype resume = cut;
                while (resume < line.size() && IsSpace(line[resume]))
                    ++resume;
                while (cut > 0 && IsSpace(line[cut - 1]))
                    --cut;
                line = line.left(cut);
                if (resume < end - lineStart)
                    next = lineStart + resume;
            } else {
                line = line.left(fit);
            }
        }
        out.lines.push_back({line, lineStart, AlignedX(measurer, rect, line, flags), baseline});
        out.heightUsed += lineHeight;
        pos = next;
        baseline -= lineHeight;
    }
    out.nextOffset = pos;
    return out;
}

TabbedLine PlanTabbedLine(const ITextMeasurer &measurer, const QString &text, double left, double right,
                          unsigned flags)
{
    TabbedLine line;
    line.height = measurer.LineHeight();
    if (flags & TextFlags::MeasureOnly)
        return line;
    line.text = text;
    if (flags & TextFlags::EndEllipsis) {
        const std::vector<qsizetype> cuts = CharacterBoundaries(text);
        std::size_t keep = cuts.size() - 1;
        while (keep > 0 && cuts[keep] > 127)
            --keep;
        line.text = FitTabbedTextWithEllipsis(measurer, right - left, text.left(cuts[keep]));
    }
    const double w = TabbedTextWidth(measurer, line.text);
    line.x = (flags & TextFlags::Center) ? left + (right - left - w) / 2
             : (flags & TextFlags::Right) ? right - w
                                          : left;
    return line;
}
