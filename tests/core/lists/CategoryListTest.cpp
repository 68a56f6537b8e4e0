// The master category list and the location list: their blob (fixed sizes, record layout, name
// length forms), sorted insert in the locale's order, loading from and saving to a fake data file,
// damaged blobs, and the older layouts that a conversion upgrades.
#include "core/lists/CategoryList.h"
#include "core/storage/ArchiveWriter.h"
#include "core/storage/FixedObjectStore.h"
#include "core/system/LocaleCollator.h"
#include "core/lists/MasterList.h"

#include "common/FakeFixedObjectStore.h"

#include <QLocale>
#include <QtEndian>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr HRESULT kArchiveError = 0x8004050D;

using FakeStore = FakeFixedObjectStore;

std::uint32_t U32At(const QByteArray &b, qsizetype offset)
{
    return qFromLittleEndian<std::uint32_t>(b.constData() + offset);
}

QStringList Names(const CCategoryListBase &list)
{
    QStringList out;
    for (int i = 0; i < list.GetCount(); ++i)
        out << list.GetAt(i)->GetName();
    return out;
}

// Builds a blob by hand, so that readers are checked against the layout rather than the writer.
struct BlobBuilder
{
    QByteArray data;
    CArchiveWriter w{data};

    BlobBuilder &Header(std::uint32_t tag, std::uint32_t len1 = 0, std::uint32_t len2 = 0,
                        std::uint32_t tag2 = 0)
    {
        w.WriteU32(tag);
        w.WriteU32(len1);
        w.WriteU32(12);
        w.WriteU32(tag2 ? tag2 : tag);
        w.WriteU32(len2);
        return *this;
    }
    BlobBuilder &U32(std::uint32_t v)
    {
        w.WriteU32(v);
        return *this;
    }
    BlobBuilder &Record(const QString &name, COLORREF colour)
    {
        w.WriteU32(CCategory::kTag);
        w.WriteU32(colour);
        w.WriteString(name);
        w.WriteZeros(84);
        return *this;
    }
    BlobBuilder &Name(const QString &name)
    {
        w.WriteString(name);
        return *this;
    }
    BlobBuilder &Zeros(int n)
    {
        w.WriteZeros(n);
        return *this;
    }
};

class CategoryLists : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_saved = QLocale();
        UseLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { UseLocale(m_saved); }
    static void UseLocale(const QLocale &locale)
    {
        QLocale::setDefault(locale);
        ResetLocaleCollator();
    }

  private:
    QLocale m_saved;
};

TEST_F(CategoryLists, EmptyBlobIs284Bytes)
{
    const CCategoryList locations;
    const CMasterList categories;
    for (const CCategoryListBase *list : {static_cast<const CCategoryListBase *>(&locations),
                                          static_cast<const CCategoryListBase *>(&categories)}) {
        const std::uint32_t tag = list->GetTag();
        QByteArray blob;
        ASSERT_EQ(list->BuildBlob(blob), S_OK);
        // 28 bytes of header, format and count, 252 reserved, padded from 280 to 284.
        ASSERT_EQ(blob.size(), 284);
        EXPECT_EQ(U32At(blob, 0), tag);
        EXPECT_EQ(U32At(blob, 4), 284u);
        EXPECT_EQ(U32At(blob, 8), 12u);
        EXPECT_EQ(U32At(blob, 12), tag);
        EXPECT_EQ(U32At(blob, 16), 284u);
        EXPECT_EQ(U32At(blob, 20), 0x00020005u);
        EXPECT_EQ(U32At(blob, 24), 0u);
        EXPECT_EQ(blob.mid(28), QByteArray(256, '\0'));
    }
}

