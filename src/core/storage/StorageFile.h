// CStorageFile: the lowest layer of the data file. A 2048-byte header, a heap of
// variable-size blocks with a doubly linked free list, and a three-level table that maps
// 24-bit object ids to blocks; plus the key that enciphers records.
#pragma once

#include "core/storage/Cipher.h"
#include "core/storage/StorageFileIo.h"
#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"
#include "core/storage/VersionBlock.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// Fixed sizes and offsets of the file layout.
namespace StorageLayout {
inline constexpr std::uint32_t HeaderSize = 2048;
inline constexpr std::uint32_t HeaderVersion = 1;
inline constexpr std::uint32_t CheckBlockOffset = 12;
inline constexpr std::uint32_t FlagsOffset = 28;
inline constexpr std::uint32_t CreationTimeOffset = 48;
inline constexpr std::uint32_t LastBackupOffset = 56;
inline constexpr std::uint32_t RootTableOffset = 64;
inline constexpr std::uint32_t AllocatorStateOffset = 68; // end of used space, free head, last size
inline constexpr std::uint32_t AllocatorLockByte = 116;
inline constexpr std::uint32_t TableLockByte = 117;
// Held exclusively by a read-write open so that a second writer is refused; readers never lock it.
inline constexpr std::uint32_t WriterLockByte = 118;
// Held exclusively by a writer while it waits for an entry readers hold; a reader passes
// through it (shared) before each batch of reads, so that readers whose batches overlap
// cannot keep a writer out. Only a lock: nothing is stored at this byte.
inline constexpr std::uint32_t WriterWaitingLockByte = 119;
inline constexpr std::uint32_t VersionBlockOffset = 1024;
inline constexpr std::uint32_t TitleOffset = 1920;
inline constexpr std::uint32_t TitleSize = 128;

inline constexpr std::uint16_t FlagBackupCopy = 0x0080;
inline constexpr std::uint16_t FlagConverted = 0x0100;

inline constexpr std::uint32_t BlockHeaderSize = 9;      // size, previous size, flags
inline constexpr std::uint32_t FreeBlockHeaderSize = 17; // plus next and previous free links
inline constexpr std::uint32_t MinBlockSize = 32;
inline constexpr std::uint32_t SplitSlack = 128; // a free block larger than wanted + this is split
inline constexpr std::uint32_t MaxMergedSize = 0xFFFFFFF0;

inline constexpr std::uint32_t RootMagic = 0xDF8780C7;
inline constexpr std::uint32_t Level2Magic = 0xA8B8C5E4;
inline constexpr std::uint32_t Level3Magic = 0xF563864F;
inline constexpr std::uint32_t RootTableDataSize = 68;
inline constexpr std::uint32_t Level2TableDataSize = 1028;
inline constexpr std::uint32_t Level3TableDataSize = 24580;
inline constexpr std::uint32_t EntrySize = 6; // data offset, present flag, entry lock byte
inline constexpr std::uint32_t MaxObjectId = 0xFFFFFF;

// Record buffers: used length at byte 4, plain-prefix length at byte 8.
inline constexpr std::uint32_t RecordUsedLengthOffset = 4;
inline constexpr std::uint32_t RecordPrefixLengthOffset = 8;

// Block size for a request of n bytes: 32 below 8, else n + 24 rounded down to 16.
constexpr std::uint32_t BlockSizeFor(std::uint32_t n)
{
    return n < 8 ? MinBlockSize : ((n + 24) & ~std::uint32_t(15));
}
// Largest request the 32-bit offsets can carry.
inline constexpr std::uint32_t MaxRequest = 0xFFFFFF00;
} // namespace StorageLayout

// What the file system says about the open file.
struct StorageFileInformation
{
    std::uint64_t volumeSerial = 0; // device
    std::uint64_t fileIndex = 0;    // inode
    std::uint64_t size = 0;
    std::uint32_t links = 0;
    std::int64_t lastWriteNs = 0; // since 1970-01-01 UTC
    std::int64_t lastAccessNs = 0;
    std::int64_t changeNs = 0;
};

