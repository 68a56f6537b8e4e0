// Notes treatment for display items.
#include "core/items/DisplayNotes.h"

#include "core/system/TextCut.h"

namespace {
QString CutWithEllipsis(const QString &text, int maxChars)
{
    const QString cut = CutToCharacters(text, maxChars);
    return cut.size() < text.size() ? cut + QStringLiteral("\r\n...") : text;
}
} // namespace

QString NotesWithoutTrailingBreaks(const QString &notes)
{
    QString text = notes;
    // A final bare line feed goes first (texts of five or more characters), then every
    // trailing carriage return and line feed.
    if (text.size() > 4 && text.endsWith(QLatin1Char('\n')) && text.at(text.size() - 2) != QLatin1Char('\r'))
        text.chop(1);
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

QString DisplayNotesText(const QString &notes, int mode)
{
    if ((mode != 1 && mode != 2) || notes.isEmpty())
        return QString();
    QString text = NotesWithoutTrailingBreaks(notes);
    if (mode == 1) {
        text = text.trimmed();
        text.replace(QLatin1Char('\t'), QLatin1Char(' '));
        return CutWithEllipsis(text, 255);
    }
    return CutWithEllipsis(text, 4096);
}