TEST_F(CategoryLists, RecordLayoutAndPadding)
{
    CMasterList list;
    list.Add(CCategory(QStringLiteral("Home"), 0x123456));
    QByteArray blob;
    ASSERT_EQ(list.BuildBlob(blob), S_OK);
    // 28 + record (4 + 4 + 1 + 4 + 84) + 252 = 377; 377 - 12 = 365 pads to 368.
    ASSERT_EQ(blob.size(), 380);
    EXPECT_EQ(U32At(blob, 4), 380u);
    EXPECT_EQ(U32At(blob, 24), 1u);
    EXPECT_EQ(blob.mid(28, 4), QByteArray("\x54\x41\x43\x01", 4));
    EXPECT_EQ(U32At(blob, 32), 0x123456u);
    EXPECT_EQ(blob.mid(36, 5), QByteArray("\x04Home"));
    EXPECT_EQ(blob.mid(41), QByteArray(380 - 41, '\0'));
}

TEST_F(CategoryLists, NameLengthFormsSurviveSaveAndLoad)
{
    // Name bytes -> length prefix bytes in the record.
    const std::pair<int, int> lengths[] = {{0, 1}, {254, 1}, {255, 3}, {65533, 3}, {65534, 7}, {65535, 7}};
    for (auto [bytes, prefix] : lengths) {
        FakeStore store;
        CMasterList list;
        const QString name(bytes, QLatin1Char('n'));
        list.Add(CCategory(name, 7));
        ASSERT_EQ(list.Save(store), S_OK);
        const QByteArray &blob = store.objects[kFixedMasterCategories];
        const qsizetype unpadded = 28 + 8 + prefix + bytes + 84 + 252;
        EXPECT_EQ(blob.size(), unpadded + (16 - (unpadded - 12) % 16) % 16) << bytes;

        CMasterList back;
        ASSERT_EQ(back.Load(store), S_OK) << bytes;
        ASSERT_EQ(back.GetCount(), 1);
        EXPECT_EQ(*back.GetAt(0), CCategory(name, 7)) << bytes;
    }
}

