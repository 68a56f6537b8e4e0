// Fitting one line of text into a width with an ellipsis, and laying out multi-line tabbed
// text page by page. Everything is measured through an ITextMeasurer and cut only between
// whole characters (a surrogate pair or a letter with its combining marks stays together).
#pragma once

#include "shell/TextMeasurer.h"

#include <QString>
#include <vector>

namespace TextFlags {
inline constexpr unsigned Center = 0x1;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned WordBreak = 0x10;
inline constexpr unsigned MeasureOnly = 0x400;
inline constexpr unsigned EndEllipsis = 0x8000;
} // namespace TextFlags

// The whole text when it fits; the first character and "..." when the width is no larger than
// "..."; else characters are taken off the end (the last two first, then one at a time) until
// the rest and "..." fit or one character is left, and "..." is appended.
QString FitTextWithEllipsis(const ITextMeasurer &measurer, double width, const QString &text);
// The same with tab-expanded widths; when not even one character and "..." fit, the first
// character and ".", else that character alone, else the empty text.
QString FitTabbedTextWithEllipsis(const ITextMeasurer &measurer, double width, const QString &text);

// The positions where the text may be cut: 0, each character boundary, and the length.
std::vector<qsizetype> CharacterBoundaries(const QString &text);

// One line of a layout: its text, where it starts in the source, and its left edge and
// baseline in the rectangle's coordinates.
struct LaidOutLine
{
    QString text;
    qsizetype sourceOffset = 0;
    double x = 0;
    double baseline = 0;
};

// A rectangle whose y axis points up, as on printed pages: top > bottom.
struct UpRect
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double Width() const { return right - left; }
};

struct TabbedLayout
{
    std::vector<LaidOutLine> lines;
    double heightUsed = 0;
    // The first character that did not fit: where the next page goes on. The text's length
    // when everything fitted.
    qsizetype nextOffset = 0;
};

// Lays out text from an offset into the rectangle. Lines end at a carriage return (a run of
// them and one line feed after it are one line end) or at a line feed alone. With WordBreak a
// line too long for the width breaks before the last white space that lets it fit, else after
// the last fitting character; Center and Right align the lines. Without WordBreak each line
// is cut at the width.
TabbedLayout LayoutTabbedText(const ITextMeasurer &measurer, const QString &text, qsizetype startOffset,
                              const UpRect &rect, unsigned flags);

// One tabbed line in a rectangle (y down, as on screen): the text (with EndEllipsis at most 127
// characters, fitted with FitTabbedTextWithEllipsis) and its left edge by the alignment flags.
struct TabbedLine
{
    QString text;
    double x = 0;
    double height = 0;
};
TabbedLine PlanTabbedLine(const ITextMeasurer &measurer, const QString &text, double left, double right,
                          unsigned flags);
