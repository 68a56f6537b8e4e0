// The item-type list: the predefined types of a new data file, the blob round trip (types, icons,
// filters, current filter name), older list formats, default types, sorted insertion with its icons,
// replacing types and filters, and damaged blobs.
#include "core/lists/ItemTypeList.h"
#include "common/FakeFixedObjectStore.h"
#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"
#include "core/lists/ColorRules.h"
#include "core/lists/ItemTypeArt.h"
#include "core/system/LocaleCollator.h"
#include "core/system/ProgramPaths.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

constexpr HRESULT kArchiveError = 0x8004050D;

// An icon that tells its size and seed apart from every other.
ImagePixels Icon(int size, int seed)
{
    ImagePixels p(std::size_t(size) * size);
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = (i + std::size_t(seed)) % 5 == 0 ? 0 : 0xFF000000u | std::uint32_t(seed * 0x10101 + int(i));
    return p;
}

class FakeArt : public IItemTypeArt
{
  public:
    bool GetPredefinedIcons(int size, std::vector<ImagePixels> &icons) const override
    {
        icons.clear();
        for (int i = 0; i < 11; ++i)
            icons.push_back(Icon(size, 100 + i));
        return true;
    }
    bool InstallSound(const QString &fileName, const QString &path) const override
    {
        installed.append(fileName + QLatin1Char('>') + path);
        return true;
    }
    mutable QStringList installed;
};

QStringList Names(const CItemTypeList &list)
{
    QStringList out;
    for (int i = 0; i < list.GetTypeCount(); ++i)
        out << list.GetType(i)->GetName();
    return out;
}

CItemType Type(const QString &name, std::uint32_t flags = CItemType::kNewFlags)
{
    CItemType t(name);
    t.SetFlags(flags);
    return t;
}

CItemFilter Filter(const QString &name, std::uint32_t flags = CItemFilter::FF_OR)
{
    CItemFilter f;
    f.SetName(name);
    f.SetFlags(flags);
    f.SetItemTypeNames({QStringLiteral("Meeting")});
    f.SetCategoryNames({QStringLiteral("Home"), QStringLiteral("Work")});
    return f;
}

// Writes a type list blob by hand in the layouts older files carry.
QByteArray HandBlob(const std::vector<CItemType> &types, bool withReserved, bool withTail,
                    std::uint32_t listFormat = CItemTypeList::kListFormat, int smallImages = -1)
{
    QByteArray out;
    CArchiveWriter w(out);
    w.WriteU32(CItemTypeList::kListTag);
    w.WriteU32(0);
    w.WriteU32(12);
    w.WriteU32(CItemTypeList::kListTag);
    w.WriteU32(0);
    w.WriteU32(std::uint32_t(types.size()));
    CImageList small(16, 16), large(32, 32);
    for (std::size_t i = 0; i < types.size(); ++i)
        large.Add(Icon(32, int(i)));
    for (int i = 0; i < (smallImages < 0 ? int(types.size()) : smallImages); ++i)
        small.Add(Icon(16, i));
    small.Write(w);
    large.Write(w);
    for (const CItemType &t : types) {
        QByteArray record;
        CArchiveWriter rw(record);
        t.Write(rw);
        if (!withReserved)
            record.chop(CItemType::kReservedBytes);
        w.WriteBytes(record);
    }
    if (withTail) {
        w.WriteU32(0);
        w.WriteU32(listFormat);
        w.WriteZeros(200);
        w.WriteString(QString());
        w.WriteString(QString());
        w.WriteZeros(50);
    }
    w.WriteZeros((16 - (out.size() - 12) % 16) % 16);
    w.PatchU32(4, std::uint32_t(out.size()));
    w.PatchU32(16, std::uint32_t(out.size()));
    return out;
}

