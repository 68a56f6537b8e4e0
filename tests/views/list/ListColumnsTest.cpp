// The list view's columns: layout rules, the settings round trip and its fallbacks.
#include "views/list/ListColumns.h"
#include "common/TempProfile.h"
#include "core/system/Profile.h"
#include "views/list/FieldChooserModel.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString kSection = QStringLiteral("List");
const std::vector<int> kDefaults = {0, 1, 2, 3, 4, 20, 16, 18, 5, 19, 6, 7};

std::vector<int> Ids(const CListColumns &c)
{
    std::vector<int> ids;
    for (int v = 0; v < c.Count(); ++v)
        ids.push_back(c.IdAt(v));
    return ids;
}

QByteArray Ints(std::initializer_list<std::int32_t> values)
{
    QByteArray out;
    for (std::int32_t v : values) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    }
    return out;
}

CListColumns Loaded(const CListColumns::AcceptFn &accepts = {})
{
    CListColumns c;
    c.Load(kSection, accepts, kDefaults, 16);
    return c;
}

} // namespace

TEST(ListColumnsTest, DefaultLayoutSkipsRefusedIdsAndFindsTheSortColumn)
{
    CListColumns c;
    c.SetDefault({0, 4, 99, 16, 34}, 16, [](int id) { return id != 34; });
    EXPECT_EQ(Ids(c), (std::vector<int>{0, 4, 16}));
    EXPECT_EQ(c.TotalWidth(), 18 + 330 + 119);
    EXPECT_EQ(c.SortId(), 16);
    EXPECT_TRUE(c.Ascending());

    // A sort id the layout does not hold falls to the first column.
    c.SetDefault({4, 6}, 16, {});
    EXPECT_EQ(c.SortId(), 4);
    // The TaskPad's subject is narrower.
    c.SetDefault({4}, 4, {}, true);
    EXPECT_EQ(c.At(0).width, 140);
}

TEST(ListColumnsTest, ChoiceWidthsOrderAndSortSurviveARestart)
{
    TempProfile profile;
    CListColumns c = Loaded();
    EXPECT_EQ(Ids(c), kDefaults);

    c.Remove(18);
    c.Append(8, 77);
    c.SetWidth(c.VisualIndexOf(4), 201);
    c.SetWidth(c.VisualIndexOf(1), 60); // icon columns keep their width
    c.Move(c.VisualIndexOf(20), 0);
    c.SetSort(6, false);
    ASSERT_TRUE(c.Save(kSection));

    CProfile::UseIniFile(profile.IniPath()); // a fresh settings object on the same file
    const CListColumns back = Loaded();
    EXPECT_EQ(Ids(back), Ids(c));
    EXPECT_EQ(back.At(back.VisualIndexOf(4)).width, 201);
    EXPECT_EQ(back.At(back.VisualIndexOf(8)).width, 77);
    EXPECT_EQ(back.At(back.VisualIndexOf(1)).width, 18);
    EXPECT_EQ(back.IdAt(0), 20);
    EXPECT_EQ(back.SortId(), 6);
    EXPECT_FALSE(back.Ascending());
}

TEST(ListColumnsTest, StoredLayoutsThatDoNotMatchGiveTheDefault)
{
    struct Case
    {
        const char *name;
        int cols;
        QByteArray sizes;
    };
    const QByteArray twoColumns = Ints({100, 4, 50, 20});
    const std::vector<Case> cases = {
        {"no columns", 0, twoColumns},
        {"negative count", -1, twoColumns},
        {"sizes too short", 3, twoColumns},
        {"sizes too long", 1, twoColumns},
        {"more than 23", 24, QByteArray(24 * 8, '\0')},
        {"only unknown ids", 2, Ints({100, 99, 50, 1234})},
    };
    for (const Case &k : cases) {
        TempProfile profile;
        WriteProfileInt(kSection, "Cols", k.cols);
        WriteProfileBinary(kSection, "Sizes", k.sizes);
        CListColumns c;
        EXPECT_FALSE(c.Load(kSection, {}, kDefaults, 16)) << k.name;
        EXPECT_EQ(Ids(c), kDefaults) << k.name;
        EXPECT_EQ(c.SortId(), 16) << k.name;
    }
}

TEST(ListColumnsTest, LoadSkipsUnknownDuplicateAndBadIconItems)
{
    TempProfile profile;
    // Subject, an unknown id, Subject again, Recurring with its image, Notes without an image
    // index, Reminder with an image past the header's list, Location.
    WriteProfileInt(kSection, "Cols", 7);
    WriteProfileBinary(kSection, "Sizes",
                       Ints({210, 4, 80, 77, 90, 4, 40, (2 << 16) | 1, 18, 3, 18, (9 << 16) | 2, 111, 20}));
    WriteProfileInt(kSection, "Sort", 6); // Location
    WriteProfileInt(kSection, "Dir", 0);
    const CListColumns c = Loaded();
    EXPECT_EQ(Ids(c), (std::vector<int>{4, 1, 20}));
    EXPECT_EQ(c.At(0).width, 210);
    EXPECT_EQ(c.At(1).width, 18); // icon width is fixed whatever was stored
    // The sort column is the stored item's id, though skipped items came before it.
    EXPECT_EQ(c.SortId(), 20);
    EXPECT_FALSE(c.Ascending());
}

