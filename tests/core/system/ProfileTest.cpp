#include "core/system/Profile.h"
#include "common/TempProfile.h"
#include "core/system/ConstStrings.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(ProfileTest, EachKindOfValueSurvivesTheFile)
{
    TempProfile temp;
    const QByteArray blob("\x00\x01\xFF\x7F binary\n", 12);
    WriteProfileInt(QStringLiteral("Common"), QStringLiteral("WD"), 62);
    WriteProfileInt(QStringLiteral("Common"), QStringLiteral("Neg"), -5);
    WriteProfileString(QStringLiteral("Common"), QStringLiteral("L0"), QStringLiteral("/home/ä/cal, 1.qv0"));
    WriteProfileString(QStringLiteral("Common"), QStringLiteral("Empty"), QString());
    WriteProfileBinary(QStringLiteral("Calendar"), QStringLiteral("Font"), blob);
    WriteProfileString(QStringLiteral("Printing\\Day"), QStringLiteral("FR"), QStringLiteral("[Page #]"));
    CProfile::Instance().Sync();
    ASSERT_TRUE(QFile::exists(temp.IniPath()));

    // A second store on the same file sees what the first wrote.
    const CProfile reread(temp.IniPath());
    EXPECT_EQ(reread.GetInt(QStringLiteral("Common"), QStringLiteral("WD"), 0), 62);
    EXPECT_EQ(reread.GetInt(QStringLiteral("Common"), QStringLiteral("Neg"), 0), -5);
    EXPECT_EQ(reread.GetString(QStringLiteral("Common"), QStringLiteral("L0")),
              QStringLiteral("/home/ä/cal, 1.qv0"));
    EXPECT_TRUE(reread.HasValue(QStringLiteral("Common"), QStringLiteral("Empty")));
    EXPECT_EQ(reread.GetString(QStringLiteral("Common"), QStringLiteral("Empty"), QStringLiteral("x")),
              QString());
    QByteArray data;
    EXPECT_TRUE(reread.GetBinary(QStringLiteral("Calendar"), QStringLiteral("Font"), data));
    EXPECT_EQ(data, blob);
    EXPECT_EQ(reread.GetString(QStringLiteral("Printing\\Day"), QStringLiteral("FR")),
              QStringLiteral("[Page #]"));
    // Sections do not leak into each other.
    EXPECT_FALSE(reread.HasValue(QStringLiteral("Printing"), QStringLiteral("FR")));
    EXPECT_EQ(reread.GetInt(QStringLiteral("Day"), QStringLiteral("WD"), 7), 7);
}

TEST(ProfileTest, MissingOrMistypedValuesGiveTheDefault)
{
    TempProfile temp;
    CProfile &p = temp.Profile();
    EXPECT_EQ(p.GetInt(QStringLiteral("Common"), QStringLiteral("DD"), 30), 30);
    EXPECT_EQ(p.GetString(QStringLiteral("Common"), QStringLiteral("L0"), QStringLiteral("d")),
              QStringLiteral("d"));
    p.WriteString(QStringLiteral("Common"), QStringLiteral("DD"), QStringLiteral("thirty"));
    EXPECT_EQ(p.GetInt(QStringLiteral("Common"), QStringLiteral("DD"), 30), 30);
    // A text is not a binary value.
    QByteArray data("stale");
    EXPECT_FALSE(p.GetBinary(QStringLiteral("Common"), QStringLiteral("DD"), data));
    EXPECT_TRUE(data.isEmpty());
    EXPECT_FALSE(p.GetBinary(QStringLiteral("Common"), QStringLiteral("Nothing"), data));
}

TEST(ProfileTest, StoredWordsReadAsThirtyTwoBits)
{
    TempProfile temp;
    CProfile &p = temp.Profile();
    p.WriteString(QStringLiteral("Common"), QStringLiteral("FDOW"), QStringLiteral("4294967295"));
    EXPECT_EQ(p.GetInt(QStringLiteral("Common"), QStringLiteral("FDOW"), 0), -1);
    p.WriteInt(QStringLiteral("Common"), QStringLiteral("CB3"), 0xCBD8D0);
    EXPECT_EQ(p.GetInt(QStringLiteral("Common"), QStringLiteral("CB3"), 0), 0xCBD8D0);
}

TEST(ProfileTest, WriteIfUnsetKeepsTheUsersChoice)
{
    TempProfile temp;
    CProfile &p = temp.Profile();
    const QString common = QStringLiteral("Common");

    // A stored 0 is a user's choice and is kept.
    p.WriteInt(common, QStringLiteral("WD"), 0);
    EXPECT_FALSE(WriteProfileIntIfUnset(common, QStringLiteral("WD"), 62, true));
    EXPECT_EQ(p.GetInt(common, QStringLiteral("WD"), -1), 0);
    // A missing value is written.
    EXPECT_TRUE(WriteProfileIntIfUnset(common, QStringLiteral("FT"), 1, true));
    EXPECT_EQ(p.GetInt(common, QStringLiteral("FT"), -1), 1);
    // Without the flag the value is always written.
    EXPECT_TRUE(WriteProfileIntIfUnset(common, QStringLiteral("WD"), 62, false));
    EXPECT_EQ(p.GetInt(common, QStringLiteral("WD"), -1), 62);

    // Text values: an empty text is set; the sentinel text itself counts as unset.
    p.WriteString(common, QStringLiteral("FR"), QString());
    EXPECT_FALSE(WriteProfileStringIfUnset(common, QStringLiteral("FR"), QStringLiteral("[Page #]"), true));
    EXPECT_EQ(p.GetString(common, QStringLiteral("FR"), QStringLiteral("x")), QString());
    p.WriteString(common, QStringLiteral("FC"), QStringLiteral("0EEDBEEF"));
    EXPECT_TRUE(WriteProfileStringIfUnset(common, QStringLiteral("FC"), QStringLiteral("[Page #]"), true));
    EXPECT_EQ(p.GetString(common, QStringLiteral("FC")), QStringLiteral("[Page #]"));
    // The sentinel comparison is case-sensitive.
    p.WriteString(common, QStringLiteral("FL"), QStringLiteral("0eedbeef"));
    EXPECT_FALSE(WriteProfileStringIfUnset(common, QStringLiteral("FL"), QStringLiteral("x"), true));
    EXPECT_TRUE(WriteProfileStringIfUnset(common, QStringLiteral("HL"), QStringLiteral("x"), true));
}

TEST(ProfileTest, IndexShortcutsUseTheNameTable)
{
    TempProfile temp;
    WriteProfileInt(ConstName::Common, ConstName::DD, 45);
    EXPECT_EQ(GetProfileInt(QStringLiteral("Common"), QStringLiteral("DD"), 0), 45);
    EXPECT_EQ(GetProfileInt(ConstName::Common, ConstName::DD, 0), 45);
}

TEST(ProfileTest, PrintingSectionOfEachStyle)
{
    const struct
    {
        int style;
        const char *section;
    } cases[] = {
        {32, "Printing\\Details"},  {64, "Printing\\Memo"},  {257, "Printing\\Day"},
        {258, "Printing\\MDay"},    {259, "Printing\\Week"}, {260, "Printing\\Month"},
        {261, "Printing\\Year"},    {262, "Printing\\List"}, {0, "Printing\\Details"},
        {999, "Printing\\Details"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetPrintingSection(c.style), QString::fromLatin1(c.section)) << c.style;
}