class ItemTypeLists : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_savedLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ResetLocaleCollator();
        SetStandardFolders({m_dir.path(), m_dir.path(), m_dir.path()});
        SetItemTypeArt(&m_art);
        SetDisplayDepthSource([] { return 32; });
    }
    void TearDown() override
    {
        SetDisplayDepthSource({});
        SetItemTypeArt(nullptr);
        ResetStandardFolders();
        QLocale::setDefault(m_savedLocale);
        ResetLocaleCollator();
    }

    QTemporaryDir m_dir;
    FakeArt m_art;
    QLocale m_savedLocale;
};

} // namespace

TEST_F(ItemTypeLists, NewDataFileGetsThePredefinedTypes)
{
    FakeFixedObjectStore store;
    CItemTypeList list;
    ASSERT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(Names(list),
              QStringList({"Alarm", "Anniversary", "Appointment", "Birthday", "Holiday", "Internet",
                           "Meeting", "Payment", "Phone Call", "Travel", "TV program"}));
    EXPECT_EQ(list.GetType(list.GetDefaultEventType())->GetName(), QStringLiteral("Appointment"));
    EXPECT_EQ(list.GetType(list.GetDefaultTaskType())->GetName(), QStringLiteral("Alarm"));
    EXPECT_EQ(list.GetUndefinedType().GetName(), QStringLiteral("< undefined >"));
    EXPECT_EQ(list.GetFilterCount(), 0);
    ASSERT_EQ(store.objects.count(kFixedItemTypes), 1u);

    // A few rows in full: flags, lead, the high-colour pair and the sound.
    const CItemType *alarm = list.GetType(0);
    EXPECT_EQ(alarm->GetFlags(), 0x169u);
    EXPECT_EQ(alarm->GetTextColor(), 0x400080u);
    EXPECT_EQ(alarm->GetFillColor(), 0xA4A2FBu);
    EXPECT_EQ(alarm->GetGradientColors(), MakeGradientPair(0xA4A2FB));
    EXPECT_EQ(alarm->GetSound().GetMode(), CReminderSound::SoundFile);
    EXPECT_EQ(alarm->GetSound().GetPath(),
              QDir(m_dir.path()).filePath("Zemblar Software/Tessivo/Sounds/Alarm.wav"));
    EXPECT_EQ(alarm->GetSound().GetRepeatSeconds(), 30);
    EXPECT_EQ(list.GetType(1)->GetReminderLead().GetTotalMinutes(), 1440.0);
    EXPECT_EQ(list.GetType(2)->GetFlags(), 0xF9u);
    EXPECT_EQ(list.GetType(2)->GetReminderLead().GetTotalMinutes(), 5.0);
    EXPECT_EQ(list.GetType(5)->GetSound().GetMode(), CReminderSound::NoSound);      // Internet
    EXPECT_EQ(list.GetType(10)->GetSound().GetMode(), CReminderSound::DefaultBeep); // TV program
    EXPECT_EQ(m_art.installed.size(), 9);
    EXPECT_TRUE(
        m_art.installed.contains(QStringLiteral("Reville.wav>") + list.GetType(9)->GetSound().GetPath()));

    // Icons from the art, one per type at its index.
    for (int i = 0; i < 11; ++i) {
        ImagePixels large, small;
        ASSERT_TRUE(list.GetTypeIcons(i, large, small));
        EXPECT_EQ(small, Icon(16, 100 + i));
        EXPECT_EQ(large, Icon(32, 100 + i));
    }
    ImagePixels large, small;
    EXPECT_FALSE(list.GetTypeIcons(11, large, small));
    EXPECT_FALSE(list.GetTypeIcons(-1, large, small));
}

TEST_F(ItemTypeLists, FewColoursTakeTheLowColourPair)
{
    SetDisplayDepthSource([] { return 8; });
    CItemTypeList list;
    ASSERT_EQ(list.CreatePredefinedTypes(), S_OK);
    EXPECT_EQ(list.GetType(0)->GetTextColor(), 0xFFFFFFu);
    EXPECT_EQ(list.GetType(0)->GetFillColor(), 0x0000FFu);
    EXPECT_EQ(list.GetType(6)->GetFillColor(), 0xC0C0C0u);
}