TEST(ListColumnsTest, StoredWidthsAreBoundedToWhatAScreenCanShow)
{
    TempProfile profile;
    // Two widths whose sum overflows an int, then an ordinary one.
    WriteProfileInt(kSection, "Cols", 3);
    WriteProfileBinary(kSection, "Sizes", Ints({0x60000000, 4, 0x60000000, 20, 100, 16}));
    CListColumns c = Loaded();
    ASSERT_EQ(Ids(c), (std::vector<int>{4, 20, 16}));
    const int most = CListColumns::kMaxWidth;
    EXPECT_EQ(c.At(0).width, most);
    EXPECT_EQ(c.At(1).width, most);
    EXPECT_EQ(c.TotalWidth(), 2 * most + 100);
    EXPECT_EQ(c.LeftOf(2), 2 * most);
    EXPECT_EQ(c.VisualAt(2 * most + 50), 2);
    c.SetWidth(2, 0x7FFFFFFF);
    EXPECT_EQ(c.At(2).width, most);
    c.Append(6, 0x7FFFFFFF);
    EXPECT_EQ(c.At(3).width, most);
}

TEST(ListColumnsTest, OrderArrayOfTheWrongLengthIsIgnored)
{
    TempProfile profile;
    WriteProfileInt(kSection, "Cols", 2);
    WriteProfileBinary(kSection, "Sizes", Ints({100, 4, 50, 20}));
    WriteProfileBinary(kSection, "Order", Ints({1, 0, 0}));
    EXPECT_EQ(Ids(Loaded()), (std::vector<int>{4, 20}));
    WriteProfileBinary(kSection, "Order", Ints({1, 0}));
    EXPECT_EQ(Ids(Loaded()), (std::vector<int>{20, 4}));
}

TEST(ListColumnsTest, TheSortMarkFollowsItsColumnThroughHidingAndMoving)
{
    TempProfile profile;
    CListColumns c;
    c.SetDefault({4, 20, 16, 6}, 16, {});
    c.SetSort(6, false);
    c.Remove(4); // a column before the sort column
    c.Move(c.VisualIndexOf(6), 0);
    EXPECT_EQ(c.SortId(), 6);
    ASSERT_TRUE(c.Save(kSection));
    const CListColumns back = Loaded();
    EXPECT_EQ(back.SortId(), 6);
    EXPECT_FALSE(back.Ascending());

    // Hiding the sort column clears it and keeps the direction.
    c.Remove(6);
    EXPECT_EQ(c.SortId(), -1);
    EXPECT_FALSE(c.Ascending());
}

TEST(ListColumnsTest, FieldValuesRebuildTheLayoutKeepingTheSortColumn)
{
    CListColumns c;
    c.SetDefault({4, 20, 16}, 20, {});
    c.SetSort(20, false);
    EXPECT_EQ(c.FieldValues(),
              (std::vector<std::uint32_t>{(330u << 16) | 4, (140u << 16) | 20, (119u << 16) | 16}));

    c.SetFieldValues({(50u << 16) | 20, (60u << 16) | 34, (70u << 16) | 6}, [](int id) { return id != 34; });
    EXPECT_EQ(Ids(c), (std::vector<int>{20, 6}));
    EXPECT_EQ(c.At(0).width, 50);
    EXPECT_EQ(c.SortId(), 20);
    EXPECT_FALSE(c.Ascending());

    // Without the old sort column the first column takes the mark.
    c.SetFieldValues({(70u << 16) | 6, (10u << 16) | 4}, {});
    EXPECT_EQ(c.SortId(), 6);
}

TEST(ListColumnsTest, HitTestingAlongTheColumns)
{
    CListColumns c;
    c.SetDefault({0, 4, 20}, 4, {});
    EXPECT_EQ(c.VisualAt(-1), -1);
    EXPECT_EQ(c.VisualAt(0), 0);
    EXPECT_EQ(c.VisualAt(17), 0);
    EXPECT_EQ(c.VisualAt(18), 1);
    EXPECT_EQ(c.VisualAt(18 + 330), 2);
    EXPECT_EQ(c.VisualAt(c.TotalWidth()), -1);
    EXPECT_EQ(c.LeftOf(2), 348);
}

TEST(FieldChooserModelTest, RowsMovesAndResult)
{
    CFieldChooserModel m;
    const std::vector<int> available = {0, 4, 20, 16, 6};
    // A stored field the view no longer offers is dropped.
    m.Fill({(200u << 16) | 20, (90u << 16) | 38, (300u << 16) | 4}, available);
    ASSERT_EQ(m.Rows().size(), 5u);
    EXPECT_EQ(m.Rows()[0].name, "Location");
    EXPECT_TRUE(m.Rows()[1].checked);
    EXPECT_EQ(m.Rows()[2].name, "Icon ( icon )");
    EXPECT_FALSE(m.Rows()[2].checked);
    EXPECT_EQ(m.Selected(), 0);

    m.MoveUp(); // the first row stays
    EXPECT_EQ(m.Rows()[0].name, "Location");
    m.MoveDown();
    EXPECT_EQ(m.Rows()[1].name, "Location");
    EXPECT_EQ(m.Selected(), 1);
    m.Select(4);
    m.MoveDown(); // the last row stays
    EXPECT_EQ(m.Selected(), 4);
    m.SetChecked(2, true);
    EXPECT_EQ(m.Result(), (std::vector<std::uint32_t>{(300u << 16) | 4, (200u << 16) | 20, (18u << 16) | 0}));

    for (int r = 0; r < 5; ++r)
        m.SetChecked(r, false);
    EXPECT_EQ(m.Result(), (std::vector<std::uint32_t>{0x014A0004}));

    m.Restore({4, 6}, available);
    EXPECT_EQ(m.Result(), (std::vector<std::uint32_t>{(330u << 16) | 4, (90u << 16) | 6}));
}
