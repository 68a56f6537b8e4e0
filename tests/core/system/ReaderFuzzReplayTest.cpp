// Replays the inputs kept for the settings, clipboard and item-type list fuzz targets (their
// seeds, and inputs that once broke a reader): each must read, or be refused, cleanly. The
// seeds themselves are checked against the code that makes them, so a format change that
// leaves the kept seeds behind shows here.
#include "common/TempProfile.h"
#include "common/TestData.h"
#include "fuzz/ItemTypesFuzzInput.h"
#include "fuzz/SettingsFuzzInput.h"
#include "fuzz/TransferFuzzInput.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Harness
{
    const char *folder;
    const char *(*run)(const std::uint8_t *, std::size_t);
    QByteArray (*seed)();
    bool modeByte; // inputs start with a byte choosing raw bytes (even) or edits of the seed
    bool exact;    // the seed's bytes do not depend on the icons registered or the locale's order
};

const Harness kHarnesses[] = {
    {"fuzz-settings", SettingsFuzz::RunInput, SettingsFuzz::Seed, false, true},
    {"fuzz-transfer", TransferFuzz::RunInput, TransferFuzz::Seed, true, true},
    {"fuzz-itemtypes", ItemTypesFuzz::RunInput, ItemTypesFuzz::Seed, true, false},
};

const char *RunHarness(const Harness &h, const QByteArray &bytes)
{
    return h.run(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
}

} // namespace

TEST(ReaderFuzzReplay, KeptInputsReadCleanly)
{
    TempProfile profile;
    for (const Harness &h : kHarnesses) {
        SCOPED_TRACE(h.folder);
        const QDir dir(TestDataPath(QString::fromLatin1(h.folder)));
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(names.isEmpty()) << "no seeds kept";
        for (const QString &name : names) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const char *problem = RunHarness(h, file.readAll());
            EXPECT_EQ(problem, nullptr) << name.toStdString() << ": " << problem;
        }
    }
}

TEST(ReaderFuzzReplay, SeedsAreWhatTheCodeWrites)
{
    TempProfile profile;
    for (const Harness &h : kHarnesses) {
        SCOPED_TRACE(h.folder);
        const QByteArray seed = h.seed();
        ASSERT_FALSE(seed.isEmpty());
        const QByteArray raw = h.modeByte ? QByteArray(1, '\0') + seed : seed;
        EXPECT_EQ(RunHarness(h, raw), nullptr);
        QFile kept(TestDataPath(QString::fromLatin1(h.folder) + QStringLiteral("/seed")));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        const QByteArray keptBytes = kept.readAll();
        if (h.exact) {
            EXPECT_EQ(keptBytes, raw) << "the kept seed no longer matches the format";
        }
        if (h.modeByte) {
            EXPECT_EQ(RunHarness(h, QByteArray(1, '\1')), nullptr); // the seed, unedited
        }
    }
    // The seeds read as what they are.
    std::vector<TransferRecord> records;
    ASSERT_EQ(ReadTransferBytes(TransferFuzz::Seed(), kDataFormatCurrent, nullptr, records), S_OK);
    EXPECT_EQ(records.size(), 3u);
    CItemTypeList types;
    bool upgrade = false;
    ASSERT_EQ(types.ReadBlob(ItemTypesFuzz::Seed(), kDataFormatCurrent, upgrade), S_OK);
    EXPECT_EQ(types.GetTypeCount(), 11);
    EXPECT_EQ(types.GetFilterCount(), 1);
    QFile keptTypes(TestDataPath(QStringLiteral("fuzz-itemtypes/seed")));
    ASSERT_TRUE(keptTypes.open(QIODevice::ReadOnly));
    CItemTypeList kept;
    ASSERT_EQ(kept.ReadBlob(keptTypes.readAll().mid(1), kDataFormatCurrent, upgrade), S_OK);
    EXPECT_EQ(kept.GetTypeCount(), 11);
    EXPECT_EQ(kept.GetFilterCount(), 1);
}

TEST(ReaderFuzzReplay, HarnessesCatchBrokenRules)
{
    // Damaged settings still load inside their limits.
    TempProfile profile;
    const QByteArray wild("[Common]\nDD=0\nDS=99999999\nFDOW=-3\nFWOY=77\nRWCX=1000\nWTS=999999\nWTE=1\n"
                          "[Month]\nFont=@ByteArray(\\xff\\xff)\n");
    EXPECT_EQ(SettingsFuzz::RunInput(reinterpret_cast<const std::uint8_t *>(wild.constData()),
                                     std::size_t(wild.size())),
              nullptr);
    AppSettings broken;
    broken.defaultDurationMinutes = 0;
    EXPECT_NE(SettingsFuzz::CheckLimits(broken), nullptr);
}
