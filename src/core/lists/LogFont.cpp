// The logical-font record and the font settings.
#include "core/lists/LogFont.h"

#include "core/storage/StoredText.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QtEndian>
#include <cstring>

namespace {
constexpr int kWeightBold = 700;
constexpr int kWeightNormal = 400;
constexpr int kMinimumPoints = 6;

void PutInt(QByteArray &out, int offset, std::int32_t v)
{
    qToLittleEndian<std::int32_t>(v, out.data() + offset);
}

std::int32_t GetInt(const QByteArray &in, int offset)
{
    return qFromLittleEndian<std::int32_t>(in.constData() + offset);
}
} // namespace

QString LogFont::FaceName() const
{
    const auto length = static_cast<qsizetype>(strnlen(faceName, kFaceSize));
    return DecodeStoredText(QByteArray(faceName, length));
}

void LogFont::SetFaceName(const QString &name)
{
    std::memset(faceName, 0, sizeof faceName);
    QByteArray bytes = name.toUtf8();
    if (bytes.size() > kFaceSize - 1) {
        qsizetype cut = kFaceSize - 1;
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut; // never split a character
        bytes.truncate(cut);
    }
    std::memcpy(faceName, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QByteArray LogFont::ToBytes() const
{
    QByteArray out(kSize, '\0');
    PutInt(out, 0, height);
    PutInt(out, 4, width);
    PutInt(out, 8, escapement);
    PutInt(out, 12, orientation);
    PutInt(out, 16, weight);
    const std::uint8_t flags[8] = {italic,       underline,     strikeOut, charSet,
                                   outPrecision, clipPrecision, quality,   pitchAndFamily};
    std::memcpy(out.data() + 20, flags, sizeof flags);
    std::memcpy(out.data() + 28, faceName, kFaceSize);
    return out;
}

bool LogFont::FromBytes(const QByteArray &data)
{
    if (data.size() != kSize)
        return false;
    height = GetInt(data, 0);
    width = GetInt(data, 4);
    escapement = GetInt(data, 8);
    orientation = GetInt(data, 12);
    weight = GetInt(data, 16);
    const auto *flags = reinterpret_cast<const std::uint8_t *>(data.constData() + 20);
    italic = flags[0];
    underline = flags[1];
    strikeOut = flags[2];
    charSet = flags[3];
    outPrecision = flags[4];
    clipPrecision = flags[5];
    quality = flags[6];
    pitchAndFamily = flags[7];
    std::memcpy(faceName, data.constData() + 28, kFaceSize);
    faceName[kFaceSize - 1] = '\0'; // a stored name may lack its terminator
    return true;
}

bool LogFont::operator==(const LogFont &o) const
{
    return ToBytes() == o.ToBytes();
}

int FontHeightFromPoints(int points, int dpi)
{
    return -MulDiv(points, dpi, 72);
}

int FontPointsFromHeight(int height, int dpi)
{
    return -MulDiv(height, 72, dpi);
}

LogFont LoadFontSettingPoints(const QString &section, const QString &name, int defaultPoints)
{
    LogFont font;
    QByteArray stored;
    if (GetProfileBinary(section, name, stored))
        font.FromBytes(stored); // any other size is ignored

    if (font.height == 0)
        font.height = defaultPoints;
    if (font.height < kMinimumPoints)
        font.height = kMinimumPoints;
    font.width = 0;
    font.escapement = 0;
    font.orientation = 0;
    font.weight = font.weight == kWeightBold ? kWeightBold : kWeightNormal;
    font.underline = 0;
    font.strikeOut = 0;
    if (font.charSet == 0)
        font.charSet = 1;
    font.outPrecision = 0;
    font.clipPrecision = 0;
    font.quality = 0;
    font.pitchAndFamily = 0;
    if (font.faceName[0] == '\0')
        font.SetFaceName(GetConstString(ConstName::DefaultFace));
    return font;
}

LogFont LoadFontSetting(const QString &section, const QString &name, int defaultPoints, int dpi)
{
    LogFont font = LoadFontSettingPoints(section, name, defaultPoints);
    font.height = FontHeightFromPoints(font.height, dpi);
    return font;
}

bool SaveFontSetting(const LogFont &font, const QString &section, const QString &name, int dpi)
{
    LogFont stored = font;
    stored.height = FontPointsFromHeight(font.height, dpi);
    return WriteProfileBinary(section, name, stored.ToBytes());
}
