// Cutting item texts to their limits, counted in characters (never splitting a surrogate pair).
#pragma once

#include <QString>

QString CutToCharacters(const QString &text, int maxChars);