// One open data file, read-write (one process at a time) or read-only (any number beside
// the writer). Byte-range locks on the allocator, table and entry lock bytes coordinate
// the processes: a writer locks exclusively, a reader shared, and both wait a bounded time.
//
// Crash safety: the block chain (each block's size from the start of the heap) changes only
// by single small writes made after the bytes they expose are in place, and an object entry
// is repointed before its old block is freed. The free list, previous sizes and the
// allocator's head and last size are derived data: a read-write open checks them against
// the chain and rebuilds them when a write sequence was cut off.
class CStorageFile
{
  public:
    CStorageFile();
    ~CStorageFile();
    CStorageFile(const CStorageFile &) = delete;
    CStorageFile &operator=(const CStorageFile &) = delete;

    // Creates a new file (never replaces one) with a fresh header and root table, open
    // read-write; deletes it again on failure.
    HRESULT Create(const QString &path);
    // 0x80070020 when another writer has the file open read-write; 0x80040527 when it is
    // not a data file.
    HRESULT OpenExisting(const QString &path, bool readOnly);
    HRESULT Close();

    bool IsOpen() const { return m_fd >= 0; }
    bool IsReadOnly() const { return m_readOnly; }
    // 0, or 0x8004052C once the file was found damaged while open.
    HRESULT GetStickyError() const { return m_stickyError; }

    QString GetTitle() const;
    // Keeps at most 127 bytes, cut at a character boundary.
    HRESULT SetTitle(const QString &title);
    CDateTime GetCreationTime() const;
    CDateTime GetLastBackupTime() const;
    HRESULT SetLastBackupTime(const CDateTime &when);
    std::uint16_t GetFlags() const;
    HRESULT SetBackupFlag(bool on);
    HRESULT SetConvertedFlag(bool on);
    HRESULT GetFileInformation(StorageFileInformation &info) const;

    // Exactly length bytes at a file offset; a read that ends early gives 0x8004052B.
    // Writes in a read-only open do nothing and succeed.
    HRESULT ReadAt(std::uint64_t offset, void *buffer, std::size_t length) const;
    HRESULT WriteAt(std::uint64_t offset, const void *buffer, std::size_t length);

    // A block for byteCount bytes; the result is its data offset (block start + 9).
    HRESULT AllocateBlock(std::uint32_t byteCount, std::uint32_t &dataOffset);
    HRESULT FreeBlock(std::uint32_t dataOffset);
    // Usable bytes of the block at a data offset; 0 for data offset 0.
    HRESULT GetBlockDataSize(std::uint32_t dataOffset, std::uint32_t &size);
    // Re-reads the allocator state (a writer may have grown the file).
    HRESULT RefreshAllocatorState();

    // The data offset of an object, keeping its entry locked until ReleaseObject.
    HRESULT OpenObject(std::uint32_t id, std::uint32_t &dataOffset);
    // As OpenObject; an id without an entry gets one (offset 0) and any missing table.
    HRESULT OpenOrCreateObject(std::uint32_t id, std::uint32_t &dataOffset);
    HRESULT ReleaseObject(std::uint32_t id);
    // Points the entry at a new block, holding the entry for that; frees the old block after.
    HRESULT SetObjectOffset(std::uint32_t id, std::uint32_t dataOffset);
    // Stores data as the object's new block (header and data in one write), then points the
    // object at it and frees its old block; an id without an entry gets one. length 0 leaves
    // the object without data.
    HRESULT ReplaceObjectData(std::uint32_t id, const void *data, std::uint32_t length);
    // The data offset of an object as its entry says now. A writer needs no lock for this (only
    // it changes entries); a reader gets a meaningful offset only inside a read batch.
    HRESULT PeekObject(std::uint32_t id, std::uint32_t &dataOffset);
    // Reads an object's data: at most maxBytes (all of it when negative) of its block, read
    // together with the block header. usable receives the block's data size (0 for an object
    // without data). QV_E_NO_ENTRY for an id without an entry.
    HRESULT ReadObjectData(std::uint32_t id, std::int64_t maxBytes, QByteArray &data, std::uint32_t &usable);
    // A reader's batch of reads: the entries it reads stay locked (shared, a level-3 table's
    // worth in one lock) until EndReadBatch, instead of one lock per read. A batch first gives
    // way to a writer waiting for an entry. Nothing for a writer.
    HRESULT BeginReadBatch();
    void EndReadBatch();
    bool InReadBatch() const { return m_inBatch; }
    // Clears the entry, then frees its block. An id that never existed is success.
    HRESULT DeleteObject(std::uint32_t id);

