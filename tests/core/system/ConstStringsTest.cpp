#include "core/system/ConstStrings.h"

#include <QString>
#include <gtest/gtest.h>

TEST(ConstStringsTest, EntriesOthersRelyOn)
{
    const struct
    {
        int index;
        const char *text;
    } cases[] = {
        {0, "Zemblar Software"},
        {1, "Tessivo"},
        {2, "4.0r"},
        {14, "?Subject=Subscribe to the Tessivo New Release Mailing List "},
        {16, "\nData File is closed.\nOpen a Data File."},
        {21, "Sounds"},
        {24, "Web"},
        {25, "QVTransferFormatN"},
        {26, "QVTransferFormatInt"},
        {27, "\\Support\\QVPCInst.exe"},
        {31, "ry_qv_base_32"},
        {32, "ry_qv_mainfrm_32"},
        {33, "Common"},
        {46, "Printing"},
        {47, "Web"},
        {53, "RecentFileList"},
        {61, "Item%d"},
        {78, "FDOW"},
        {80, "WD"},
        {103, "nohide"},
        {126, "UCLW"},
        {127, "SOFTWARE"},
        {133, "DDIR"},
        {139, "RE RuzuRiruvezavo"},
        {141, "Font"},
        {170, "STSD"},
        {249, "C1"},
        {257, "C9"},
        {266, "D9"},
        {274, "E8"},
        {280, "F6"},
        {295, "L"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetConstString(c.index), QString::fromUtf8(c.text)) << "index " << c.index;
}

TEST(ConstStringsTest, RepeatedShortNamesAreSeparateEntries)
{
    for (const auto &pair :
         {std::pair{55, 163}, {159, 221}, {102, 177}, {208, 246}, {211, 247}, {189, 212}}) {
        EXPECT_EQ(GetConstString(pair.first), GetConstString(pair.second));
        EXPECT_FALSE(GetConstString(pair.first).isEmpty());
    }
    EXPECT_EQ(GetConstString(234), QStringLiteral("C"));
}

TEST(ConstStringsTest, PastTheEndGivesTheEmptyLastEntry)
{
    EXPECT_EQ(GetConstString(296), QString());
    EXPECT_EQ(GetConstString(297), QString());
    EXPECT_EQ(GetConstString(100000), QString());
    EXPECT_STREQ(GetConstStringUtf8(297), "");
    EXPECT_FALSE(GetConstString(295).isEmpty());
}
