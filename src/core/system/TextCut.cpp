// Character-counted cuts of item texts.
#include "core/system/TextCut.h"

QString CutToCharacters(const QString &text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    int units = 0;
    for (int chars = 0; chars < maxChars && units < text.size(); ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                  text.at(units + 1).isLowSurrogate())
                     ? 2
                     : 1;
    return text.left(units);
}
