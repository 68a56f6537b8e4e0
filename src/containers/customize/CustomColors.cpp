// The shared custom colours of the colour dialogs.
#include "containers/customize/CustomColors.h"

#include "core/system/Profile.h"

#include <QByteArray>

namespace {
const QString kCommon = QStringLiteral("Common");
const QString kName = QStringLiteral("CCS");
} // namespace

CCustomColors::Colors CCustomColors::White()
{
    Colors colors;
    colors.fill(0xFFFFFF);
    return colors;
}

CCustomColors::Colors CCustomColors::Load()
{
    Colors colors = White();
    QByteArray data;
    if (!GetProfileBinary(kCommon, kName, data) || data.size() != int(colors.size() * 4))
        return colors;
    const auto *bytes = reinterpret_cast<const unsigned char *>(data.constData());
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = COLORREF(bytes[i * 4]) | COLORREF(bytes[i * 4 + 1]) << 8 | COLORREF(bytes[i * 4 + 2]) << 16 |
                    COLORREF(bytes[i * 4 + 3]) << 24;
    return colors;
}

void CCustomColors::Save(const Colors &colors)
{
    QByteArray data;
    data.reserve(int(colors.size() * 4));
    for (COLORREF c : colors)
        for (int shift = 0; shift < 32; shift += 8)
            data.append(char((c >> shift) & 0xFF));
    WriteProfileBinary(kCommon, kName, data);
}