TEST_F(CategoryLists, LocationListSortsInTheLocaleOrderKeepingDuplicatesInArrival)
{
    CCategoryList list;
    const std::pair<const char *, COLORREF> added[] = {
        {"beta", 1},
        {"Zeta", 2},
        {"alpha", 3},
        {"\xC3\x89"
         "clair",
         4},
        {"Beta", 5},
        {"beta", 6},
        {"eclair", 7},
        {"Alpha", 8},
        {"zeta", 9},
    };
    for (auto [name, colour] : added)
        ASSERT_TRUE(list.Add(CCategory(QString::fromUtf8(name), colour)));

    const std::pair<const char *, COLORREF> expected[] = {
        {"alpha", 3},
        {"Alpha", 8},
        {"beta", 1},
        {"beta", 6},
        {"Beta", 5},
        {"eclair", 7},
        {"\xC3\x89"
         "clair",
         4},
        {"zeta", 9},
        {"Zeta", 2},
    };
    ASSERT_EQ(list.GetCount(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(list.GetAt(i)->GetName(), QString::fromUtf8(expected[i].first)) << i;
        EXPECT_EQ(list.GetAt(i)->GetColor(), expected[i].second) << i;
    }
}

TEST_F(CategoryLists, SortOrderFollowsTheCurrentLocale)
{
    const QStringList names = {QStringLiteral("zebra"), QString::fromUtf8("\xC3\xB6l"),
                               QStringLiteral("orm")};
    auto sorted = [&names] {
        CCategoryList list;
        for (const auto &n : names)
            list.Add(CCategory(n));
        return Names(list);
    };
    UseLocale(QLocale(QLocale::Swedish, QLocale::Sweden));
    EXPECT_EQ(sorted(),
              (QStringList{QStringLiteral("orm"), QStringLiteral("zebra"), QString::fromUtf8("\xC3\xB6l")}));
    UseLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(sorted(),
              (QStringList{QString::fromUtf8("\xC3\xB6l"), QStringLiteral("orm"), QStringLiteral("zebra")}));
}

TEST_F(CategoryLists, MasterListKeepsTheOrderAdded)
{
    FakeStore store;
    CMasterList list;
    for (const char *n : {"Work", "Holiday", "Business", "Work"})
        list.Add(CCategory(QString::fromLatin1(n)));
    ASSERT_EQ(list.Save(store), S_OK);
    CMasterList back;
    ASSERT_EQ(back.Load(store), S_OK);
    EXPECT_EQ(Names(back), (QStringList{"Work", "Holiday", "Business", "Work"}));
}

TEST_F(CategoryLists, LoadSortsAStoredLocationListThatIsOutOfOrder)
{
    FakeStore store;
    store.objects[kFixedLocations] = BlobBuilder()
                                         .Header(CCategoryList::kListTag)
                                         .U32(0x00020005)
                                         .U32(3)
                                         .Record("Paris", 1)
                                         .Record("Berlin", 2)
                                         .Record("Oslo", 3)
                                         .Zeros(252)
                                         .data;
    CCategoryList list;
    ASSERT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(Names(list), (QStringList{"Berlin", "Oslo", "Paris"}));
    EXPECT_EQ(store.writes, 0);
}

TEST_F(CategoryLists, FindWithAndWithoutCase)
{
    CMasterList list;
    for (const char *n : {"\xC3\x84pfel", "Work", "work"})
        list.Add(CCategory(QString::fromUtf8(n)));
    EXPECT_EQ(list.Find(QStringLiteral("work"), true), 2);
    EXPECT_EQ(list.Find(QStringLiteral("work"), false), 1);
    EXPECT_EQ(list.Find(QString::fromUtf8("\xC3\xA4PFEL"), false), 0);
    EXPECT_EQ(list.Find(QString::fromUtf8("\xC3\xA4PFEL"), true), -1);
    EXPECT_EQ(list.Find(QStringLiteral("Wor"), false), -1);
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
}

TEST_F(CategoryLists, MissingLocationObjectIsWrittenEmpty)
{
    FakeStore store;
    CCategoryList list;
    list.Add(CCategory(QStringLiteral("stale")));
    ASSERT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(list.GetCount(), 0);
    ASSERT_EQ(store.writes, 1);
    EXPECT_EQ(store.objects[kFixedLocations].size(), 284);
    EXPECT_EQ(U32At(store.objects[kFixedLocations], 0), CCategoryList::kListTag);

    // The write's own failure is the load's result.
    FakeStore full;
    full.writeResult = 0x80070070;
    EXPECT_EQ(CCategoryList().Load(full), 0x80070070u);
}

TEST_F(CategoryLists, MissingMasterObjectLeavesTheListEmpty)
{
    FakeStore store;
    CMasterList list;
    list.Add(CCategory(QStringLiteral("stale")));
    EXPECT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(store.writes, 0);
}

TEST_F(CategoryLists, DataFileErrorsPassThrough)
{
    FakeStore store;
    store.readResult = 0x80040509; // missing object in a read-only file
    EXPECT_EQ(CCategoryList().Load(store), 0x80040509u);
    EXPECT_EQ(CMasterList().Load(store), 0x80040509u);
    EXPECT_EQ(store.writes, 0);

    FakeStore failing;
    failing.writeResult = 0x80070005;
    CMasterList list;
    list.Add(CCategory(QStringLiteral("a")));
    EXPECT_EQ(list.Save(failing), 0x80070005u);
}

struct DamagedBlob
{
    const char *what;
    QByteArray blob;
    int entriesKept;
};

TEST_F(CategoryLists, DamagedBlobsAreRefusedKeepingWhatWasRead)
{
    const std::uint32_t tag = CCategoryList::kListTag;
    const DamagedBlob cases[] = {
        {"empty header", BlobBuilder().U32(tag).data, 0},
        {"bad first tag", BlobBuilder().Header(0x12345678, 0, 0, tag).U32(0x20005).U32(0).Zeros(252).data, 0},
        {"bad second tag", BlobBuilder().Header(tag, 0, 0, 0x12345678).U32(0x20005).U32(0).Zeros(252).data,
         0},
        {"other list's tag", BlobBuilder().Header(CMasterList::kListTag).U32(0x20005).U32(0).Zeros(252).data,
         0},
        {"lengths differ", BlobBuilder().Header(tag, 284, 300).U32(0x20005).U32(0).Zeros(252).data, 0},
        {"no count", BlobBuilder().Header(tag).U32(0x20005).data, 0},
        {"fewer records than counted",
         BlobBuilder().Header(tag).U32(0x20005).U32(3).Record("a", 0).Record("b", 0).data, 2},
        {"record with a bad tag",
         BlobBuilder()
             .Header(tag)
             .U32(0x20005)
             .U32(2)
             .Record("a", 0)
             .U32(0x01434155)
             .U32(0)
             .Name("b")
             .Zeros(84)
             .data,
         1},
        {"record cut in its reserved bytes",
         BlobBuilder().Header(tag).U32(0x20005).U32(1).U32(CCategory::kTag).U32(0).Name("a").Zeros(40).data,
         0},
        {"reserved bytes missing",
         BlobBuilder().Header(tag).U32(0x20005).U32(1).Record("a", 0).Zeros(100).data, 1},
        {"count far beyond the data",
         BlobBuilder().Header(tag).U32(0x20005).U32(0xFFFFFFFF).Record("a", 0).data, 1},
        {"name longer than the data",
         BlobBuilder()
             .Header(tag)
             .U32(0x20005)
             .U32(1)
             .U32(CCategory::kTag)
             .U32(0)
             .U32(0xFFFFFFFF)
             .U32(0xFFFFFFFF)
             .data,
         0},
    };
    for (const auto &c : cases) {
        FakeStore store;
        store.objects[kFixedLocations] = c.blob;
        CCategoryList list;
        EXPECT_EQ(list.Load(store), kArchiveError) << c.what;
        EXPECT_EQ(list.GetCount(), c.entriesKept) << c.what;
        EXPECT_EQ(store.writes, 0) << c.what;
    }
}

TEST_F(CategoryLists, LengthFieldsAreComparedWithEachOtherOnly)
{
    // The two length fields are compared with each other, not with the blob's size.
    FakeStore store;
    store.objects[kFixedMasterCategories] =
        BlobBuilder().Header(CMasterList::kListTag, 7, 7).U32(0x20005).U32(1).Record("a", 9).Zeros(252).data;
    CMasterList list;
    EXPECT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(CategoryLists, FilesOfOlderFormatsHaveNoFormatWord)
{
    FakeStore store;
    store.format = kDataFormat10004;
    store.objects[kFixedLocations] = BlobBuilder()
                                         .Header(CCategoryList::kListTag)
                                         .U32(2)
                                         .Record("Rome", 1)
                                         .Record("Lima", 2)
                                         .Zeros(252)
                                         .data;
    CCategoryList list;
    ASSERT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(Names(list), (QStringList{"Lima", "Rome"}));
}

TEST_F(CategoryLists, ConversionRewritesTheLocationListInTheCurrentLayout)
{
    FakeStore store;
    store.format = kDataFormat10004;
    store.objects[kFixedLocations] = BlobBuilder()
                                         .Header(CCategoryList::kListTag)
                                         .U32(2)
                                         .Record("Rome", 1)
                                         .Record("Lima", 2)
                                         .Zeros(252)
                                         .data;
    CCategoryList list;
    ASSERT_EQ(list.Convert(store), S_OK);
    ASSERT_EQ(store.writes, 1);

    store.format = kDataFormatCurrent; // the converted file validates as current
    CCategoryList back;
    ASSERT_EQ(back.Load(store), S_OK);
    EXPECT_EQ(Names(back), (QStringList{"Lima", "Rome"}));
    EXPECT_EQ(back.GetAt(0)->GetColor(), 2u);
}

TEST_F(CategoryLists, OlderMasterLayoutConvertsAndIsSavedAgain)
{
    // Three names, a skipped word, two colours for the first two entries, 252 reserved bytes.
    FakeStore store;
    store.format = kDataFormat10001;
    store.objects[kFixedMasterCategories] = BlobBuilder()
                                                .Header(CMasterList::kListTag, 99, 99)
                                                .U32(3)
                                                .Name("Work")
                                                .Name("Home")
                                                .Name("Private")
                                                .U32(0xDEADBEEF)
                                                .U32(2)
                                                .U32(0x0000FF)
                                                .U32(0x00FF00)
                                                .Zeros(252)
                                                .data;
    CMasterList list;
    ASSERT_EQ(list.Convert(store), S_OK);
    EXPECT_EQ(Names(list), (QStringList{"Work", "Home", "Private"}));
    EXPECT_EQ(list.GetAt(0)->GetColor(), 0x0000FFu);
    EXPECT_EQ(list.GetAt(1)->GetColor(), 0x00FF00u);
    EXPECT_EQ(list.GetAt(2)->GetColor(), 0u);
    ASSERT_EQ(store.writes, 1);

    store.format = kDataFormatCurrent;
    CMasterList back;
    ASSERT_EQ(back.Load(store), S_OK);
    EXPECT_EQ(Names(back), Names(list));
    EXPECT_EQ(back.GetAt(1)->GetColor(), 0x00FF00u);
}

TEST_F(CategoryLists, OlderMasterLayoutEdges)
{
    const std::uint32_t tag = CMasterList::kListTag;
    {
        // More colours than names: the extra ones belong to nobody.
        CMasterList list;
        const QByteArray blob =
            BlobBuilder().Header(tag).U32(1).Name("Only").U32(0).U32(3).U32(5).U32(6).U32(7).Zeros(252).data;
        ASSERT_EQ(list.ReadOldBlob(blob), S_OK);
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list.GetAt(0)->GetColor(), 5u);
    }
    {
        // Cut in the colours: refused, the names read so far stay.
        CMasterList list;
        const QByteArray blob =
            BlobBuilder().Header(tag).U32(2).Name("A").Name("B").U32(0).U32(1000).U32(5).data;
        EXPECT_EQ(list.ReadOldBlob(blob), kArchiveError);
        EXPECT_EQ(list.GetCount(), 2);
    }
    {
        // A damaged old blob is not written back.
        FakeStore store;
        store.objects[kFixedMasterCategories] = BlobBuilder().Header(tag, 1, 2).U32(0).data;
        EXPECT_EQ(CMasterList().Convert(store), kArchiveError);
        EXPECT_EQ(store.writes, 0);
    }
}

// A list whose blob cannot be built, as when memory runs out.
class UnbuildableList : public CMasterList
{
  public:
    HRESULT BuildBlob(QByteArray &) const override { return HresultFromSystem(14); }
};

TEST_F(CategoryLists, ABlobThatCannotBeBuiltIsAnErrorAndNothingIsWritten)
{
    FakeStore store;
    UnbuildableList list;
    const HRESULT hr = list.Save(store);
    EXPECT_TRUE(Failed(hr));
    EXPECT_NE(hr, S_FALSE);
    EXPECT_EQ(store.writes, 0);
}

TEST_F(CategoryLists, CopyToAndSetCategories)
{
    CCategoryList list;
    for (const char *n : {"c", "a", "b"})
        list.Add(CCategory(QString::fromLatin1(n)));
    CategoryArray copy;
    copy.push_back(std::make_unique<CCategory>(QStringLiteral("existing")));
    ASSERT_TRUE(list.CopyTo(copy));
    ASSERT_EQ(copy.size(), 4u);
    EXPECT_EQ(copy[1]->GetName(), QStringLiteral("a"));
    copy[1]->SetName(QStringLiteral("changed")); // copies, not the list's own entries
    EXPECT_EQ(list.GetAt(0)->GetName(), QStringLiteral("a"));

    // Order given: taken slots become null; bad and repeated indexes are passed over.
    const std::vector<int> order = {3, 0, 9, -1, 3, 2};
    ASSERT_TRUE(list.SetCategories(copy, &order));
    EXPECT_EQ(Names(list), (QStringList{"c", "existing", "b"}));
    EXPECT_EQ(copy[0], nullptr);
    EXPECT_NE(copy[1], nullptr);
    EXPECT_EQ(copy[2], nullptr);
    EXPECT_EQ(copy[3], nullptr);

    // The list stands in the caller's order now; a new name goes before the first that sorts after it.
    list.Add(CCategory(QStringLiteral("d")));
    EXPECT_EQ(Names(list), (QStringList{"c", "d", "existing", "b"}));
}

} // namespace
