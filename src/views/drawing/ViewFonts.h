// Fonts of the views from their stored settings.
#pragma once

#include <QFont>

struct LogFont;

// A font whose stored height counts points (the sign ignored, at least 1); bold from weight 700,
// the default family when no face is stored.
QFont PointFontFromSetting(const LogFont &lf);