    // fdatasync; an I/O error is reported (0x8004052D).
    HRESULT Flush();
    // With barriers on, a change syncs the file between the writes whose order its safety
    // relies on (a block complete before the chain or an entry names it, an entry on the disk
    // before the block it named is freed), so that a power loss, which may keep any part of
    // the unsynced writes, leaves the old state or the new. Off, the order holds only for a
    // process that dies (the kernel keeps its writes), at no cost in syncs.
    void SetWriteBarriers(bool on) { m_barriers = on; }
    bool GetWriteBarriers() const { return m_barriers; }
    // A sync when barriers are on and something was written since the last one.
    HRESULT Barrier();
    // Where writes and syncs go (tests record them); null: the system.
    void SetFileIo(IStorageFileIo *io) { m_io = io ? io : &SystemStorageFileIo(); }

    // One lock byte; nests within this object. Waits at most the lock wait limit; a writer
    // that has to wait holds the writer-waiting byte meanwhile.
    HRESULT LockRange(std::uint32_t offset);
    HRESULT UnlockRange(std::uint32_t offset);
    // How long a lock request waits for another process before failing with 0x80070021.
    static void SetLockWaitLimit(int milliseconds);
    static int GetLockWaitLimit();

    // For crash tests: after this many more writes reach the file, every later write is
    // dropped as if the process had died there (-1: no limit). The count of writes made
    // shows how many cut points an operation has.
    static void SetWriteLimitForTesting(long writes);
    static long GetWriteCountForTesting();

    // Walks the block chain and the free list and reports the first inconsistency in
    // problem (empty when all holds). Changes nothing.
    HRESULT CheckAllocator(QString &problem);
    // For a writer whose every block hangs in the object table: frees the in-use blocks that
    // neither a table nor an object entry names (a process stopped between allocating a block
    // and freeing the one it replaced leaves one). Frees nothing when a reference is not an
    // in-use block. freed, when given, receives the number of blocks freed.
    HRESULT FreeUnreferencedBlocks(int *freed = nullptr);

    // Password and record cipher.
    HRESULT SetPassword(const QString &password);
    HRESULT CheckPassword(const QString &password);
    HRESULT CheckPassword(const CCipher &cipher);
    // A copy of the current cipher; null when there is none.
    std::unique_ptr<CCipher> CloneKey() const;
    bool EncryptBytes(void *buffer, std::size_t n) const;
    bool DecryptBytes(void *buffer, std::size_t n) const;
    // Enciphers bytes [plain prefix, used length) of a record buffer of length bytes;
    // 0x80040510 when that range is not whole blocks inside the buffer or no key is set.
    HRESULT EncryptRecord(std::uint8_t *record, std::size_t length) const;
    // Deciphers a record of which bytesRead bytes were read: 0x8004050C unless
    // plain prefix <= used length <= bytesRead in whole blocks; 0x80040511 without a key.
    HRESULT DecryptRecord(std::uint8_t *record, std::size_t bytesRead) const;
    // Check block, cipher, creation time and header bytes 1024..2047 of another open file.
    HRESULT CopyHeaderFrom(CStorageFile &other);

    // The version block at 1024.
    HRESULT ReadFormatVersion(std::uint32_t &version) const;
    HRESULT WriteFormatVersion(std::uint32_t version);

  private:
    struct BlockHeader
    {
        std::uint32_t size = 0;
        std::uint32_t prevSize = 0;
        std::uint8_t flags = 0;
        std::uint32_t next = 0;
        std::uint32_t prev = 0;
        bool InUse() const { return flags & 1; }
    };
    struct HeldObject
    {
        std::uint32_t entryPos = 0; // 0: nothing locked (a read-only open of a missing entry)
        int count = 0;
    };

    HRESULT OpenFile(const QString &path, bool readOnly, bool create);
    HRESULT InitNewFile();
    void ResetState();

    std::uint32_t Header32(std::uint32_t offset) const;
    void SetHeader32(std::uint32_t offset, std::uint32_t value);
    std::uint32_t EndOfUsedSpace() const { return Header32(StorageLayout::AllocatorStateOffset); }
    std::uint32_t FreeHead() const { return Header32(StorageLayout::AllocatorStateOffset + 4); }
    std::uint32_t LastBlockSize() const { return Header32(StorageLayout::AllocatorStateOffset + 8); }

