// One writer and readers in other processes: a second writer is refused with the sharing
// violation, and a reader sees the events the writer saved, changed and deleted, also after
// the writer's collection has moved to a larger block.
#include "core/storage/DataFileTestSupport.h"
#include "core/storage/ForkSupport.h"
#include "core/items/ItemTestUtil.h"

#include <QFile>
#include <map>

using namespace datafile_test;
using namespace DataFileLayout;
using storage_test::ChildProcess;

namespace {
class DataFileSharing : public DataFileFixture
{
};

constexpr std::uint32_t kDone = 0xFFFFFFFF;

CEventItem Numbered(std::uint32_t marker)
{
    CEventItem e;
    e.SetStart(At(2024, 3, 1, 8, 0) + Days(marker % 90));
    e.SetDuration(Minutes(30));
    e.SetSubject(QStringLiteral("Event %1").arg(marker));
    e.SetNotes(QString(int(marker % 400), QLatin1Char('n')));
    return e;
}
} // namespace

TEST_F(DataFileSharing, OneWriterManyReaders)
{
    {
        CDataFile file;
        CreateAndOpen(file, QStringLiteral("pw"));
    }
    // The writer stores records in batches; after each batch it sends the ids and waits.
    ChildProcess writer([this](ChildProcess &io) {
        CDataFile file;
        if (file.Open(m_path, false) != S_OK || file.Validate() != S_OK ||
            file.CheckPassword(QStringLiteral("pw")) != S_OK)
            return 1;
        io.SendValue(0); // open
        std::uint32_t marker = 1;
        for (int batch = 0; batch < 4; ++batch) {
            if (io.ReceiveValue() != 1)
                return 2;
            for (int n = 0; n < 60; ++n, ++marker) {
                CEventItem e = Numbered(marker);
                if (file.SaveEvent(e) != S_OK)
                    return 3;
                io.SendValue(e.GetRecordId());
                io.SendValue(marker);
            }
            // Rewrite and delete one of the first batch each time.
            CEventItem changed = Numbered(9000 + batch);
            changed.SetRecordId(16 + batch);
            changed.SetUniqueId(QStringLiteral("changed"));
            if (file.SaveEvent(changed) != S_OK || file.DeleteEvent(40 + batch) != S_OK)
                return 4;
            io.SendValue(kDone);
        }
        return io.ReceiveValue() == 2 ? 0 : 5;
    });
    ASSERT_TRUE(writer.Started());
    ASSERT_EQ(writer.ReceiveValue(), 0u);

    CDataFile second;
    EXPECT_EQ(second.Open(m_path, false), HresultFromSystem(SystemError::SharingViolation));
    EXPECT_FALSE(second.IsOpen());

    CDataFile reader;
    ASSERT_EQ(reader.Open(m_path, true), S_OK);
    ASSERT_EQ(reader.Validate(), S_OK);
    ASSERT_EQ(reader.CheckPassword(QStringLiteral("pw")), S_OK);
    std::map<std::uint32_t, std::uint32_t> expected; // id -> marker
    for (std::uint32_t batch = 0; batch < 4; ++batch) {
        ASSERT_TRUE(writer.SendValue(1));
        int received = 0;
        for (std::uint32_t id = writer.ReceiveValue(); id != kDone; id = writer.ReceiveValue(), ++received)
            expected[id] = writer.ReceiveValue();
        ASSERT_EQ(received, 60) << "the writer failed";
        expected[16 + batch] = 9000 + batch;
        expected.erase(40 + batch);

        std::map<std::uint32_t, QString> seen;
        ASSERT_EQ(reader.EnumEvents([&](std::uint32_t id) {
            CEventItem e(id);
            const HRESULT hr = reader.LoadEvent(e);
            if (hr == S_OK)
                seen[id] = e.GetSubject();
            return hr;
        }),
                  S_OK);
        // Deleted ids were handed out again, so compare with what the writer reported.
        for (const auto &[id, marker] : expected) {
            ASSERT_TRUE(seen.count(id)) << "batch " << batch << " id " << id;
            EXPECT_EQ(seen[id], QStringLiteral("Event %1").arg(marker)) << "id " << id;
            CEventItem e(id);
            ASSERT_EQ(reader.LoadEvent(e), S_OK);
            EXPECT_EQ(e.GetNotes(), Numbered(marker).GetNotes()) << "id " << id;
        }
        EXPECT_EQ(seen.size(), expected.size()) << "batch " << batch;
    }
    ASSERT_TRUE(writer.SendValue(2));
    EXPECT_EQ(writer.Wait(), 0);

    // With the writer gone, a read-write open succeeds.
    EXPECT_EQ(second.Open(m_path, false), S_OK);
}

