// The visual style from a theme's names or from the settings.
#include "toolkit/style/VisualStyle.h"

#include "core/system/Profile.h"

namespace {
const QString kStandardThemeFile = QStringLiteral("\\Luna\\Luna.msstyles");
}

int VisualStyleFromTheme(bool themeLoaded, const QString &themeFile, const QString &scheme)
{
    if (!themeLoaded || themeFile.isEmpty())
        return kStyleNone;
    if (!themeFile.endsWith(kStandardThemeFile, Qt::CaseSensitive))
        return kStyleOther;
    if (scheme.compare(QLatin1String("NormalColor"), Qt::CaseInsensitive) == 0)
        return kStyleBlue;
    if (scheme.compare(QLatin1String("HomeStead"), Qt::CaseInsensitive) == 0)
        return kStyleOlive;
    if (scheme.compare(QLatin1String("Metallic"), Qt::CaseInsensitive) == 0)
        return kStyleSilver;
    return kStyleOther;
}

int BoundVisualStyle(int code)
{
    return code >= kStyleNone && code <= kStyleOther ? code : kStyleNone;
}

int GetVisualStyle()
{
    return BoundVisualStyle(GetProfileInt(QStringLiteral("Common"), QStringLiteral("VisualStyle"), kStyleNone));
}

bool IsHighContrastOn()
{
    return GetProfileInt(QStringLiteral("Common"), QStringLiteral("HighContrast"), 0) != 0;
}
