// The saved filter's record: its bytes, round trip, and damaged records.
#include "core/lists/ItemFilter.h"
#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"

#include <gtest/gtest.h>

namespace {
constexpr HRESULT kArchiveError = 0x8004050D;

CItemFilter SampleFilter()
{
    CItemFilter f;
    f.SetFlags(CItemFilter::FF_OR | CItemFilter::FF_UNDEFINED_TYPE | CItemFilter::FF_CATEGORIES_ALL_BUT);
    f.SetName(QStringLiteral("Work & Caf\u00e9"));
    f.SetItemTypeNames({QStringLiteral("Meeting"), QStringLiteral("Phone Call")});
    f.SetCategoryNames({QStringLiteral("Private")});
    return f;
}

QByteArray Bytes(const CItemFilter &f)
{
    QByteArray out;
    CArchiveWriter w(out);
    f.Write(w);
    return out;
}
} // namespace

TEST(ItemFilter, RecordBytes)
{
    CItemFilter f;
    f.SetFlags(0x201);
    f.SetName(QStringLiteral("Ab"));
    f.SetItemTypeNames({QStringLiteral("T")});
    QByteArray expected("FIL\x01"
                        "\x01\x02\x00\x00"
                        "\x02"
                        "Ab"
                        "\x01\x00\x00\x00"
                        "\x01T"
                        "\x00\x00\x00\x00",
                        4 + 4 + 3 + 4 + 2 + 4);
    expected.append(60, '\0');
    EXPECT_EQ(Bytes(f), expected);
}

TEST(ItemFilter, RoundTrip)
{
    const CItemFilter filters[] = {CItemFilter(), SampleFilter()};
    for (const CItemFilter &f : filters) {
        const QByteArray bytes = Bytes(f) + "next";
        CArchiveReader r(bytes);
        CItemFilter back;
        back.SetName(QStringLiteral("old"));
        ASSERT_EQ(back.Read(r), S_OK);
        EXPECT_TRUE(back.Equals(f));
        EXPECT_EQ(r.Remaining(), 4); // the reserved bytes are consumed, nothing more
    }
}

TEST(ItemFilter, EqualsIsCaseSensitiveAndOrdered)
{
    const CItemFilter a = SampleFilter();
    CItemFilter b;
    b.CopyFrom(a);
    EXPECT_TRUE(a.Equals(b));
    b.SetItemTypeNames({QStringLiteral("Phone Call"), QStringLiteral("Meeting")});
    EXPECT_FALSE(a.Equals(b));
    b.CopyFrom(a);
    b.SetName(a.GetName().toUpper());
    EXPECT_FALSE(a.Equals(b));
    b.Clear();
    EXPECT_TRUE(b.Equals(CItemFilter()));
}

TEST(ItemFilter, DamagedRecordsAreRefused)
{
    const QByteArray good = Bytes(SampleFilter());
    QByteArray wrongTag = good;
    wrongTag[3] = 2;
    // A name count far beyond the bytes left must not be trusted.
    QByteArray hugeCount = Bytes(CItemFilter());
    hugeCount[4 + 4 + 1] = char(0xFF);
    hugeCount[4 + 4 + 1 + 3] = char(0x7F);
    const QByteArray cases[] = {wrongTag, hugeCount, good.left(good.size() - 1), good.left(10), QByteArray()};
    for (const QByteArray &data : cases) {
        CArchiveReader r(data);
        CItemFilter f = SampleFilter();
        f.SetName(QStringLiteral("kept"));
        const CItemFilter before = f;
        EXPECT_EQ(f.Read(r), kArchiveError);
        EXPECT_TRUE(f.Equals(before));
    }
}
