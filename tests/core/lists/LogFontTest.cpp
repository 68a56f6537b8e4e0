#include "core/lists/LogFont.h"
#include "common/TempProfile.h"

#include <gtest/gtest.h>

namespace {
const QString kSection = QStringLiteral("Calendar");
const QString kName = QStringLiteral("Font");

LogFont SampleFont()
{
    LogFont f;
    f.height = 11;
    f.width = 5;
    f.escapement = 900;
    f.orientation = 900;
    f.weight = 700;
    f.italic = 1;
    f.underline = 1;
    f.strikeOut = 1;
    f.charSet = 0;
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 5;
    f.pitchAndFamily = 0x22;
    f.SetFaceName(QStringLiteral("DejaVu Sans"));
    return f;
}
} // namespace

TEST(LogFontTest, ByteLayout)
{
    LogFont f;
    f.height = -13;
    f.weight = 400;
    f.italic = 1;
    f.charSet = 0xEE;
    f.pitchAndFamily = 0x31;
    f.SetFaceName(QStringLiteral("Arial"));
    const QByteArray bytes = f.ToBytes();
    ASSERT_EQ(bytes.size(), 60);
    EXPECT_EQ(bytes.mid(0, 4), QByteArray("\xF3\xFF\xFF\xFF", 4));
    EXPECT_EQ(bytes.mid(16, 4), QByteArray("\x90\x01\x00\x00", 4));
    EXPECT_EQ(bytes.at(20), 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes.at(23)), 0xEE);
    EXPECT_EQ(bytes.at(27), 0x31);
    EXPECT_EQ(bytes.mid(28, 6), QByteArray("Arial\0", 6));

    LogFont back;
    ASSERT_TRUE(back.FromBytes(bytes));
    EXPECT_EQ(back, f);
    EXPECT_EQ(back.FaceName(), QStringLiteral("Arial"));
}

TEST(LogFontTest, FaceNameIsCutAtACharacterBoundary)
{
    LogFont f;
    f.SetFaceName(QString(30, QLatin1Char('a')) + QStringLiteral("éé"));
    EXPECT_EQ(f.FaceName(), QString(30, QLatin1Char('a')));
    // A face stored by an older tool in Windows-1252 still reads.
    QByteArray bytes = f.ToBytes();
    bytes.replace(28, 6,
                  QByteArray("Fr\xE9"
                             "d\0\0",
                             6));
    ASSERT_TRUE(f.FromBytes(bytes));
    EXPECT_EQ(f.FaceName(), QStringLiteral("Fréd"));
}

TEST(LogFontTest, OnlyExactlySixtyBytesAreTaken)
{
    for (const int size : {0, 59, 61}) {
        TempProfile temp;
        QByteArray bytes = SampleFont().ToBytes();
        bytes.resize(size);
        temp.Profile().WriteBinary(kSection, kName, bytes);
        const LogFont f = LoadFontSettingPoints(kSection, kName, 8);
        EXPECT_EQ(f.height, 8) << size;
        EXPECT_EQ(f.weight, 400) << size;
        EXPECT_EQ(f.italic, 0) << size;
        EXPECT_EQ(f.FaceName(), QStringLiteral("Segoe UI")) << size;
    }
}

TEST(LogFontTest, LoadNormalisesTheStoredRecord)
{
    TempProfile temp;
    temp.Profile().WriteBinary(kSection, kName, SampleFont().ToBytes());
    const LogFont f = LoadFontSettingPoints(kSection, kName, 8);
    EXPECT_EQ(f.height, 11);
    EXPECT_EQ(f.width, 0);
    EXPECT_EQ(f.escapement, 0);
    EXPECT_EQ(f.orientation, 0);
    EXPECT_EQ(f.weight, 700);
    EXPECT_EQ(f.italic, 1); // kept as stored
    EXPECT_EQ(f.underline, 0);
    EXPECT_EQ(f.strikeOut, 0);
    EXPECT_EQ(f.charSet, 1);
    EXPECT_EQ(f.outPrecision, 0);
    EXPECT_EQ(f.clipPrecision, 0);
    EXPECT_EQ(f.quality, 0);
    EXPECT_EQ(f.pitchAndFamily, 0);
    EXPECT_EQ(f.FaceName(), QStringLiteral("DejaVu Sans"));
}

TEST(LogFontTest, HeightAndWeightRules)
{
    const struct
    {
        int storedHeight;
        int storedWeight;
        int points;
        int weight;
    } cases[] = {
        {0, 700, 9, 700}, // no height: the default size
        {3, 600, 6, 400}, // below 6 points; a weight other than bold is normal
        {-12, 100, 6, 400}, {6, 900, 6, 400}, {14, 400, 14, 400},
    };
    for (const auto &c : cases) {
        TempProfile temp;
        LogFont stored = SampleFont();
        stored.height = c.storedHeight;
        stored.weight = c.storedWeight;
        stored.charSet = 0xA1; // a set other than 0 is kept
        temp.Profile().WriteBinary(kSection, kName, stored.ToBytes());
        const LogFont f = LoadFontSettingPoints(kSection, kName, 9);
        EXPECT_EQ(f.height, c.points) << c.storedHeight;
        EXPECT_EQ(f.weight, c.weight) << c.storedWeight;
        EXPECT_EQ(f.charSet, 0xA1);
    }
}

TEST(LogFontTest, SaveAndLoadKeepThePointSize)
{
    for (const int dpi : {96, 120, 144}) {
        TempProfile temp;
        LogFont font = SampleFont();
        font.height = FontHeightFromPoints(10, dpi);
        const LogFont before = font;
        ASSERT_TRUE(SaveFontSetting(font, kSection, kName, dpi));
        EXPECT_EQ(font, before); // the caller's record is unchanged

        QByteArray stored;
        ASSERT_TRUE(temp.Profile().GetBinary(kSection, kName, stored));
        LogFont raw;
        ASSERT_TRUE(raw.FromBytes(stored));
        EXPECT_EQ(raw.height, 10) << dpi;

        const LogFont loaded = LoadFontSetting(kSection, kName, 8, dpi);
        EXPECT_EQ(loaded.height, before.height) << dpi;
    }
    EXPECT_EQ(FontHeightFromPoints(8, 96), -11); // 10.67 rounds to 11
    EXPECT_EQ(FontHeightFromPoints(9, 96), -12);
}

TEST(LogFontTest, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 96, 72), 7);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}
