// CLabelRule: the measuring of a group heading: the text as measured (every "&" removed, at most
// 128 characters) and the etched rule that runs from 7 pixels after it to the right edge.
#pragma once

#include <QLine>
#include <QRect>
#include <QString>

class CLabelRule
{
  public:
    static constexpr int kMaxText = 128;
    static constexpr int kGap = 7; // between the text and the rule

    // The text a heading shows, cut to 128 characters.
    static QString ShownText(const QString &text) { return text.left(kMaxText); }
    // The text as it is measured: the shown text with every "&" removed.
    static QString MeasuredText(const QString &text);

    // The rule for a text `textWidth` pixels wide in `client`: a shadow line at half the
    // height + 1 and a highlight line one below it that turns up at the right edge. Lines hold
    // both end points; a rule with no room is empty (IsEmpty).
    struct Lines
    {
        QLine shadow;
        QLine highlight;
        QLine highlightEnd; // the upturn at the right edge
        bool empty = true;
    };
    static Lines Rule(int textWidth, const QRect &client);
};
