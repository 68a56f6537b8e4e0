// Which of the known visual styles is active. This platform has no theme files, so the style is a
// setting; the rule that names a style from a theme file and colour scheme is kept for the setting
// pages and for themes described the same way.
#pragma once

#include <QString>

// The visual styles the colour set knows: none (the system's own colours), the blue, olive and
// silver sets, and any other style (drawn with the silver set).
enum VisualStyleCode : int
{
    kStyleNone = 0,
    kStyleBlue = 1,
    kStyleOlive = 2,
    kStyleSilver = 3,
    kStyleOther = 4,
};

// The style for a theme file and colour scheme: none without a theme, the three known schemes of
// the standard theme file, else "other". The file is compared on its last 19 characters exactly,
// the scheme ignoring case.
int VisualStyleFromTheme(bool themeLoaded, const QString &themeFile, const QString &scheme);

// A stored style code bounded to the known codes; anything else is "none".
int BoundVisualStyle(int code);

// The active visual style: "Common"/"VisualStyle" (default none).
int GetVisualStyle();
// The high-contrast switch: "Common"/"HighContrast" (default off).
bool IsHighContrastOn();
