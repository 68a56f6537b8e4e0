// Two processes on one file: one writer at a time, readers beside it, and the lock bytes
// that keep a reader from seeing the allocator or an object half-changed.
#include "core/storage/ForkSupport.h"
#include "core/storage/StorageTestSupport.h"

#include "core/storage/StorageFile.h"

using namespace storage_test;
using namespace StorageLayout;

namespace {
constexpr std::uint32_t kReady = 0x52454459;

class StorageLocks : public StorageFixture
{
  public:
    void SetUp() override
    {
        StorageFixture::SetUp();
        CStorageFile file;
        CreateFile(file);
        m_savedLimit = CStorageFile::GetLockWaitLimit();
    }
    void TearDown() override { CStorageFile::SetLockWaitLimit(m_savedLimit); }

  private:
    int m_savedLimit = 0;
};

// A child that opens the file, optionally takes one lock byte or object, reports the open's
// result, and holds everything until told to let go.
int HoldFile(ChildProcess &io, const QString &path, bool readOnly, std::uint32_t lockByte,
             std::uint32_t objectId)
{
    CStorageFile file;
    HRESULT hr = file.OpenExisting(path, readOnly);
    if (hr == S_OK && lockByte != 0)
        hr = file.LockRange(lockByte);
    std::uint32_t offset = 0;
    if (hr == S_OK && objectId != 0)
        hr = file.OpenOrCreateObject(objectId, offset);
    io.SendValue(hr);
    io.ReceiveValue(); // let go
    if (lockByte != 0)
        file.UnlockRange(lockByte);
    if (objectId != 0)
        file.ReleaseObject(objectId);
    io.SendValue(kReady);
    io.ReceiveValue(); // close and end
    return 0;
}
} // namespace

TEST_F(StorageLocks, OneWriterManyReaders)
{
    ChildProcess writer([&](ChildProcess &io) { return HoldFile(io, m_path, false, 0, 0); });
    ASSERT_TRUE(writer.Started());
    ASSERT_EQ(writer.ReceiveValue(), S_OK);

    CStorageFile second;
    EXPECT_EQ(second.OpenExisting(m_path, false), 0x80070020u); // sharing violation
    EXPECT_FALSE(second.IsOpen());
    CStorageFile reader;
    EXPECT_EQ(reader.OpenExisting(m_path, true), S_OK);
    CStorageFile anotherReader;
    EXPECT_EQ(anotherReader.OpenExisting(m_path, true), S_OK);

    writer.SendValue(0);
    ASSERT_EQ(writer.ReceiveValue(), kReady);
    writer.SendValue(0);
    EXPECT_EQ(writer.Wait(), 0);
    // With the writer gone, the next writer gets in while readers stay.
    EXPECT_EQ(second.OpenExisting(m_path, false), S_OK);

    // And the other way round: a writer here refuses a writer in another process.
    ChildProcess late([&](ChildProcess &io) { return HoldFile(io, m_path, false, 0, 0); });
    EXPECT_EQ(late.ReceiveValue(), 0x80070020u);
}

TEST_F(StorageLocks, ReaderSeesWhatTheWriterAdds)
{
    CStorageFile reader;
    ASSERT_EQ(reader.OpenExisting(m_path, true), S_OK);
    std::uint32_t offset = 0;
    EXPECT_EQ(reader.OpenObject(42, offset), QV_E_NO_ENTRY);

    ChildProcess writer([&](ChildProcess &io) {
        CStorageFile file;
        std::uint32_t off = 0, block = 0;
        HRESULT hr = file.OpenExisting(m_path, false);
        if (hr == S_OK)
            hr = file.OpenOrCreateObject(42, off);
        if (hr == S_OK)
            hr = file.AllocateBlock(5000, block);
        if (hr == S_OK)
            hr = file.WriteAt(block, "written by the writer", 22);
        if (hr == S_OK)
            hr = file.SetObjectOffset(42, block);
        if (hr == S_OK)
            hr = file.ReleaseObject(42);
        io.SendValue(hr);
        io.ReceiveValue();
        return 0;
    });
    ASSERT_EQ(writer.ReceiveValue(), S_OK);

    // The block lies beyond the end of used space this reader knew: looking at it refreshes.
    ASSERT_EQ(reader.OpenObject(42, offset), S_OK);
    std::uint32_t size = 0;
    ASSERT_EQ(reader.GetBlockDataSize(offset, size), S_OK);
    EXPECT_EQ(size, BlockSizeFor(5000) - 9);
    char text[22] = {};
    ASSERT_EQ(reader.ReadAt(offset, text, 22), S_OK);
    EXPECT_STREQ(text, "written by the writer");
    EXPECT_EQ(reader.ReleaseObject(42), S_OK);
    writer.SendValue(0);
}

TEST_F(StorageLocks, AllocatorLockHoldsReadersBack)
{
    ChildProcess writer([&](ChildProcess &io) { return HoldFile(io, m_path, false, AllocatorLockByte, 0); });
    ASSERT_EQ(writer.ReceiveValue(), S_OK);

    CStorageFile reader;
    ASSERT_EQ(reader.OpenExisting(m_path, true), S_OK);
    CStorageFile::SetLockWaitLimit(150);
    EXPECT_EQ(reader.RefreshAllocatorState(), 0x80070021u); // lock violation after the wait
    // The table lock byte is a different byte: a reader can still look objects up.
    std::uint32_t offset = 0;
    EXPECT_EQ(reader.OpenObject(1, offset), QV_E_NO_ENTRY);

    // A waiting reader gets the byte once the writer lets go.
    CStorageFile::SetLockWaitLimit(10000);
    writer.SendValue(0);
    EXPECT_EQ(reader.RefreshAllocatorState(), S_OK);
    EXPECT_EQ(writer.ReceiveValue(), kReady);
    writer.SendValue(0);
}

TEST_F(StorageLocks, EntryLocks)
{
    struct Case
    {
        const char *name;
        bool holderReadOnly;
        bool openerReadOnly;
        bool blocked;
    };
    const Case cases[] = {
        {"writer holds, reader waits", false, true, true},
        {"reader holds, writer waits", true, false, true},
        {"reader holds, reader shares", true, true, false},
    };
    {
        CStorageFile file;
        ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
        std::uint32_t offset = 0;
        ASSERT_EQ(file.OpenOrCreateObject(9, offset), S_OK);
        ASSERT_EQ(file.ReleaseObject(9), S_OK);
    }
    for (const Case &c : cases) {
        ChildProcess holder([&](ChildProcess &io) { return HoldFile(io, m_path, c.holderReadOnly, 0, 9); });
        ASSERT_EQ(holder.ReceiveValue(), S_OK) << c.name;
        CStorageFile opener;
        ASSERT_EQ(opener.OpenExisting(m_path, c.openerReadOnly), S_OK) << c.name;
        CStorageFile::SetLockWaitLimit(150);
        std::uint32_t offset = 0;
        EXPECT_EQ(opener.OpenObject(9, offset), c.blocked ? 0x80070021u : S_OK) << c.name;
        // Other objects are not held up.
        EXPECT_EQ(opener.OpenObject(10, offset), QV_E_NO_ENTRY) << c.name;
        if (!c.blocked)
            opener.ReleaseObject(9);
        holder.SendValue(0);
        ASSERT_EQ(holder.ReceiveValue(), kReady) << c.name;
        EXPECT_EQ(opener.OpenObject(9, offset), S_OK) << c.name;
        EXPECT_EQ(opener.ReleaseObject(9), S_OK);
        holder.SendValue(0);
        EXPECT_EQ(holder.Wait(), 0);
    }
}
