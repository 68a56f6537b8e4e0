// One writer and readers in other processes: a second writer is refused with the sharing
// violation, and a reader sees what the writer stored, also after the writer's collection
// has moved to a larger block.
#include "DataFileTestSupport.h"
#include "ForkSupport.h"

#include <map>

using namespace datafile_test;
using namespace DataFileLayout;
using storage_test::ChildProcess;

namespace {
class DataFileSharing : public DataFileFixture
{
};

constexpr std::uint32_t kDone = 0xFFFFFFFF;
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
                std::uint32_t id = 0;
                if (file.AllocateId(EventCollection, id) != S_OK ||
                    file.WriteRecord(id, MakeRecord(marker, marker % 400)) != S_OK ||
                    file.SetSlotValue(id, SlotEvent) != S_OK)
                    return 3;
                io.SendValue(id);
                io.SendValue(marker);
            }
            // Rewrite and delete one of the first batch each time.
            if (file.WriteRecord(16 + batch, MakeRecord(9000 + batch, 1000)) != S_OK ||
                file.DeleteEvent(40 + batch) != S_OK)
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

        std::map<std::uint32_t, std::uint32_t> seen;
        ASSERT_EQ(reader.EnumEvents([&](std::uint32_t id) {
            QByteArray record;
            const HRESULT hr = reader.ReadRecord(id, -1, record);
            if (hr == S_OK)
                seen[id] = U32(record, 12);
            return hr;
        }),
                  S_OK);
        // Deleted ids were handed out again, so compare with what the writer reported.
        for (const auto &[id, marker] : expected) {
            ASSERT_TRUE(seen.count(id)) << "batch " << batch << " id " << id;
            QByteArray record;
            ASSERT_EQ(reader.ReadRecord(id, -1, record), S_OK);
            const std::uint32_t bodyLength = marker >= 9000 ? 1000 : marker % 400;
            EXPECT_EQ(record, MakeRecord(marker, bodyLength)) << "id " << id;
        }
        EXPECT_EQ(seen.size(), expected.size()) << "batch " << batch;
    }
    ASSERT_TRUE(writer.SendValue(2));
    EXPECT_EQ(writer.Wait(), 0);

    // With the writer gone, a read-write open succeeds.
    EXPECT_EQ(second.Open(m_path, false), S_OK);
}