    HRESULT ReadAllocatorState();
    HRESULT WriteAllocatorState();
    HRESULT ReadBlockHeader(std::uint32_t start, BlockHeader &h, bool withLinks) const;
    HRESULT Write32(std::uint32_t offset, std::uint32_t value);
    HRESULT MarkDamaged();
    bool IsBlockStart(std::uint32_t start) const;
    bool FreedSinceSync(std::uint32_t start, std::uint32_t size) const;
    // payload, when given, is written with the block's header (or in-use flag) in one write.
    HRESULT AllocateLocked(std::uint32_t blockSize, std::uint32_t &start, const void *payload = nullptr,
                           std::uint32_t payloadLength = 0);
    HRESULT FreeLocked(std::uint32_t start);
    HRESULT Unlink(std::uint32_t start, const BlockHeader &h);
    HRESULT VerifyAndRepairAllocator();

    HRESULT LocateEntry(std::uint32_t id, bool create, std::uint32_t &entryPos);
    HRESULT LocateTable(std::uint32_t slotPos, std::uint32_t dataSize, std::uint32_t magic, bool create,
                        std::uint32_t &tableOffset);
    HRESULT CheckTableBlock(std::uint32_t tableOffset, std::uint32_t dataSize);
    HRESULT OpenObjectImpl(std::uint32_t id, bool create, std::uint32_t &dataOffset);
    HRESULT ReleaseEntry(std::uint32_t id);
    HRESULT FreeReplacedBlock(std::uint32_t oldOffset);
    HRESULT AllocateWithData(std::uint32_t byteCount, const void *data, std::uint32_t length,
                             std::uint32_t &dataOffset);
    // A reader inside a batch: the shared lock on the entries of the level-3 table at tableOffset.
    HRESULT HoldTableEntries(std::uint32_t tableOffset);
    bool InBatchRange(std::uint32_t offset) const;
    // The 5 bytes of an object's entry, from the entries read ahead when they can be trusted.
    HRESULT ReadEntry(std::uint32_t id, std::uint32_t entryPos, std::uint8_t *entry);
    // Up to length bytes at offset into out (fewer at the end of the file), through the
    // read-ahead window when its bytes can be trusted; got receives the count.
    HRESULT ReadAhead(std::uint64_t offset, std::uint8_t *out, std::size_t length, std::size_t &got);
    HRESULT TryCheckBlock(const CCipher &cipher) const;

    int m_fd = -1;
    IStorageFileIo *m_io = &SystemStorageFileIo();
    bool m_barriers = false;
    bool m_dirty = false; // written since the last sync
    // With barriers: blocks freed since the last sync, as [start, end). Their free may not be on
    // the disk yet, so no allocation reuses them before a sync.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_unsyncedFrees;
    bool m_readOnly = false;
    std::array<std::uint8_t, StorageLayout::HeaderSize> m_header{};
    std::unique_ptr<CCipher> m_cipher;
    HRESULT m_stickyError = S_OK;
    bool m_updating = false; // a write failure now damages the allocator state
    // Tables, once named by their parent, never move: every one found is kept (0: not known).
    std::array<std::uint32_t, 16> m_level2Tables{};
    std::vector<std::uint32_t> m_level3Tables; // by id >> 12
    // The end of used space as last written under the allocator lock (a writer).
    std::uint32_t m_publishedEnd = 0;
    // After a walk of the free list found no block of at least this size, and until the list
    // changes, larger requests append without walking it again (0: walk).
    std::uint32_t m_noFitFrom = 0;
    // A reader's batch: the level-3 tables whose entries it holds, by table offset.
    bool m_inBatch = false;
    std::vector<std::uint32_t> m_batchTables;
    // Entries read ahead, a run of one level-3 table (file offset of its first byte, 0: none).
    // A reader trusts them within its batch, whose locks keep them as they are; the writer
    // until the end, its own writes going into them too.
    std::uint32_t m_entryRunStart = 0;
    std::vector<std::uint8_t> m_entryRun;
    // Bytes read ahead of the blocks an enumeration reads next (records lie in the order they
    // were saved). A reader trusts them only within the batch and only when they were read
    // after it took the entries of every table it holds: the blocks of held entries cannot
    // change. The writer's own writes go into them.
    std::uint64_t m_windowStart = 0;
    std::vector<std::uint8_t> m_window; // empty: none
    std::map<std::uint32_t, int> m_lockCounts;         // lock byte -> nesting
    std::map<std::uint32_t, HeldObject> m_heldObjects; // id -> entry held open
};
