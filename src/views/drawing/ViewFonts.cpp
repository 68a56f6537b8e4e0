#include "views/drawing/ViewFonts.h"

#include "core/lists/LogFont.h"

#include <QString>
#include <algorithm>
#include <cstdlib>

QFont PointFontFromSetting(const LogFont &lf)
{
    QFont font;
    const QString face = lf.FaceName();
    if (!face.isEmpty())
        font.setFamily(face);
    font.setPointSize(std::max(1, std::abs(lf.height)));
    font.setItalic(lf.italic != 0);
    font.setWeight(lf.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}