TEST_F(ItemTypeLists, WithoutArtThePredefinedTypesGetBlankIcons)
{
    SetItemTypeArt(nullptr);
    CItemTypeList list;
    ASSERT_EQ(list.CreatePredefinedTypes(), S_OK);
    ASSERT_EQ(list.GetSmallImages().GetImageCount(), 11);
    EXPECT_EQ(*list.GetSmallImages().GetImage(3), ImagePixels(256, 0));
}

TEST_F(ItemTypeLists, BlobRoundTrip)
{
    FakeFixedObjectStore store;
    CItemTypeList list;
    ASSERT_EQ(list.Load(store), S_OK);

    CItemType custom = Type(QStringLiteral("Zebra crossing"), 0x12345603);
    custom.SetReminderLead(CDateSpan(0, 2, 30, 0));
    custom.SetTextColor(0x010203);
    custom.SetFillColor(0x405060);
    LogFont font;
    font.height = -13;
    font.weight = 700;
    font.italic = 1;
    font.SetFaceName(QStringLiteral("DejaVu Sans"));
    custom.SetFont(font);
    CReminderSound sound;
    sound.SetMode(CReminderSound::SoundFile);
    sound.SetRepeat(true);
    sound.SetRepeatDelay(2, 5);
    sound.SetPath(QStringLiteral("/home/u/bell \u00e9.wav"));
    custom.SetSound(sound);
    ASSERT_TRUE(list.AddType(custom, Icon(32, 7), Icon(16, 7)));
    ASSERT_TRUE(list.AddFilter(Filter(QStringLiteral("Work"))));
    ASSERT_TRUE(list.AddFilter(Filter(QStringLiteral("Caf\u00e9 & co"), CItemFilter::FF_NO_CATEGORIES)));
    list.SetCurrentFilterName(QStringLiteral("Work"));
    ASSERT_EQ(list.Save(store), S_OK);

    const QByteArray &blob = store.objects[kFixedItemTypes];
    const auto u32 = [&](int at) { return qFromLittleEndian<std::uint32_t>(blob.constData() + at); };
    EXPECT_EQ(u32(0), 0xFF505954u);
    EXPECT_EQ(u32(4), std::uint32_t(blob.size()));
    EXPECT_EQ(u32(8), 12u);
    EXPECT_EQ(u32(12), 0xFF505954u);
    EXPECT_EQ(u32(16), std::uint32_t(blob.size()));
    EXPECT_EQ(u32(20), 12u);
    EXPECT_EQ((blob.size() - 12) % 16, 0);

    CItemTypeList back;
    ASSERT_EQ(back.Load(store), S_OK);
    ASSERT_EQ(back.GetTypeCount(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(*back.GetType(i), *list.GetType(i)) << i;
    EXPECT_EQ(back.GetType(11)->GetFont(), font);
    EXPECT_EQ(back.GetType(11)->GetGradientColors(), MakeGradientPair(0x405060));
    EXPECT_EQ(back.GetSmallImages(), list.GetSmallImages());
    EXPECT_EQ(back.GetLargeImages(), list.GetLargeImages());
    EXPECT_EQ(back.GetDefaultEventType(), list.GetDefaultEventType());
    EXPECT_EQ(back.GetDefaultTaskType(), list.GetDefaultTaskType());
    ASSERT_EQ(back.GetFilterCount(), 2);
    EXPECT_TRUE(back.GetFilter(0)->Equals(*list.GetFilter(0)));
    EXPECT_TRUE(back.GetFilter(1)->Equals(*list.GetFilter(1)));
    EXPECT_EQ(back.GetCurrentFilterName(), QStringLiteral("Work"));
    // A current list is not written again on load.
    EXPECT_EQ(store.writes, 2);
}

TEST_F(ItemTypeLists, OlderListFormatsUpgradeAndSaveAgain)
{
    const std::vector<CItemType> types = {Type(QStringLiteral("Birthday"), 0x69),
                                          Type(QStringLiteral("Custom"), 0x69),
                                          Type(QStringLiteral("Internet"), 0x79)};
    const struct
    {
        const char *what;
        std::uint32_t dataFormat;
        QByteArray blob;
        bool upgraded;
    } cases[] = {
        {"first file format: no reserved bytes, no filters", kDataFormat10001, HandBlob(types, false, false),
         true},
        {"list format 0x10007", kDataFormatCurrent, HandBlob(types, true, true, 0x10007), true},
        {"list format 0x10008", kDataFormatCurrent, HandBlob(types, true, true, 0x10008), false},
    };
    for (const auto &c : cases) {
        FakeFixedObjectStore store;
        store.format = c.dataFormat;
        store.objects[kFixedItemTypes] = c.blob;
        CItemTypeList list;
        ASSERT_EQ(list.Load(store), S_OK) << c.what;
        ASSERT_EQ(Names(list), QStringList({"Birthday", "Custom", "Internet"})) << c.what;
        // Only the predefined name whose row carries the busy-days flag gets it.
        EXPECT_EQ(list.GetType(0)->GetFlags(), c.upgraded ? 0x1E9u : 0x169u) << c.what;
        EXPECT_EQ(list.GetType(1)->GetFlags(), 0x69u) << c.what;
        EXPECT_EQ(list.GetType(2)->GetFlags(), 0x79u) << c.what;
        EXPECT_EQ(store.writes, c.upgraded ? 1 : 0) << c.what;
        if (!c.upgraded)
            continue;
        // The rewritten blob is in the current layout and reads back the same.
        store.format = kDataFormatCurrent;
        CItemTypeList back;
        ASSERT_EQ(back.Load(store), S_OK) << c.what;
        EXPECT_EQ(store.writes, 1) << c.what;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(*back.GetType(i), *list.GetType(i)) << c.what;
        EXPECT_EQ(back.GetSmallImages(), list.GetSmallImages()) << c.what;
    }
}

TEST_F(ItemTypeLists, OnlyTheFirstFlaggedDefaultKeepsTheFlag)
{
    const std::vector<CItemType> types = {
        Type("A", 0x01), Type("B", 0x01 | CItemType::kFlagDefaultEvent),
        Type("C", 0x01 | CItemType::kFlagDefaultTask),
        Type("D", CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask)};
    FakeFixedObjectStore store;
    store.objects[kFixedItemTypes] = HandBlob(types, true, true);
    CItemTypeList list;
    ASSERT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(list.GetDefaultEventType(), 1);
    EXPECT_EQ(list.GetDefaultTaskType(), 2);
    EXPECT_EQ(list.GetType(3)->GetFlags(), 0u);

    // None flagged: the first type becomes both.
    store.objects[kFixedItemTypes] = HandBlob({Type("A", 0), Type("B", 0)}, true, true);
    ASSERT_EQ(list.Load(store), S_OK);
    EXPECT_EQ(list.GetDefaultEventType(), 0);
    EXPECT_EQ(list.GetDefaultTaskType(), 0);
    EXPECT_EQ(list.GetType(0)->GetFlags(), 0x110u);
}

TEST_F(ItemTypeLists, AddTypeSortsItInWithItsIconsAndKeepsTheDefaults)
{
    CItemTypeList list;
    ASSERT_EQ(list.CreatePredefinedTypes(), S_OK);
    const ImagePixels formerFirst = *list.GetSmallImages().GetImage(0);

    // Flagged as a default the list already has: the flag does not come along.
    ASSERT_TRUE(
        list.AddType(Type("Aardvark", 0x68 | CItemType::kFlagDefaultEvent), Icon(32, 1), Icon(16, 1)));
    EXPECT_EQ(list.GetType(0)->GetName(), QStringLiteral("Aardvark"));
    EXPECT_EQ(list.GetType(0)->GetFlags(), 0x68u);
    EXPECT_EQ(*list.GetSmallImages().GetImage(0), Icon(16, 1));
    EXPECT_EQ(*list.GetLargeImages().GetImage(0), Icon(32, 1));
    EXPECT_EQ(*list.GetSmallImages().GetImage(1), formerFirst);
    EXPECT_EQ(list.GetType(list.GetDefaultEventType())->GetName(), QStringLiteral("Appointment"));
    EXPECT_EQ(list.GetType(list.GetDefaultTaskType())->GetName(), QStringLiteral("Alarm"));

    // Sorted by the locale, case-sensitively after an equal name, at the end when last.
    ASSERT_TRUE(list.AddType(Type("alarm"), Icon(32, 2), Icon(16, 2)));
    ASSERT_TRUE(list.AddType(Type("Zulu"), Icon(32, 3), Icon(16, 3)));
    EXPECT_EQ(Names(list).mid(0, 3), QStringList({"Aardvark", "alarm", "Alarm"}));
    EXPECT_EQ(Names(list).last(), QStringLiteral("Zulu"));
    EXPECT_EQ(*list.GetSmallImages().GetImage(list.GetTypeCount() - 1), Icon(16, 3));

    // An icon that does not fit changes nothing.
    const QStringList before = Names(list);
    EXPECT_FALSE(list.AddType(Type("Bad"), Icon(16, 4), Icon(16, 4)));
    EXPECT_EQ(Names(list), before);
    EXPECT_EQ(list.GetSmallImages().GetImageCount(), list.GetTypeCount());
    EXPECT_EQ(list.GetLargeImages().GetImageCount(), list.GetTypeCount());
}

TEST_F(ItemTypeLists, AHundredTypesAndAHundredFiltersAtMost)
{
    CItemTypeList list;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(list.AddType(Type(QStringLiteral("T%1").arg(i, 3, 10, QLatin1Char('0'))), Icon(32, i),
                                 Icon(16, i)));
    EXPECT_FALSE(list.AddType(Type("T999"), Icon(32, 0), Icon(16, 0)));
    EXPECT_EQ(list.GetTypeCount(), 100);
    // The first type added to the empty list became both defaults, and stays so.
    EXPECT_EQ(list.GetDefaultEventType(), 0);
    EXPECT_EQ(list.GetDefaultTaskType(), 0);

    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(list.AddFilter(Filter(QString::number(i))));
    EXPECT_FALSE(list.AddFilter(Filter("one more")));
    EXPECT_EQ(list.GetFilterCount(), 100);

    // A full list still saves and loads.
    FakeFixedObjectStore store;
    ASSERT_EQ(list.Save(store), S_OK);
    CItemTypeList back;
    ASSERT_EQ(back.Load(store), S_OK);
    EXPECT_EQ(back.GetTypeCount(), 100);
    EXPECT_EQ(back.GetFilterCount(), 100);
}

TEST_F(ItemTypeLists, SetTypesTakesTheOrderAndTheIconsAtTheOldPlaces)
{
    CItemTypeList list;
    ASSERT_EQ(list.CreatePredefinedTypes(), S_OK);
    ItemTypeArray edit;
    CImageList large, small;
    ASSERT_TRUE(list.CopyTypes(edit, large, small));
    ASSERT_EQ(edit.size(), 11u);

    // Meeting, then Alarm, then Travel; Travel is also flagged as a default of both kinds.
    edit[9]->SetFlags(edit[9]->GetFlags() | CItemType::kFlagDefaultEvent | CItemType::kFlagDefaultTask);
    edit[6]->SetFillColor(0x00FF00);
    const std::vector<int> order = {6, 0, 9, 42, 6};
    ASSERT_TRUE(list.SetTypes(edit, large, small, &order));
    EXPECT_EQ(Names(list), QStringList({"Meeting", "Alarm", "Travel"}));
    EXPECT_EQ(*list.GetSmallImages().GetImage(0), Icon(16, 106));
    EXPECT_EQ(*list.GetLargeImages().GetImage(2), Icon(32, 109));
    EXPECT_EQ(list.GetType(0)->GetGradientColors(), MakeGradientPair(0x00FF00));
    EXPECT_EQ(list.GetDefaultEventType(), 2);
    EXPECT_EQ(list.GetDefaultTaskType(), 2);
    EXPECT_FALSE(list.GetType(1)->HasFlag(CItemType::kFlagDefaultTask));
    EXPECT_EQ(edit[6], nullptr);
    EXPECT_NE(edit[1], nullptr);

    // The defaults survive a save and a load.
    FakeFixedObjectStore store;
    ASSERT_EQ(list.Save(store), S_OK);
    CItemTypeList back;
    ASSERT_EQ(back.Load(store), S_OK);
    EXPECT_EQ(back.GetDefaultEventType(), 2);
    EXPECT_EQ(back.GetDefaultTaskType(), 2);
}

TEST_F(ItemTypeLists, FindingTypesAndFilters)
{
    CItemTypeList list;
    ASSERT_EQ(list.CreatePredefinedTypes(), S_OK);
    EXPECT_EQ(list.FindType(QStringLiteral("Meeting")), 6);
    EXPECT_EQ(list.FindType(QStringLiteral("meeting")), -1);
    EXPECT_EQ(list.FindTypeByPrefix(QStringLiteral("mee")), 6);
    EXPECT_EQ(list.FindTypeByPrefix(QStringLiteral("A")), 0);
    EXPECT_EQ(list.FindTypeByPrefix(QStringLiteral("Xyz")), -1);
    EXPECT_EQ(list.GetType(11), nullptr);
    EXPECT_EQ(list.GetTypeSound(-1), nullptr);
    ItemTypeInfo info;
    ASSERT_TRUE(list.GetTypeInfo(2, info));
    EXPECT_EQ(info.name, QStringLiteral("Appointment"));
    EXPECT_EQ(info.flags, 0xF9u);

    list.AddFilter(Filter(QStringLiteral("Work")));
    list.AddFilter(Filter(QStringLiteral("Home")));
    EXPECT_EQ(list.FindFilter(QStringLiteral("HOME")), 1);
    EXPECT_EQ(list.FindFilter(QStringLiteral("Hom")), -1);
    EXPECT_EQ(list.GetFilter(2), nullptr);
}

TEST_F(ItemTypeLists, SetFiltersTakesTheWorkingListInRowOrder)
{
    CItemTypeList list;
    ItemFilterArray working;
    for (const char *name : {"b", "C", "a"})
        working.push_back(std::make_unique<CItemFilter>(Filter(QString::fromLatin1(name))));
    const std::vector<int> rows = {2, 0, 1};
    ASSERT_TRUE(list.SetFilters(working, &rows));
    ASSERT_EQ(list.GetFilterCount(), 3);
    EXPECT_EQ(list.GetFilter(0)->GetName(), QStringLiteral("a"));
    EXPECT_EQ(list.GetFilter(2)->GetName(), QStringLiteral("C"));
    EXPECT_EQ(working[0], nullptr);

    ItemFilterArray copies;
    ASSERT_TRUE(list.CopyFilters(copies));
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_TRUE(copies[1]->Equals(*list.GetFilter(1)));
    EXPECT_NE(copies[1].get(), list.GetFilter(1));
}

TEST_F(ItemTypeLists, ErrorsOfTheDataFileAreReported)
{
    CItemTypeList list;
    ASSERT_EQ(list.CreatePredefinedTypes(), S_OK);
    ItemFilterArray filters;
    filters.push_back(std::make_unique<CItemFilter>(Filter("Work")));
    ASSERT_TRUE(list.SetFilters(filters));

    FakeFixedObjectStore store;
    store.writeResult = 0x80070070; // disk full
    EXPECT_EQ(list.Save(store), 0x80070070u);

    // A new file whose predefined types cannot be stored says so.
    CItemTypeList fresh;
    EXPECT_EQ(fresh.Load(store), 0x80070070u);

    store.readResult = 0x80040509;
    EXPECT_EQ(fresh.Load(store), 0x80040509u);
    EXPECT_EQ(fresh.GetTypeCount(), 0);
}

TEST_F(ItemTypeLists, DamagedBlobsAreRefused)
{
    const std::vector<CItemType> types = {Type("A", 0x110), Type("B")};
    QByteArray unequal = HandBlob(types, true, true);
    qToLittleEndian(std::uint32_t(1), unequal.data() + 16);
    QByteArray badTag = HandBlob(types, true, true);
    badTag[12] = 'X';
    QByteArray tooMany = HandBlob(types, true, true);
    qToLittleEndian(std::uint32_t(101), tooMany.data() + 20);
    // Two small icons counted in a bitmap of two hundred (the small list's count is at 28).
    QByteArray hugeIcons = HandBlob(types, true, true, CItemTypeList::kListFormat, 200);
    qToLittleEndian(std::uint16_t(2), hugeIcons.data() + 28);
    const struct
    {
        const char *what;
        QByteArray blob;
    } cases[] = {
        {"fewer small icons than types", HandBlob(types, true, true, CItemTypeList::kListFormat, 1)},
        {"more small icons than types", HandBlob(types, true, true, CItemTypeList::kListFormat, 3)},
        {"small icon bitmap far beyond its count", hugeIcons},
        {"unequal lengths", unequal},
        {"bad tag", badTag},
        {"more than 100 types", tooMany},
        {"no tail in a current file", HandBlob(types, true, false)},
        {"records without reserved bytes in a current file", HandBlob(types, false, true)},
    };
    for (const auto &c : cases) {
        FakeFixedObjectStore store;
        store.objects[kFixedItemTypes] = c.blob;
        CItemTypeList list;
        EXPECT_EQ(list.Load(store), kArchiveError) << c.what;
        EXPECT_EQ(list.GetTypeCount(), 0) << c.what;
        EXPECT_EQ(list.GetSmallImages().GetImageCount(), 0) << c.what;
        EXPECT_EQ(store.writes, 0) << c.what;
    }
}

TEST_F(ItemTypeLists, EveryTruncationOrByteFlipFailsCleanly)
{
    CItemTypeList list;
    ASSERT_EQ(list.CreatePredefinedTypes(), S_OK);
    list.AddFilter(Filter("Work"));
    QByteArray good;
    ASSERT_EQ(list.BuildBlob(good), S_OK);
    // Densely over the headers and the records after the icons, sparsely over the icon pixels.
    const qsizetype recordsFrom = good.size() - 2000;
    auto next = [&](qsizetype at) { return at < 120 || at >= recordsFrom ? at + 7 : at + 1009; };
    // The last 15 bytes may be padding, which is not read.
    for (qsizetype cut = 0; cut < good.size() - 15; cut = next(cut)) {
        CItemTypeList back;
        bool upgrade = false;
        ASSERT_EQ(back.ReadBlob(good.left(cut), kDataFormatCurrent, upgrade), kArchiveError) << cut;
    }
    // Flipped bytes may read or fail, but never crash or leave icons and types apart.
    for (qsizetype at = 0; at < good.size(); at = next(at)) {
        QByteArray bad = good;
        bad[at] = char(~std::uint8_t(bad[at]));
        CItemTypeList back;
        bool upgrade = false;
        back.ReadBlob(bad, kDataFormatCurrent, upgrade);
        EXPECT_EQ(back.GetSmallImages().GetImageCount(), back.GetTypeCount()) << at;
        EXPECT_EQ(back.GetLargeImages().GetImageCount(), back.GetTypeCount()) << at;
    }
}
