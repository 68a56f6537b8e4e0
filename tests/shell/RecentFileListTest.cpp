// The recent data-file list: reading with gaps, adding, removing, writing, menu texts.
#include "common/TempProfile.h"
#include "shell/RecentFileList.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentFileListTest, ReadKeepsGoingPastAMissingEntry)
{
    TempProfile temp;
    temp.Profile().WriteString("RecentFileList", "Item1", "/d/a.qv0");
    temp.Profile().WriteString("RecentFileList", "Item2", "/d/b.qv0");
    temp.Profile().WriteString("RecentFileList", "Item4", "/d/d.qv0");
    CRecentFileListEx list;
    list.ReadList(temp.Profile());
    EXPECT_EQ(list.GetPath(0), "/d/a.qv0");
    EXPECT_EQ(list.GetPath(2), "");
    EXPECT_EQ(list.GetPath(3), "/d/d.qv0");
    EXPECT_EQ(list.GetMenuText(2), "");
}

TEST(RecentFileListTest, AddMovesUpAndDropsTheOldest)
{
    CRecentFileListEx list;
    for (int i = 1; i <= 8; ++i)
        list.Add(QStringLiteral("/d/%1.qv0").arg(i));
    EXPECT_EQ(list.GetPath(0), "/d/8.qv0");
    list.Add("/d/3.qv0");
    EXPECT_EQ(list.GetPath(0), "/d/3.qv0");
    EXPECT_EQ(list.GetPath(1), "/d/8.qv0");
    EXPECT_EQ(list.GetPath(7), "/d/1.qv0"); // nothing repeated, nothing lost
    list.Add("/d/9.qv0");
    EXPECT_EQ(list.GetPath(0), "/d/9.qv0");
    EXPECT_EQ(list.GetPath(7), "/d/2.qv0"); // the oldest fell off
    list.Add("/d/9.QV0");                  // another file on a case-sensitive system
    EXPECT_EQ(list.GetPath(1), "/d/9.qv0");
}

TEST(RecentFileListTest, RemoveAndWriteLeaveNoStaleEntries)
{
    TempProfile temp;
    CRecentFileListEx list;
    list.Add("/d/a.qv0");
    list.Add("/d/b.qv0");
    list.Add("/d/c.qv0");
    list.WriteList(temp.Profile());
    list.Remove(1);
    list.WriteList(temp.Profile());
    CRecentFileListEx read;
    read.ReadList(temp.Profile());
    EXPECT_EQ(read.GetPath(0), "/d/c.qv0");
    EXPECT_EQ(read.GetPath(1), "/d/a.qv0");
    EXPECT_FALSE(temp.Profile().HasValue("RecentFileList", "Item3"));
    read.Remove(0);
    read.Remove(0);
    EXPECT_TRUE(read.IsEmpty());
}

TEST(RecentFileListTest, MenuTextsAreNumberedAndShortened)
{
    CRecentFileListEx list;
    list.Add("/home/someone/Documents/calendars/work/Personal Calendar.qv0");
    list.Add("/d/R&D.qv0");
    EXPECT_EQ(list.GetMenuText(0), "&1 /d/R&&D.qv0");
    EXPECT_EQ(list.GetMenuText(1), "&2 .../Personal Calendar.qv0");
    EXPECT_EQ(CRecentFileListEx::AbbreviatePath("/home/a/very-long-file-name-here-x.qv0", 30),
              "very-long-file-name-here-x.qv0");
    EXPECT_EQ(CRecentFileListEx::AbbreviatePath("/a/b.qv0", 30), "/a/b.qv0");
}

} // namespace
