// Splitting and joining category names.
#include "editing/lists/CategoryNames.h"

#include "editing/base/EditingStrings.h"

#include <algorithm>

QStringList CCategoryNames::Split(const QString &text)
{
    QString normalised = text.trimmed();
    normalised.replace(QLatin1Char('\t'), QLatin1Char(' '));
    normalised.replace(QLatin1Char(';'), QLatin1Char(','));
    QStringList names;
    for (const QString &part : normalised.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    std::sort(names.begin(), names.end());
    QStringList kept;
    for (const QString &name : names) {
        if (!kept.contains(name, Qt::CaseInsensitive))
            kept.append(name);
    }
    return kept;
}

QString CCategoryNames::Join(const QString &text)
{
    return Split(text).join(QStringLiteral(", "));
}

QStringList CCategoryNames::DefaultNames()
{
    QStringList names;
    for (const QString &part : EditingText(EditText::DefaultCategories).split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}