TEST_F(DataFileSharing, ReaderEnumeratesWhileTheWriterSavesAndDeletes)
{
    {
        CDataFile file;
        CreateAndOpen(file, QString());
        for (std::uint32_t marker = 1; marker <= 300; ++marker) {
            CEventItem e = Numbered(marker);
            ASSERT_EQ(file.SaveEvent(e), S_OK);
        }
    }
    // The writer changes, adds and deletes without waiting for the reader, then reports which
    // marker each id holds at the end.
    ChildProcess writer([this](ChildProcess &io) {
        CDataFile file;
        if (file.Open(m_path, false) != S_OK || file.Validate() != S_OK)
            return 1;
        file.SetWriteThrough(false);
        io.SendValue(0);
        std::map<std::uint32_t, std::uint32_t> live;
        for (std::uint32_t id = 16; id < 316; ++id)
            live[id] = id - 15;
        std::uint32_t marker = 1000;
        for (int n = 0; n < 600; ++n, ++marker) {
            const std::uint32_t pick = 16 + std::uint32_t(n * 37 % 300);
            HRESULT hr = S_OK;
            if (n % 3 == 2) {
                if (live.erase(pick))
                    hr = file.DeleteEvent(pick);
            } else {
                CEventItem e = Numbered(marker);
                if (n % 3 == 1 && live.count(pick))
                    e.SetRecordId(pick);
                hr = file.SaveEvent(e);
                live[e.GetRecordId()] = marker;
            }
            if (hr != S_OK)
                return 2;
        }
        for (const auto &[id, m] : live) {
            io.SendValue(id);
            io.SendValue(m);
        }
        io.SendValue(kDone);
        QFile mark(m_path + QStringLiteral(".done"));
        return mark.open(QIODevice::WriteOnly) ? 0 : 3;
    });
    ASSERT_TRUE(writer.Started());
    ASSERT_EQ(writer.ReceiveValue(), 0u);

    CDataFile reader;
    ASSERT_EQ(reader.Open(m_path, true), S_OK);
    ASSERT_EQ(reader.Validate(), S_OK);
    // Every event the reader sees while the writer works is some whole version of itself.
    auto enumerate = [&](std::map<std::uint32_t, QString> &seen) {
        seen.clear();
        return reader.EnumEvents([&](std::uint32_t id) {
            CEventItem e(id);
            const HRESULT hr = reader.LoadEvent(e);
            if (hr != S_OK)
                return hr;
            const std::uint32_t marker = e.GetSubject().mid(6).toUInt();
            EXPECT_EQ(e.GetSubject(), QStringLiteral("Event %1").arg(marker)) << id;
            EXPECT_EQ(e.GetNotes(), Numbered(marker).GetNotes()) << id;
            seen[id] = e.GetSubject();
            return S_OK;
        });
    };
    std::map<std::uint32_t, QString> seen;
    // The writer leaves a mark beside the file once it is done.
    const QString done = m_path + QStringLiteral(".done");
    for (int pass = 0; pass < 1000 && !QFile::exists(done) && !HasFailure(); ++pass)
        ASSERT_EQ(enumerate(seen), S_OK);
    std::map<std::uint32_t, std::uint32_t> expected;
    for (std::uint32_t id = writer.ReceiveValue(); id != kDone; id = writer.ReceiveValue())
        expected[id] = writer.ReceiveValue();
    EXPECT_EQ(writer.Wait(), 0);
    ASSERT_EQ(enumerate(seen), S_OK);
    ASSERT_EQ(seen.size(), expected.size());
    for (const auto &[id, marker] : expected)
        EXPECT_EQ(seen[id], QStringLiteral("Event %1").arg(marker)) << id;
}

TEST_F(DataFileSharing, TwoLoopingReadersNeverKeepTheWriterOut)
{
    {
        CDataFile file;
        CreateAndOpen(file, QString());
        file.SetWriteThrough(false);
        for (std::uint32_t marker = 1; marker <= 1500; ++marker) {
            CEventItem e = Numbered(marker);
            ASSERT_EQ(file.SaveEvent(e), S_OK);
        }
    }
    // Two readers enumerate over and over; their walks overlap all the time.
    auto loop = [this](ChildProcess &io) {
        CDataFile file;
        if (file.Open(m_path, true) != S_OK || file.Validate() != S_OK)
            return 1;
        io.SendValue(0);
        for (;;) {
            file.EnumEvents([&](std::uint32_t id) {
                CEventItem e(id);
                return file.LoadEventSummary(e);
            });
        }
    };
    ChildProcess first(loop), second(loop);
    ASSERT_EQ(first.ReceiveValue(), 0u);
    ASSERT_EQ(second.ReceiveValue(), 0u);

    // A save that cannot get its locks gives up after the wait limit: a short one here, so that
    // a writer kept out shows at once.
    const int savedLimit = CStorageFile::GetLockWaitLimit();
    CStorageFile::SetLockWaitLimit(2000);
    CDataFile writer;
    EXPECT_EQ(writer.Open(m_path, false), S_OK);
    EXPECT_EQ(writer.Validate(), S_OK);
    writer.SetWriteThrough(false);
    int failed = 0;
    for (std::uint32_t n = 0; n < 150 && writer.IsOpen(); ++n) {
        CEventItem e = Numbered(5000 + n);
        if (n % 3 == 1)
            e.SetRecordId(16 + n);
        HRESULT hr = n % 3 == 2 ? writer.DeleteEvent(16 + n) : writer.SaveEvent(e);
        failed += hr != S_OK;
    }
    CStorageFile::SetLockWaitLimit(savedLimit);
    EXPECT_EQ(failed, 0);
    first.Kill();
    second.Kill();
    first.Wait();
    second.Wait();
}
