// Tooltip texts of the views: the width a tip wraps at, its lines wrapped there in full, and the
// rich text that shows exactly those lines (item texts may hold '<' and '&').
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The wrap width of a tip in the font: a text with several lines wraps at its first line's
// width, but not under 400 pixels; a one-line text at its own width (it never wraps).
int TipWrapWidth(const QString &text, const QFont &font);
// The whole text as lines no wider than the width where words allow (a width of 0 or less keeps
// the text's own lines); carriage returns are dropped.
QStringList WrapTipLines(const QString &text, const QFont &font, int width);
// Rich text for a tooltip showing the lines as they are, in the font.
QString TipRichText(const QStringList &lines, const QFont &font);
