// The 60-byte logical-font record kept in settings and records (height, width, escapement,
// orientation, weight as little-endian 32-bit values; eight flag bytes; a 32-byte face name),
// and the font settings read and written through the profile.
#pragma once

#include "core/system/IntMath.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

struct LogFont
{
    static constexpr int kSize = 60;
    static constexpr int kFaceSize = 32; // bytes, the terminating NUL included

    std::int32_t height = 0; // pixels when negative (character height); points in settings
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0; // 400 normal, 700 bold
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    char faceName[kFaceSize] = {}; // UTF-8, NUL-terminated

    // The face name; a name that is not UTF-8 is read as Windows-1252.
    QString FaceName() const;
    // Stores the name cut to 31 bytes at a character boundary.
    void SetFaceName(const QString &name);

    QByteArray ToBytes() const;
    // False, leaving the font unchanged, unless the data is exactly 60 bytes.
    bool FromBytes(const QByteArray &data);

    bool operator==(const LogFont &o) const;
};


// The record's height for a point size at a screen resolution: -(points * dpi / 72).
int FontHeightFromPoints(int points, int dpi);
// The point size of a record's height (pixels, negative for a character height).
int FontPointsFromHeight(int height, int dpi);

// Reads a font setting with its height in points: a stored value of exactly 60 bytes, else
// nothing; then the default point size for a zero height, at least 6 points, weight 700 or
// 400, no width, escapement, orientation, underline, strike-out, precision, quality or pitch,
// character set 0 read as 1, an empty face name replaced by the default face. Italic is kept.
LogFont LoadFontSettingPoints(const QString &section, const QString &name, int defaultPoints);
// The same with the height converted to pixels at the resolution (negative, as in a record).
LogFont LoadFontSetting(const QString &section, const QString &name, int defaultPoints, int dpi);
// Stores the font with its pixel height turned back into a positive point size.
bool SaveFontSetting(const LogFont &font, const QString &section, const QString &name, int dpi);
