// The ".ico" reader: which images it takes for an item type, and that short or lying files are
// refused without reading past their end (the kept fuzz inputs are replayed here too).
#include "editing/types/IconFileReader.h"

#include "common/TestData.h"
#include "fuzz/IconFileFuzzInput.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using IconFileFuzz::IconFile;

void PutU32(QByteArray &b, int at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

TEST(IconFileReaderTest, TakesTheDeepestPaletteImagesOfBothSizes)
{
    CIconFileReader reader;
    ASSERT_TRUE(reader.Read(IconFileFuzz::Seed()));
    ASSERT_EQ(reader.Entries().size(), 4u);
    ImagePixels small, large;
    ASSERT_TRUE(reader.PickItemTypeIcons(small, large));
    ASSERT_EQ(small.size(), 256u);
    ASSERT_EQ(large.size(), 1024u);
    EXPECT_EQ(small[0], 0u) << "masked corner is transparent";
    EXPECT_EQ(small[1 * 16 + 1], 0xFFC03020u) << "palette entries are blue, green, red bytes";
    EXPECT_EQ(small[1 * 16 + 2], 0xFFF0E0D0u);
}

TEST(IconFileReaderTest, PicksOnlyFourAndEightBitImages)
{
    struct Case
    {
        const char *what;
        std::vector<std::pair<int, int>> images;
        bool found;
    };
    const Case cases[] = {
        {"4-bit pair", {{16, 4}, {32, 4}}, true},
        {"8-bit after 4-bit", {{32, 4}, {32, 8}, {16, 8}}, true},
        {"1-bit images only", {{16, 1}, {32, 1}}, false},
        {"no 32 pixel image", {{16, 8}, {48, 8}}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CIconFileReader reader;
        ASSERT_TRUE(reader.Read(IconFile(c.images)));
        ImagePixels small, large;
        EXPECT_EQ(reader.PickItemTypeIcons(small, large), c.found);
    }
}

TEST(IconFileReaderTest, RefusesShortAndLyingFiles)
{
    const QByteArray good = IconFile({{16, 8}, {32, 8}});
    struct Case
    {
        const char *what;
        QByteArray bytes;
    };
    QByteArray wrongType = good;
    wrongType[2] = 2;
    QByteArray manyImages = good;
    manyImages[4] = char(0xFF);
    manyImages[5] = char(0xFF);
    QByteArray hugeSize = good;
    PutU32(hugeSize, 6 + 8, 0xFFFFFFF0u);
    QByteArray wrapping = good;
    PutU32(wrapping, 6 + 12, 0xFFFFFFF0u);
    PutU32(wrapping, 6 + 8, 0x20u);
    QByteArray noImages = good.left(6);
    noImages[4] = 0;
    const Case cases[] = {
        {"empty", QByteArray()},
        {"header only", good.left(5)},
        {"not an icon", wrongType},
        {"no images", noImages},
        {"more entries than the file holds", manyImages},
        {"an image larger than the file", hugeSize},
        {"an offset that wraps around", wrapping},
        {"cut inside the last image", good.left(good.size() - 1)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CIconFileReader reader;
        EXPECT_FALSE(reader.Read(c.bytes));
        EXPECT_TRUE(reader.Entries().empty());
    }
}

TEST(IconFileReaderTest, BitmapsLargerThanTheirEntryAreNotDecoded)
{
    QByteArray bitmap = IconFileFuzz::Bitmap(16, 8);
    CIconFileReader::Image image;
    EXPECT_TRUE(CIconFileReader::DecodeBitmap(bitmap, image));
    EXPECT_FALSE(CIconFileReader::DecodeBitmap(bitmap.left(bitmap.size() - 1), image));
    PutU32(bitmap, 4, 200); // claims a wider bitmap than it holds
    EXPECT_FALSE(CIconFileReader::DecodeBitmap(bitmap, image));
}

TEST(IconFileReaderTest, KeptFuzzInputsReadCleanly)
{
    const QDir dir(TestDataPath(QStringLiteral("fuzz-iconfile")));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const char *problem = IconFileFuzz::RunInput(
            reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        EXPECT_EQ(problem, nullptr) << name.toStdString() << ": " << problem;
    }
    QFile seed(dir.filePath(QStringLiteral("seed")));
    ASSERT_TRUE(seed.open(QIODevice::ReadOnly));
    EXPECT_EQ(seed.readAll(), QByteArray(1, '\0') + IconFileFuzz::Seed())
        << "the kept seed matches the format";
}

} // namespace
