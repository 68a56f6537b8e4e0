// The storage file engine: header, block allocation with first fit, split and coalesce,
// the object table, byte-range locks over open-file-description locks, and the key.
#include "core/storage/StorageFile.h"

#include "core/storage/StoredText.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <vector>

using namespace StorageLayout;

namespace {
constexpr char kMagic[8] = {'!', 'Q', 'V', 'D', 'A', 'T', 'A', '$'};
constexpr char kCheckText[16] = {'H', 'a', 'r', 'l', 'o', 'w', 'e', 'n',
                                 'Q', 'B', 'r', 'i', 's', 'k', 'e', 't'};

// System codes beyond the shared list.
constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorHandleDiskFull = 39;
constexpr std::uint32_t kErrorNotLocked = 158;

// Codes of this layer.
constexpr HRESULT kShortRead = QV_E_BAD_BLOCK;                 // 0x8004052B
constexpr HRESULT kNotADataFile = QV_E_UNEXPECTED_DATA_FORMAT; // 0x80040527
constexpr HRESULT kBadDataOffset = QV_E_2A;                    // 0x8004052A
constexpr HRESULT kIdOutOfRange = QV_E_29;                     // 0x80040529
constexpr HRESULT kFlushFailed = QV_E_2D;                      // 0x8004052D

int g_lockWaitLimitMs = 10000;
long g_writeLimit = -1;
long g_writeCount = 0;

std::uint32_t Get32(const std::uint8_t *p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void Put32(std::uint8_t *p, std::uint32_t v)
{
    std::memcpy(p, &v, 4);
}

std::int64_t Nanoseconds(const timespec &t)
{
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

CDateTime Now()
{
    return CDateTime::FromQDateTime(QDateTime::currentDateTime());
}
} // namespace

CStorageFile::CStorageFile() = default;

CStorageFile::~CStorageFile()
{
    Close();
}

void CStorageFile::SetLockWaitLimit(int milliseconds)
{
    g_lockWaitLimitMs = std::max(0, milliseconds);
}

int CStorageFile::GetLockWaitLimit()
{
    return g_lockWaitLimitMs;
}

void CStorageFile::SetWriteLimitForTesting(long writes)
{
    g_writeLimit = writes;
}

long CStorageFile::GetWriteCountForTesting()
{
    return g_writeCount;
}

void CStorageFile::ResetState()
{
    m_header.fill(0);
    m_cipher.reset();
    m_stickyError = S_OK;
    m_updating = false;
    m_level2Tables.fill(0);
    m_level3Tables.clear();
    m_publishedEnd = 0;
    m_noFitFrom = 0;
    m_dirty = false;
    m_unsyncedFrees.clear();
    m_inBatch = false;
    m_batchTables.clear();
    m_entryRunStart = 0;
    m_entryRun.clear();
    m_window.clear();
    m_lockCounts.clear();
    m_heldObjects.clear();
}

std::uint32_t CStorageFile::Header32(std::uint32_t offset) const
{
    return Get32(m_header.data() + offset);
}

void CStorageFile::SetHeader32(std::uint32_t offset, std::uint32_t value)
{
    Put32(m_header.data() + offset, value);
}

// ---------------------------------------------------------------------------------------
// Opening and closing

HRESULT CStorageFile::Create(const QString &path)
{
    return OpenFile(path, false, true);
}

HRESULT CStorageFile::OpenExisting(const QString &path, bool readOnly)
{
    return OpenFile(path, readOnly, false);
}

HRESULT CStorageFile::OpenFile(const QString &path, bool readOnly, bool create)
{
    Close();
    ResetState();
    const QByteArray name = QFile::encodeName(path);
    int flags = (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    if (create)
        flags |= O_CREAT | O_EXCL;
    int fd;
    do {
        fd = ::open(name.constData(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return HresultFromErrno(errno);
    m_fd = fd;
    m_readOnly = readOnly;

    auto fail = [&](HRESULT hr) {
        ::close(m_fd);
        m_fd = -1;
        if (create)
            ::unlink(name.constData());
        ResetState();
        return hr;
    };

    if (!readOnly) {
        // One writer at a time: an exclusive lock on a byte no other lock uses, never waited for.
        struct flock fl = {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = WriterLockByte;
        fl.l_len = 1;
        int rc;
        do {
            rc = ::fcntl(m_fd, F_OFD_SETLK, &fl);
        } while (rc < 0 && errno == EINTR);
        if (rc < 0) {
            const int err = errno;
            return fail(err == EAGAIN || err == EACCES ? HresultFromSystem(SystemError::SharingViolation)
                                                       : HresultFromErrno(err));
        }
    }

    if (create) {
        const HRESULT hr = InitNewFile();
        return hr == S_OK ? S_OK : fail(hr);
    }

    HRESULT hr = ReadAt(0, m_header.data(), AllocatorLockByte);
    if (hr != S_OK)
        return fail(hr);
    if (std::memcmp(m_header.data(), kMagic, 8) != 0 || Header32(8) != HeaderVersion)
        return fail(kNotADataFile);
    hr = ReadAt(VersionBlockOffset, m_header.data() + VersionBlockOffset, HeaderSize - VersionBlockOffset);
    if (hr != S_OK)
        return fail(hr);
    double created;
    std::memcpy(&created, m_header.data() + CreationTimeOffset, 8);
    if (created == 0.0) {
        created = Now().Value();
        std::memcpy(m_header.data() + CreationTimeOffset, &created, 8);
        hr = WriteAt(CreationTimeOffset, &created, 8);
        if (hr != S_OK)
            return fail(hr);
    }
    m_publishedEnd = EndOfUsedSpace();
    if (!readOnly) {
        hr = VerifyAndRepairAllocator();
        // A chain that cannot be repaired leaves the file readable but refuses every change.
        if (hr != S_OK && hr != QV_E_DAMAGED)
            return fail(hr);
    }
    return S_OK;
}

HRESULT CStorageFile::InitNewFile()
{
    m_updating = true;
    std::memcpy(m_header.data(), kMagic, 8);
    SetHeader32(8, HeaderVersion);
    const double created = Now().Value();
    std::memcpy(m_header.data() + CreationTimeOffset, &created, 8);
    SetHeader32(AllocatorStateOffset, HeaderSize);
    HRESULT hr = WriteAt(0, m_header.data(), HeaderSize);
    std::uint32_t root = 0;
    if (hr == S_OK)
        hr = AllocateBlock(RootTableDataSize, root);
    if (hr == S_OK) {
        std::uint8_t table[RootTableDataSize] = {};
        Put32(table, RootMagic);
        hr = WriteAt(root, table, sizeof table);
    }
    if (hr == S_OK) {
        hr = Write32(RootTableOffset, root);
        SetHeader32(RootTableOffset, root);
    }
    m_updating = false;
    return hr;
}

HRESULT CStorageFile::Close()
{
    if (m_fd < 0) {
        ResetState();
        return S_OK;
    }
    // Closing the descriptor drops every lock this open holds.
    const int rc = ::close(m_fd);
    const int err = errno;
    m_fd = -1;
    m_readOnly = false;
    ResetState();
    return rc == 0 || err == EINTR ? S_OK : HresultFromErrno(err);
}

// ---------------------------------------------------------------------------------------
// Header fields

QString CStorageFile::GetTitle() const
{
    const auto *title = reinterpret_cast<const char *>(m_header.data() + TitleOffset);
    const void *nul = std::memchr(title, 0, TitleSize);
    const qsizetype length = nul ? static_cast<const char *>(nul) - title : TitleSize;
    return DecodeStoredText(title, length);
}

HRESULT CStorageFile::SetTitle(const QString &title)
{
    std::uint8_t field[TitleSize] = {};
    const QByteArray bytes = EncodeStoredText(title, TitleSize - 1);
    std::memcpy(field, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const HRESULT hr = WriteAt(TitleOffset, field, TitleSize);
    if (hr == S_OK)
        std::memcpy(m_header.data() + TitleOffset, field, TitleSize);
    return hr;
}

CDateTime CStorageFile::GetCreationTime() const
{
    double v;
    std::memcpy(&v, m_header.data() + CreationTimeOffset, 8);
    return CDateTime(v);
}

CDateTime CStorageFile::GetLastBackupTime() const
{
    double v;
    std::memcpy(&v, m_header.data() + LastBackupOffset, 8);
    return CDateTime(v);
}

HRESULT CStorageFile::SetLastBackupTime(const CDateTime &when)
{
    const double v = when.Value();
    const HRESULT hr = WriteAt(LastBackupOffset, &v, 8);
    if (hr == S_OK)
        std::memcpy(m_header.data() + LastBackupOffset, &v, 8);
    return hr;
}

std::uint16_t CStorageFile::GetFlags() const
{
    std::uint16_t flags;
    std::memcpy(&flags, m_header.data() + FlagsOffset, 2);
    return flags;
}

HRESULT CStorageFile::SetBackupFlag(bool on)
{
    std::uint16_t flags = GetFlags();
    flags = on ? (flags | FlagBackupCopy) : (flags & ~FlagBackupCopy);
    const HRESULT hr = WriteAt(FlagsOffset, &flags, 2);
    if (hr == S_OK)
        std::memcpy(m_header.data() + FlagsOffset, &flags, 2);
    return hr;
}

HRESULT CStorageFile::SetConvertedFlag(bool on)
{
    std::uint16_t flags = GetFlags();
    flags = on ? (flags | FlagConverted) : (flags & ~FlagConverted);
    const HRESULT hr = WriteAt(FlagsOffset, &flags, 2);
    if (hr == S_OK)
        std::memcpy(m_header.data() + FlagsOffset, &flags, 2);
    return hr;
}

HRESULT CStorageFile::GetFileInformation(StorageFileInformation &info) const
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        return HresultFromErrno(errno);
    info.volumeSerial = st.st_dev;
    info.fileIndex = st.st_ino;
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.links = static_cast<std::uint32_t>(st.st_nlink);
    info.lastWriteNs = Nanoseconds(st.st_mtim);
    info.lastAccessNs = Nanoseconds(st.st_atim);
    info.changeNs = Nanoseconds(st.st_ctim);
    return S_OK;
}

// ---------------------------------------------------------------------------------------
// Raw I/O

HRESULT CStorageFile::ReadAt(std::uint64_t offset, void *buffer, std::size_t length) const
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    auto *p = static_cast<std::uint8_t *>(buffer);
    while (length > 0) {
        const ssize_t n = ::pread(m_fd, p, length, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return HresultFromErrno(errno);
        }
        if (n == 0)
            return kShortRead;
        p += n;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    return S_OK;
}

HRESULT CStorageFile::WriteAt(std::uint64_t offset, const void *buffer, std::size_t length)
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    if (m_readOnly)
        return S_OK; // the read-only flag is the caller's promise; writes are dropped
    if (m_stickyError != S_OK)
        return m_stickyError;
    ++g_writeCount;
    m_dirty = true;
    if (g_writeLimit == 0)
        return S_OK;
    if (g_writeLimit > 0)
        --g_writeLimit;
    const auto *p = static_cast<const std::uint8_t *>(buffer);
    const std::size_t length0 = length;
    HRESULT hr = S_OK;
    while (length > 0) {
        const ssize_t n = m_io->Write(m_fd, p, length, offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            hr = HresultFromErrno(errno);
            break;
        }
        if (n == 0) {
            hr = HresultFromSystem(kErrorHandleDiskFull);
            break;
        }
        p += n;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    if (hr != S_OK && m_updating)
        m_stickyError = QV_E_DAMAGED;
    // Bytes read ahead (records and entries) take what was written over them; after a failed
    // write they are dropped, as the file's bytes are then unknown.
    const std::uint64_t writeStart = offset - (length0 - length);
    const auto absorb = [&](std::uint64_t copyStart, std::vector<std::uint8_t> &copy) {
        const std::uint64_t copyEnd = copyStart + copy.size();
        if (copy.empty() || writeStart >= copyEnd || offset <= copyStart)
            return true;
        if (hr != S_OK)
            return false;
        const std::uint64_t from = std::max(writeStart, copyStart);
        const std::uint64_t to = std::min(offset, copyEnd);
        std::memcpy(copy.data() + (from - copyStart), static_cast<const std::uint8_t *>(buffer) + (from - writeStart),
                    std::size_t(to - from));
        return true;
    };
    if (!absorb(m_windowStart, m_window))
        m_window.clear();
    if (m_entryRunStart != 0 && !absorb(m_entryRunStart, m_entryRun))
        m_entryRunStart = 0;
    return hr;
}

HRESULT CStorageFile::ReadAhead(std::uint64_t offset, std::uint8_t *out, std::size_t length, std::size_t &got)
{
    got = 0;
    constexpr std::size_t kWindow = 64 * 1024;
    const bool trusted = !m_readOnly || m_inBatch;
    if (!trusted || length > kWindow / 2) {
        m_window.clear();
    } else if (m_window.empty() || offset < m_windowStart || offset + length > m_windowStart + m_window.size()) {
        // The file may end inside the window: keep what there is.
        m_window.resize(kWindow);
        std::size_t have = 0;
        while (have < kWindow) {
            const ssize_t n = ::pread(m_fd, m_window.data() + have, kWindow - have, static_cast<off_t>(offset + have));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                m_window.clear();
                return HresultFromErrno(errno);
            }
            if (n == 0)
                break;
            have += std::size_t(n);
        }
        m_window.resize(have);
        m_windowStart = offset;
    }
    if (!m_window.empty() && offset >= m_windowStart && offset < m_windowStart + m_window.size()) {
        got = std::min<std::size_t>(length, std::size_t(m_windowStart + m_window.size() - offset));
        std::memcpy(out, m_window.data() + (offset - m_windowStart), got);
        return S_OK;
    }
    while (got < length) {
        const ssize_t n = ::pread(m_fd, out + got, length - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return HresultFromErrno(errno);
        if (n == 0)
            break; // the end of the file: the caller checks what it got
        got += std::size_t(n);
    }
    return S_OK;
}

HRESULT CStorageFile::ReadEntry(std::uint32_t id, std::uint32_t entryPos, std::uint8_t *entry)
{
    const bool trusted = !m_readOnly || m_inBatch;
    if (!trusted)
        return ReadAt(entryPos, entry, 5);
    if (m_entryRunStart == 0 || entryPos < m_entryRunStart ||
        std::uint64_t(entryPos) + 5 > std::uint64_t(m_entryRunStart) + m_entryRun.size()) {
        // Enumerations go through ids in order: read the entries of the next ids with this one.
        const std::uint32_t count = std::min<std::uint32_t>(256, 4096 - (id & 0xFFF));
        m_entryRun.resize(std::size_t(count) * EntrySize);
        m_entryRunStart = 0;
        const HRESULT hr = ReadAt(entryPos, m_entryRun.data(), m_entryRun.size());
        if (hr != S_OK)
            return hr;
        m_entryRunStart = entryPos;
    }
    std::memcpy(entry, m_entryRun.data() + (entryPos - m_entryRunStart), 5);
    return S_OK;
}

HRESULT CStorageFile::Write32(std::uint32_t offset, std::uint32_t value)
{
    return WriteAt(offset, &value, 4);
}

HRESULT CStorageFile::Flush()
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    if (m_readOnly)
        return S_OK;
    // The data and what is needed to read it back (the size of a grown file); the file's
    // times are not worth a second journal write.
    int rc;
    do {
        rc = m_io->Sync(m_fd);
    } while (rc < 0 && errno == EINTR);
    if (rc == 0 || errno == EINVAL || errno == EROFS) {
        m_dirty = false;
        m_unsyncedFrees.clear();
    }
    if (rc == 0)
        return S_OK;
    // Only a file that cannot be synced at all counts as flushed; an I/O error means
    // written data may be lost and is reported.
    if (errno == EINVAL || errno == EROFS)
        return S_OK;
    return kFlushFailed;
}

HRESULT CStorageFile::Barrier()
{
    return m_barriers && m_dirty ? Flush() : S_OK;
}

// ---------------------------------------------------------------------------------------
// Locks

HRESULT CStorageFile::LockRange(std::uint32_t offset)
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    auto it = m_lockCounts.find(offset);
    if (it != m_lockCounts.end()) {
        ++it->second;
        return S_OK;
    }
    struct flock fl = {};
    fl.l_type = m_readOnly ? F_RDLCK : F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = offset;
    fl.l_len = 1;
    // Bounded wait: another process holding a byte for too long (or a lock-order mistake)
    // becomes a lock violation instead of a hang.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(g_lockWaitLimitMs);
    auto pause = std::chrono::microseconds(50);
    // A writer that has to wait says so on the writer-waiting byte: readers start no new
    // batch meanwhile, so that readers whose batches overlap cannot keep it out.
    bool announced = false;
    HRESULT hr = S_OK;
    for (;;) {
        if (::fcntl(m_fd, F_OFD_SETLK, &fl) == 0)
            break;
        const int err = errno;
        if (err == EINTR)
            continue;
        if (err != EAGAIN && err != EACCES) {
            hr = HresultFromErrno(err);
            break;
        }
        if (!announced && !m_readOnly && offset != WriterWaitingLockByte &&
            !m_lockCounts.count(WriterWaitingLockByte)) {
            announced = LockRange(WriterWaitingLockByte) == S_OK;
            continue;
        }
        if (Clock::now() >= deadline) {
            hr = HresultFromSystem(SystemError::LockViolation);
            break;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    }
    if (announced)
        UnlockRange(WriterWaitingLockByte);
    if (hr == S_OK)
        m_lockCounts.emplace(offset, 1);
    return hr;
}

HRESULT CStorageFile::UnlockRange(std::uint32_t offset)
{
    auto it = m_lockCounts.find(offset);
    if (m_fd < 0 || it == m_lockCounts.end())
        return HresultFromSystem(kErrorNotLocked);
    if (--it->second > 0)
        return S_OK;
    m_lockCounts.erase(it);
    if (InBatchRange(offset))
        return S_OK; // the batch's lock covers this byte and is let go with the batch
    struct flock fl = {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = offset;
    fl.l_len = 1;
    int rc;
    do {
        rc = ::fcntl(m_fd, F_OFD_SETLK, &fl);
    } while (rc < 0 && errno == EINTR);
    return rc == 0 ? S_OK : HresultFromErrno(errno);
}

// ---------------------------------------------------------------------------------------
// Blocks

HRESULT CStorageFile::ReadAllocatorState()
{
    return ReadAt(AllocatorStateOffset, m_header.data() + AllocatorStateOffset, 12);
}

HRESULT CStorageFile::WriteAllocatorState()
{
    return WriteAt(AllocatorStateOffset, m_header.data() + AllocatorStateOffset, 12);
}

HRESULT CStorageFile::RefreshAllocatorState()
{
    HRESULT hr = LockRange(AllocatorLockByte);
    if (hr != S_OK)
        return hr;
    hr = ReadAllocatorState();
    const HRESULT unlock = UnlockRange(AllocatorLockByte);
    return hr != S_OK ? hr : unlock;
}

HRESULT CStorageFile::ReadBlockHeader(std::uint32_t start, BlockHeader &h, bool withLinks) const
{
    std::uint8_t raw[FreeBlockHeaderSize];
    const HRESULT hr = ReadAt(start, raw, withLinks ? FreeBlockHeaderSize : BlockHeaderSize);
    if (hr != S_OK)
        return hr;
    h.size = Get32(raw);
    h.prevSize = Get32(raw + 4);
    h.flags = raw[8];
    h.next = withLinks ? Get32(raw + 9) : 0;
    h.prev = withLinks ? Get32(raw + 13) : 0;
    return S_OK;
}

HRESULT CStorageFile::MarkDamaged()
{
    m_stickyError = QV_E_DAMAGED;
    return kShortRead;
}

bool CStorageFile::FreedSinceSync(std::uint32_t start, std::uint32_t size) const
{
    for (const auto &[from, to] : m_unsyncedFrees) {
        if (from < start + size && start < to)
            return true;
    }
    return false;
}

bool CStorageFile::IsBlockStart(std::uint32_t start) const
{
    return start % 16 == 0 && start >= HeaderSize && start < EndOfUsedSpace();
}

HRESULT CStorageFile::AllocateBlock(std::uint32_t byteCount, std::uint32_t &dataOffset)
{
    return AllocateWithData(byteCount, nullptr, 0, dataOffset);
}

HRESULT CStorageFile::AllocateWithData(std::uint32_t byteCount, const void *data, std::uint32_t length,
                                       std::uint32_t &dataOffset)
{
    dataOffset = 0;
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    if (m_stickyError != S_OK)
        return m_stickyError;
    if (byteCount > MaxRequest)
        return HresultFromSystem(SystemError::DiskFull);
    const std::uint32_t wanted = BlockSizeFor(byteCount);
    // Only this process changes the allocator state, so the copy in memory is current. The
    // state is read again before a walk of the free list, which then checks what is on disk.
    const bool walk = m_noFitFrom == 0 || wanted < m_noFitFrom;
    HRESULT hr = S_OK;
    m_updating = true;
    std::uint32_t start = 0;
    if (walk)
        hr = ReadAllocatorState();
    if (hr == S_OK)
        hr = AllocateLocked(wanted, start, data, length);
    if (hr == S_OK) {
        // Readers look at the end of used space (under the allocator lock); the rest of the
        // state is the writer's own.
        const bool moved = EndOfUsedSpace() != m_publishedEnd;
        if (moved)
            hr = LockRange(AllocatorLockByte);
        if (hr == S_OK) {
            hr = WriteAllocatorState();
            if (moved) {
                if (hr == S_OK)
                    m_publishedEnd = EndOfUsedSpace();
                const HRESULT unlock = UnlockRange(AllocatorLockByte);
                if (hr == S_OK)
                    hr = unlock;
            }
        }
    }
    m_updating = false;
    if (hr == S_OK)
        dataOffset = start + BlockHeaderSize;
    return hr;
}

HRESULT CStorageFile::Unlink(std::uint32_t start, const BlockHeader &h)
{
    // Neighbours are checked before they are written, so that a damaged link never sends
    // a write to an arbitrary place in the file.
    BlockHeader n;
    if (h.prev != 0) {
        if (!IsBlockStart(h.prev) || ReadBlockHeader(h.prev, n, true) != S_OK || n.InUse() || n.next != start)
            return MarkDamaged();
    }
    if (h.next != 0) {
        if (!IsBlockStart(h.next) || ReadBlockHeader(h.next, n, true) != S_OK || n.InUse() || n.prev != start)
            return MarkDamaged();
    }
    HRESULT hr = S_OK;
    if (h.prev != 0)
        hr = Write32(h.prev + 9, h.next);
    else
        SetHeader32(AllocatorStateOffset + 4, h.next);
    if (hr == S_OK && h.next != 0)
        hr = Write32(h.next + 13, h.prev);
    return hr;
}

HRESULT CStorageFile::AllocateLocked(std::uint32_t wanted, std::uint32_t &start, const void *payload,
                                     std::uint32_t payloadLength)
{
    const std::uint32_t end = EndOfUsedSpace();
    if (end < HeaderSize || end % 16 != 0)
        return MarkDamaged();
    if (payloadLength > wanted - BlockHeaderSize)
        return kBadDataOffset;
    // The block's first bytes (header, or only its in-use flag) followed by the payload, so
    // that both go in one write.
    std::vector<std::uint8_t> out;
    const auto withPayload = [&](const std::uint8_t *head, std::uint32_t headLength) {
        out.assign(head, head + headLength);
        if (payload)
            out.insert(out.end(), static_cast<const std::uint8_t *>(payload),
                       static_cast<const std::uint8_t *>(payload) + payloadLength);
        return out.data();
    };
    const bool walk = m_noFitFrom == 0 || wanted < m_noFitFrom;
    // First fit along the free list. The countdown of unwalked bytes bounds the walk even
    // when the links form a loop.
    std::uint64_t unwalked = end - HeaderSize;
    std::uint32_t cur = walk ? FreeHead() : 0;
    std::uint32_t cameFrom = 0;
    std::uint32_t largest = 0;
    bool reuseWaits = false; // a block would fit but was freed since the last sync
    BlockHeader h;
    while (cur != 0) {
        if (!IsBlockStart(cur))
            return MarkDamaged();
        HRESULT hr = ReadBlockHeader(cur, h, true);
        if (hr != S_OK)
            return hr;
        const bool bad = h.size <= 16 || h.size % 16 != 0 || h.size > unwalked ||
                         std::uint64_t(cur) + h.size > end || h.InUse() || h.prev == cur ||
                         h.prev != cameFrom || h.next == cur || h.next % 16 != 0 ||
                         (h.next > cur && h.next < cur + h.size) ||
                         (h.prev != 0 && h.prev < cur && std::uint64_t(h.prev) + h.prevSize > cur);
        if (bad)
            return MarkDamaged();
        unwalked -= h.size;
        if (h.size >= wanted && !FreedSinceSync(cur, h.size))
            break;
        if (h.size >= wanted)
            reuseWaits = true;
        else
            largest = std::max(largest, h.size);
        cameFrom = cur;
        cur = h.next;
    }
    if (walk && cur == 0 && !reuseWaits)
        m_noFitFrom = largest + 16; // nothing of that size or more is free

    if (cur != 0) {
        if (h.size > wanted + SplitSlack) {
            // Split: the remainder's header goes in first, so the chain stays whole if the
            // sequence is cut off before the taken block is shrunk.
            const std::uint32_t rest = h.size - wanted;
            const std::uint32_t remainder = cur + wanted;
            BlockHeader nextFree;
            if (h.next != 0 && (!IsBlockStart(h.next) || ReadBlockHeader(h.next, nextFree, true) != S_OK ||
                                nextFree.InUse() || nextFree.prev != cur))
                return MarkDamaged();
            std::uint8_t raw[FreeBlockHeaderSize] = {};
            Put32(raw, rest);
            Put32(raw + 4, wanted);
            raw[8] = 0;
            Put32(raw + 9, h.next);
            Put32(raw + 13, h.prev);
            HRESULT hr = WriteAt(remainder, raw, FreeBlockHeaderSize);
            if (hr == S_OK)
                hr = Barrier();
            if (hr != S_OK)
                return hr;
            std::uint8_t taken[BlockHeaderSize] = {};
            Put32(taken, wanted);
            Put32(taken + 4, h.prevSize);
            taken[8] = 1;
            const std::uint8_t *bytes = withPayload(taken, BlockHeaderSize);
            hr = WriteAt(cur, bytes, out.size());
            if (hr != S_OK)
                return hr;
            if (cur + h.size == end)
                SetHeader32(AllocatorStateOffset + 8, rest);
            else if ((hr = Write32(cur + h.size + 4, rest)) != S_OK)
                return hr;
            if (h.prev != 0)
                hr = Write32(h.prev + 9, remainder);
            else
                SetHeader32(AllocatorStateOffset + 4, remainder);
            if (hr == S_OK && h.next != 0)
                hr = Write32(h.next + 13, remainder);
            if (hr != S_OK)
                return hr;
        } else {
            // Unlinked before it is marked in use: a cut-off sequence leaves a free block.
            HRESULT hr = Unlink(cur, h);
            if (hr != S_OK)
                return hr;
            const std::uint8_t inUse = 1;
            const std::uint8_t *bytes = withPayload(&inUse, 1);
            hr = WriteAt(cur + 8, bytes, out.size());
            if (hr != S_OK)
                return hr;
        }
        start = cur;
        return S_OK;
    }

    // Nothing fits: append. The block is written beyond the end of used space before the
    // end moves over it.
    if (std::uint64_t(end) + wanted > MaxMergedSize)
        return HresultFromSystem(SystemError::DiskFull);
    // Header, payload and zeros to the block's end in one write: the file covers the whole
    // block before the end of used space moves over it.
    std::uint8_t raw[BlockHeaderSize] = {};
    Put32(raw, wanted);
    Put32(raw + 4, LastBlockSize());
    raw[8] = 1;
    withPayload(raw, BlockHeaderSize);
    out.resize(wanted, 0);
    HRESULT hr = WriteAt(end, out.data(), out.size());
    if (hr == S_OK)
        hr = Barrier();
    if (hr != S_OK)
        return hr;
    start = end;
    SetHeader32(AllocatorStateOffset + 8, wanted);
    SetHeader32(AllocatorStateOffset, end + wanted);
    return S_OK;
}

HRESULT CStorageFile::FreeBlock(std::uint32_t dataOffset)
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    if (m_stickyError != S_OK)
        return m_stickyError;
    if (dataOffset < HeaderSize + BlockHeaderSize || (dataOffset - BlockHeaderSize) % 16 != 0)
        return kBadDataOffset;
    HRESULT hr = LockRange(AllocatorLockByte);
    if (hr != S_OK)
        return hr;
    m_updating = true;
    m_noFitFrom = 0; // a larger free block may come of this
    hr = ReadAllocatorState();
    if (hr == S_OK)
        hr = FreeLocked(dataOffset - BlockHeaderSize);
    if (hr == S_OK)
        hr = WriteAllocatorState();
    if (hr == S_OK)
        m_publishedEnd = EndOfUsedSpace();
    m_updating = false;
    const HRESULT unlock = UnlockRange(AllocatorLockByte);
    return hr != S_OK ? hr : unlock;
}

HRESULT CStorageFile::FreeLocked(std::uint32_t start)
{
    const std::uint32_t end = EndOfUsedSpace();
    if (start >= end)
        return kBadDataOffset;
    BlockHeader h;
    HRESULT hr = ReadBlockHeader(start, h, false);
    if (hr != S_OK)
        return hr;
    if (!h.InUse() || h.size < 17 || h.size % 16 != 0 || std::uint64_t(start) + h.size > end)
        return kBadDataOffset;

    // Mark free and push onto the head of the list.
    const std::uint32_t oldHead = FreeHead();
    if (oldHead != 0) {
        BlockHeader head;
        if (!IsBlockStart(oldHead) || ReadBlockHeader(oldHead, head, true) != S_OK || head.InUse() ||
            head.prev != 0)
            return MarkDamaged();
    }
    std::uint8_t raw[FreeBlockHeaderSize] = {};
    Put32(raw, h.size);
    Put32(raw + 4, h.prevSize);
    raw[8] = 0;
    Put32(raw + 9, oldHead);
    Put32(raw + 13, 0);
    hr = WriteAt(start, raw, FreeBlockHeaderSize);
    if (hr == S_OK && oldHead != 0)
        hr = Write32(oldHead + 13, start);
    if (hr != S_OK)
        return hr;
    SetHeader32(AllocatorStateOffset + 4, start);
    if (m_barriers)
        m_unsyncedFrees.emplace_back(start, start + h.size);

    // Coalesce: back to the first free block of the run, then absorb what follows.
    std::uint32_t first = start;
    BlockHeader firstHeader = h;
    firstHeader.flags = 0;
    while (first > HeaderSize) {
        if (firstHeader.prevSize == 0 || firstHeader.prevSize % 16 != 0 ||
            firstHeader.prevSize > first - HeaderSize)
            return MarkDamaged();
        const std::uint32_t before = first - firstHeader.prevSize;
        BlockHeader b;
        if ((hr = ReadBlockHeader(before, b, false)) != S_OK)
            return hr;
        if (b.size != firstHeader.prevSize)
            return MarkDamaged();
        if (b.InUse())
            break;
        first = before;
        firstHeader = b;
    }
    std::uint32_t total = firstHeader.size;
    while (std::uint64_t(first) + total < end) {
        const std::uint32_t next = first + total;
        BlockHeader n;
        if ((hr = ReadBlockHeader(next, n, true)) != S_OK)
            return hr;
        if (n.size < MinBlockSize || n.size % 16 != 0 || std::uint64_t(next) + n.size > end ||
            n.prevSize != total)
            return MarkDamaged();
        if (n.InUse() || std::uint64_t(total) + n.size > MaxMergedSize)
            break;
        if ((hr = Unlink(next, n)) != S_OK)
            return hr;
        total += n.size;
        if ((hr = Write32(first, total)) != S_OK)
            return hr;
        if (std::uint64_t(first) + total < end && (hr = Write32(first + total + 4, total)) != S_OK)
            return hr;
    }
    if (std::uint64_t(first) + total == end)
        SetHeader32(AllocatorStateOffset + 8, total);
    return S_OK;
}

HRESULT CStorageFile::GetBlockDataSize(std::uint32_t dataOffset, std::uint32_t &size)
{
    size = 0;
    if (dataOffset == 0)
        return S_OK;
    if (dataOffset < HeaderSize + BlockHeaderSize || (dataOffset - BlockHeaderSize) % 16 != 0)
        return kBadDataOffset;
    const std::uint32_t start = dataOffset - BlockHeaderSize;
    if (start >= EndOfUsedSpace() && m_readOnly) {
        // A writer may have grown the file since this reader last looked.
        const HRESULT hr = RefreshAllocatorState();
        if (hr != S_OK)
            return hr;
    }
    if (start >= EndOfUsedSpace())
        return kBadDataOffset;
    BlockHeader h;
    const HRESULT hr = ReadBlockHeader(start, h, false);
    if (hr != S_OK)
        return hr;
    if (!h.InUse() || h.size < 17 || std::uint64_t(start) + h.size > EndOfUsedSpace())
        return kBadDataOffset;
    size = h.size - BlockHeaderSize;
    return S_OK;
}

// ---------------------------------------------------------------------------------------
// Checking and repairing the allocator state

namespace {
struct ChainBlock
{
    std::uint32_t start;
    std::uint32_t size;
    std::uint32_t prevSize;
    bool inUse;
    std::uint32_t next;
    std::uint32_t prev;
};

// Reads the block headers of the chain through a window, so that a file of many small
// blocks costs few reads.
class ChainReader
{
  public:
    explicit ChainReader(const CStorageFile &file, std::uint32_t end) : m_file(file), m_end(end) {}

    HRESULT Fetch(std::uint32_t offset, std::uint8_t *out, std::uint32_t length)
    {
        if (offset < m_base || std::uint64_t(offset) + length > std::uint64_t(m_base) + m_window.size()) {
            const std::uint32_t size = std::min<std::uint32_t>(64 * 1024, m_end - offset);
            if (size < length)
                return QV_E_BAD_BLOCK;
            m_window.resize(size);
            const HRESULT hr = m_file.ReadAt(offset, m_window.data(), size);
            if (hr != S_OK) {
                m_window.clear();
                return hr;
            }
            m_base = offset;
        }
        std::memcpy(out, m_window.data() + (offset - m_base), length);
        return S_OK;
    }

  private:
    const CStorageFile &m_file;
    std::uint32_t m_end;
    std::uint32_t m_base = 0;
    std::vector<std::uint8_t> m_window;
};

// Walks the chain from the first block to the end of used space. Fails (with a reason) only
// when the chain itself is broken, which no repair can mend.
HRESULT WalkChain(const CStorageFile &file, std::uint32_t end, std::vector<ChainBlock> &blocks,
                  QString &problem)
{
    blocks.clear();
    ChainReader reader(file, end);
    std::uint32_t at = StorageLayout::HeaderSize;
    while (at < end) {
        std::uint8_t raw[StorageLayout::FreeBlockHeaderSize];
        HRESULT hr = reader.Fetch(at, raw, StorageLayout::BlockHeaderSize);
        if (hr != S_OK) {
            problem = QStringLiteral("block at %1 cannot be read").arg(at);
            return hr;
        }
        ChainBlock b{at, Get32(raw), Get32(raw + 4), (raw[8] & 1) != 0, 0, 0};
        if (b.size < StorageLayout::MinBlockSize || b.size % 16 != 0 || b.size > end - at) {
            problem = QStringLiteral("block at %1 has size %2").arg(at).arg(b.size);
            return QV_E_DAMAGED;
        }
        if (!b.inUse) {
            if ((hr = reader.Fetch(at, raw, StorageLayout::FreeBlockHeaderSize)) != S_OK) {
                problem = QStringLiteral("free block at %1 cannot be read").arg(at);
                return hr;
            }
            b.next = Get32(raw + 9);
            b.prev = Get32(raw + 13);
        }
        blocks.push_back(b);
        at += b.size;
    }
    return S_OK;
}

// The first inconsistency of the derived allocator data, or an empty text.
QString FindInconsistency(const std::vector<ChainBlock> &blocks, std::uint32_t head, std::uint32_t lastSize)
{
    std::unordered_map<std::uint32_t, std::size_t> index;
    std::size_t freeCount = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const ChainBlock &b = blocks[i];
        index.emplace(b.start, i);
        const std::uint32_t expectPrev = i == 0 ? 0 : blocks[i - 1].size;
        if (b.prevSize != expectPrev)
            return QStringLiteral("block at %1 records previous size %2, not %3")
                .arg(b.start)
                .arg(b.prevSize)
                .arg(expectPrev);
        if (!b.inUse) {
            ++freeCount;
            if (i > 0 && !blocks[i - 1].inUse &&
                std::uint64_t(blocks[i - 1].size) + b.size <= StorageLayout::MaxMergedSize)
                return QStringLiteral("free blocks at %1 and %2 are not merged")
                    .arg(blocks[i - 1].start)
                    .arg(b.start);
        }
    }
    const std::uint32_t expectLast = blocks.empty() ? 0 : blocks.back().size;
    if (lastSize != expectLast)
        return QStringLiteral("last-block size %1, not %2").arg(lastSize).arg(expectLast);
    std::size_t listed = 0;
    std::uint32_t prev = 0;
    for (std::uint32_t cur = head; cur != 0;) {
        const auto it = index.find(cur);
        if (it == index.end())
            return QStringLiteral("free list names %1, which is no block").arg(cur);
        const ChainBlock &b = blocks[it->second];
        if (b.inUse)
            return QStringLiteral("free list names block %1, which is in use").arg(cur);
        if (b.prev != prev)
            return QStringLiteral("free block %1 links back to %2, not %3").arg(cur).arg(b.prev).arg(prev);
        if (++listed > freeCount)
            return QStringLiteral("free list loops");
        prev = cur;
        cur = b.next;
    }
    if (listed != freeCount)
        return QStringLiteral("%1 free blocks, %2 on the free list").arg(freeCount).arg(listed);
    return QString();
}
} // namespace

HRESULT CStorageFile::CheckAllocator(QString &problem)
{
    problem.clear();
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    HRESULT hr = RefreshAllocatorState();
    if (hr != S_OK)
        return hr;
    std::vector<ChainBlock> blocks;
    hr = WalkChain(*this, EndOfUsedSpace(), blocks, problem);
    if (hr != S_OK)
        return problem.isEmpty() ? hr : S_OK;
    problem = FindInconsistency(blocks, FreeHead(), LastBlockSize());
    return S_OK;
}

HRESULT CStorageFile::VerifyAndRepairAllocator()
{
    m_noFitFrom = 0;
    HRESULT hr = LockRange(AllocatorLockByte);
    if (hr != S_OK)
        return hr;
    hr = ReadAllocatorState();
    const std::uint32_t end = EndOfUsedSpace();
    std::vector<ChainBlock> blocks;
    QString problem;
    if (hr == S_OK && (end < HeaderSize || end % 16 != 0)) {
        hr = QV_E_DAMAGED;
    }
    if (hr == S_OK)
        hr = WalkChain(*this, end, blocks, problem);
    if (hr != S_OK) {
        // The chain itself is broken (not something a cut-off write leaves): keep the file
        // readable and refuse changes.
        m_stickyError = QV_E_DAMAGED;
        UnlockRange(AllocatorLockByte);
        return QV_E_DAMAGED;
    }
    if (FindInconsistency(blocks, FreeHead(), LastBlockSize()).isEmpty()) {
        UnlockRange(AllocatorLockByte);
        return S_OK;
    }

    // Rebuild everything that derives from the chain. Each step is safe to cut off: the
    // next read-write open repeats it.
    m_updating = true;
    std::vector<ChainBlock> merged;
    merged.reserve(blocks.size());
    for (const ChainBlock &b : blocks) {
        if (!merged.empty() && !merged.back().inUse && !b.inUse &&
            std::uint64_t(merged.back().size) + b.size <= MaxMergedSize) {
            merged.back().size += b.size;
            if ((hr = Write32(merged.back().start, merged.back().size)) != S_OK)
                break;
            continue;
        }
        merged.push_back(b);
    }
    std::uint32_t head = 0;
    std::uint32_t prevFree = 0;
    for (std::size_t i = 0; hr == S_OK && i < merged.size(); ++i) {
        ChainBlock &b = merged[i];
        const std::uint32_t prevSize = i == 0 ? 0 : merged[i - 1].size;
        if (b.prevSize != prevSize && (hr = Write32(b.start + 4, prevSize)) != S_OK)
            break;
        if (b.inUse)
            continue;
        // Links: this block's previous now, its next when the following free block is met.
        std::uint8_t links[8] = {};
        Put32(links + 4, prevFree);
        if ((hr = WriteAt(b.start + 9, links, 8)) != S_OK)
            break;
        if (prevFree != 0)
            hr = Write32(prevFree + 9, b.start);
        else
            head = b.start;
        prevFree = b.start;
    }
    if (hr == S_OK) {
        SetHeader32(AllocatorStateOffset + 4, head);
        SetHeader32(AllocatorStateOffset + 8, merged.empty() ? 0 : merged.back().size);
        hr = WriteAllocatorState();
    }
    // The merged blocks are on the disk before an allocation writes into them.
    if (hr == S_OK)
        hr = Barrier();
    m_updating = false;
    UnlockRange(AllocatorLockByte);
    return hr;
}

HRESULT CStorageFile::FreeUnreferencedBlocks(int *freed)
{
    if (freed)
        *freed = 0;
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    if (m_readOnly)
        return S_OK;
    if (m_stickyError != S_OK)
        return m_stickyError;
    // Table lock first, then the allocator's, as a table walk that makes a table does.
    HRESULT hr = LockRange(TableLockByte);
    if (hr != S_OK)
        return hr;
    hr = LockRange(AllocatorLockByte);
    if (hr != S_OK) {
        UnlockRange(TableLockByte);
        return hr;
    }
    std::vector<ChainBlock> blocks;
    QString problem;
    hr = ReadAllocatorState();
    if (hr == S_OK)
        hr = WalkChain(*this, EndOfUsedSpace(), blocks, problem);

    std::unordered_map<std::uint32_t, std::size_t> inUse; // data offset -> block
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].inUse)
            inUse.emplace(blocks[i].start + BlockHeaderSize, i);
    }
    std::vector<bool> referenced(blocks.size(), false);
    bool sound = hr == S_OK;
    // Marks the block a reference names; a reference to anything but an in-use block large
    // enough for what it holds means the table cannot be trusted.
    const auto refer = [&](std::uint32_t dataOffset, std::uint32_t needed) {
        const auto it = inUse.find(dataOffset);
        if (it == inUse.end() || blocks[it->second].size - BlockHeaderSize < needed)
            return false;
        referenced[it->second] = true;
        return true;
    };
    const auto slotsOf = [&](std::uint32_t table, std::uint32_t dataSize, std::vector<std::uint8_t> &bytes) {
        bytes.resize(dataSize);
        return ReadAt(table, bytes.data(), dataSize) == S_OK;
    };
    std::vector<std::uint8_t> root, level2, level3;
    const std::uint32_t rootOffset = Header32(RootTableOffset);
    sound = sound && refer(rootOffset, RootTableDataSize) && slotsOf(rootOffset, RootTableDataSize, root);
    for (std::uint32_t i = 0; sound && i < 16; ++i) {
        const std::uint32_t l2 = Get32(root.data() + 4 + 4 * i);
        if (l2 == 0)
            continue;
        sound = refer(l2, Level2TableDataSize) && slotsOf(l2, Level2TableDataSize, level2);
        for (std::uint32_t j = 0; sound && j < 256; ++j) {
            const std::uint32_t l3 = Get32(level2.data() + 4 + 4 * j);
            if (l3 == 0)
                continue;
            sound = refer(l3, Level3TableDataSize) && slotsOf(l3, Level3TableDataSize, level3);
            for (std::uint32_t k = 0; sound && k < 4096; ++k) {
                const std::uint32_t object = Get32(level3.data() + 4 + EntrySize * k);
                if (object != 0)
                    sound = refer(object, 0);
            }
        }
    }

    int count = 0;
    if (sound) {
        // Clearing the in-use bit is the whole change: the repair below (or the next open's)
        // puts the block on the free list and merges it with its neighbours.
        m_updating = true;
        for (std::size_t i = 0; hr == S_OK && i < blocks.size(); ++i) {
            if (!blocks[i].inUse || referenced[i])
                continue;
            const std::uint8_t flags = 0;
            hr = WriteAt(blocks[i].start + 8, &flags, 1);
            if (hr == S_OK)
                ++count;
        }
        m_updating = false;
    }
    UnlockRange(AllocatorLockByte);
    UnlockRange(TableLockByte);
    if (hr == S_OK && count > 0)
        hr = VerifyAndRepairAllocator();
    if (freed)
        *freed = count;
    return hr;
}

// ---------------------------------------------------------------------------------------
// Object table

HRESULT CStorageFile::CheckTableBlock(std::uint32_t tableOffset, std::uint32_t dataSize)
{
    // A table offset read from the file is trusted only when it names an in-use block large
    // enough for the table: writes through it then stay inside that block.
    std::uint32_t usable = 0;
    const HRESULT hr = GetBlockDataSize(tableOffset, usable);
    if (hr != S_OK || usable < dataSize)
        return kShortRead;
    return S_OK;
}

HRESULT CStorageFile::LocateTable(std::uint32_t slotPos, std::uint32_t dataSize, std::uint32_t magic,
                                  bool create, std::uint32_t &tableOffset)
{
    tableOffset = 0;
    std::uint32_t slot = 0;
    HRESULT hr = ReadAt(slotPos, &slot, 4);
    if (hr != S_OK)
        return hr;
    if (slot != 0) {
        if ((hr = CheckTableBlock(slot, dataSize)) != S_OK)
            return hr;
        tableOffset = slot;
        return S_OK;
    }
    if (!create || m_readOnly)
        return QV_E_NO_ENTRY;
    std::uint32_t table = 0;
    if ((hr = AllocateBlock(dataSize, table)) != S_OK)
        return hr;
    // The table is complete before its parent slot names it.
    static const std::array<std::uint8_t, 4096> zeros{};
    std::array<std::uint8_t, 4096> first{};
    Put32(first.data(), magic);
    for (std::uint32_t done = 0; hr == S_OK && done < dataSize;) {
        const std::uint32_t piece = std::min<std::uint32_t>(4096, dataSize - done);
        hr = WriteAt(table + done, done == 0 ? first.data() : zeros.data(), piece);
        done += piece;
    }
    if (hr == S_OK)
        hr = Barrier();
    if (hr == S_OK)
        hr = Write32(slotPos, table);
    if (hr != S_OK) {
        FreeBlock(table);
        return hr;
    }
    tableOffset = table;
    return S_OK;
}

HRESULT CStorageFile::LocateEntry(std::uint32_t id, bool create, std::uint32_t &entryPos)
{
    entryPos = 0;
    if (id > MaxObjectId)
        return kIdOutOfRange;
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    const std::uint32_t rootIndex = id >> 20;
    const std::uint32_t level3Key = id >> 12;
    if (m_level3Tables.empty())
        m_level3Tables.assign((MaxObjectId >> 12) + 1, 0);
    if (m_level3Tables[level3Key] != 0) {
        // A table named by its parent stays where it is: no lock and no read needed.
        entryPos = m_level3Tables[level3Key] + 4 + (id & 0xFFF) * EntrySize;
        return S_OK;
    }
    HRESULT hr = LockRange(TableLockByte);
    if (hr != S_OK)
        return hr;
    if (m_level2Tables[rootIndex] == 0) {
        std::uint32_t table = 0;
        const std::uint32_t root = Header32(RootTableOffset);
        hr = CheckTableBlock(root, RootTableDataSize);
        if (hr == S_OK)
            hr = LocateTable(root + 4 + 4 * rootIndex, Level2TableDataSize, Level2Magic, create, table);
        if (hr == S_OK)
            m_level2Tables[rootIndex] = table;
    }
    if (hr == S_OK) {
        std::uint32_t table = 0;
        hr = LocateTable(m_level2Tables[rootIndex] + 4 + 4 * ((id >> 12) & 0xFF), Level3TableDataSize,
                         Level3Magic, create, table);
        if (hr == S_OK)
            m_level3Tables[level3Key] = table;
    }
    if (hr == S_OK)
        entryPos = m_level3Tables[level3Key] + 4 + (id & 0xFFF) * EntrySize;
    const HRESULT unlock = UnlockRange(TableLockByte);
    return hr != S_OK ? hr : unlock;
}

HRESULT CStorageFile::OpenObject(std::uint32_t id, std::uint32_t &dataOffset)
{
    return OpenObjectImpl(id, false, dataOffset);
}

HRESULT CStorageFile::OpenOrCreateObject(std::uint32_t id, std::uint32_t &dataOffset)
{
    return OpenObjectImpl(id, true, dataOffset);
}

HRESULT CStorageFile::OpenObjectImpl(std::uint32_t id, bool create, std::uint32_t &dataOffset)
{
    dataOffset = 0;
    std::uint32_t pos = 0;
    HRESULT hr = LocateEntry(id, create, pos);
    if (hr == QV_E_NO_ENTRY && create && m_readOnly) {
        // A reader cannot make the entry; it sees an object without data, as the writer would.
        ++m_heldObjects[id].count;
        return S_OK;
    }
    if (hr != S_OK)
        return hr;
    const std::uint32_t lockByte = pos + 5;
    if ((hr = LockRange(lockByte)) != S_OK)
        return hr;
    std::uint8_t entry[5];
    hr = ReadAt(pos, entry, 5);
    if (hr == S_OK && !entry[4]) {
        if (!create) {
            hr = QV_E_NO_ENTRY;
        } else if (!m_readOnly) {
            const std::uint8_t fresh[5] = {0, 0, 0, 0, 1};
            hr = WriteAt(pos, fresh, 5);
            std::memcpy(entry, fresh, 5);
        } else {
            std::memset(entry, 0, 4);
        }
    }
    if (hr != S_OK) {
        UnlockRange(lockByte);
        return hr;
    }
    HeldObject &held = m_heldObjects[id];
    held.entryPos = pos;
    ++held.count;
    dataOffset = Get32(entry);
    return S_OK;
}

HRESULT CStorageFile::ReleaseObject(std::uint32_t id)
{
    return ReleaseEntry(id);
}

HRESULT CStorageFile::ReleaseEntry(std::uint32_t id)
{
    const auto it = m_heldObjects.find(id);
    if (it == m_heldObjects.end())
        return HresultFromSystem(kErrorNotLocked);
    const std::uint32_t pos = it->second.entryPos;
    if (--it->second.count == 0)
        m_heldObjects.erase(it);
    return pos == 0 ? S_OK : UnlockRange(pos + 5);
}

HRESULT CStorageFile::FreeReplacedBlock(std::uint32_t oldOffset)
{
    const HRESULT hr = FreeBlock(oldOffset);
    // The entry no longer names the old offset; one that was not a block is simply dropped.
    return hr == kBadDataOffset ? S_OK : hr;
}

HRESULT CStorageFile::SetObjectOffset(std::uint32_t id, std::uint32_t dataOffset)
{
    if (dataOffset != 0 &&
        (dataOffset < HeaderSize + BlockHeaderSize || (dataOffset - BlockHeaderSize) % 16 != 0))
        return kBadDataOffset;
    std::uint32_t pos = 0;
    const auto held = m_heldObjects.find(id);
    HRESULT hr = S_OK;
    if (held != m_heldObjects.end() && held->second.entryPos != 0)
        pos = held->second.entryPos;
    else if ((hr = LocateEntry(id, false, pos)) != S_OK)
        return hr;
    // The new block (and the chain that holds it) is on the disk before the entry names it.
    if (dataOffset != 0 && (hr = Barrier()) != S_OK)
        return hr;
    // Readers that hold the entry finish with the old block before it moves.
    if ((hr = LockRange(pos + 5)) != S_OK)
        return hr;
    std::uint8_t entry[5];
    hr = ReadEntry(id, pos, entry);
    const std::uint32_t old = Get32(entry);
    // The entry moves to the new block first; only then is the old one given back, so a
    // cut-off sequence can leak a block but never leave the entry naming a free one.
    std::uint8_t fresh[5];
    Put32(fresh, dataOffset);
    fresh[4] = 1;
    if (hr == S_OK)
        hr = WriteAt(pos, fresh, 5);
    const HRESULT unlock = UnlockRange(pos + 5);
    // The entry goes to the disk before the block it named is freed; with that, the change is
    // durable, and the free may follow without a sync of its own.
    if (hr == S_OK)
        hr = Barrier();
    if (hr != S_OK)
        return hr;
    // A reader that takes the entry from now on finds the new block, so the old one can go.
    if (old != dataOffset && old != 0)
        hr = FreeReplacedBlock(old);
    return hr != S_OK ? hr : unlock;
}

HRESULT CStorageFile::ReplaceObjectData(std::uint32_t id, const void *data, std::uint32_t length)
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    if (m_stickyError != S_OK)
        return m_stickyError;
    std::uint32_t pos = 0;
    HRESULT hr = LocateEntry(id, true, pos);
    if (hr != S_OK)
        return hr;
    // Always a new block, complete before the entry names it: a save cut off at any point
    // leaves the old data or the new.
    std::uint32_t block = 0;
    if (length > 0 && (hr = AllocateWithData(length, data, length, block)) != S_OK)
        return hr;
    hr = SetObjectOffset(id, block);
    if (hr != S_OK && block != 0)
        FreeBlock(block);
    return hr;
}

HRESULT CStorageFile::PeekObject(std::uint32_t id, std::uint32_t &dataOffset)
{
    dataOffset = 0;
    std::uint32_t pos = 0;
    HRESULT hr = LocateEntry(id, false, pos);
    if (hr != S_OK)
        return hr;
    if (m_inBatch && (hr = HoldTableEntries(m_level3Tables[id >> 12])) != S_OK)
        return hr;
    std::uint8_t entry[5];
    if ((hr = ReadEntry(id, pos, entry)) != S_OK)
        return hr;
    if (!entry[4])
        return QV_E_NO_ENTRY;
    dataOffset = Get32(entry);
    return S_OK;
}

HRESULT CStorageFile::ReadObjectData(std::uint32_t id, std::int64_t maxBytes, QByteArray &data,
                                     std::uint32_t &usable)
{
    data.clear();
    usable = 0;
    std::uint32_t pos = 0;
    HRESULT hr = LocateEntry(id, false, pos);
    if (hr != S_OK)
        return hr;
    // A writer reads without locks: only it changes entries and blocks. A reader holds the
    // entry while it reads the block, so that the block is not given away meanwhile.
    bool ownLock = false;
    if (m_readOnly) {
        if (m_inBatch) {
            hr = HoldTableEntries(m_level3Tables[id >> 12]);
        } else {
            hr = LockRange(pos + 5);
            ownLock = hr == S_OK;
        }
        if (hr != S_OK)
            return hr;
    }
    std::uint8_t entry[5];
    hr = ReadEntry(id, pos, entry);
    const std::uint32_t offset = Get32(entry);
    if (hr == S_OK && !entry[4])
        hr = QV_E_NO_ENTRY;
    if (hr == S_OK && offset != 0) {
        if (offset < HeaderSize + BlockHeaderSize || (offset - BlockHeaderSize) % 16 != 0)
            hr = kBadDataOffset;
        const std::uint32_t start = offset - BlockHeaderSize;
        if (hr == S_OK && start >= EndOfUsedSpace() && m_readOnly)
            hr = RefreshAllocatorState(); // a writer may have grown the file meanwhile
        if (hr == S_OK && start >= EndOfUsedSpace())
            hr = kBadDataOffset;
        // The header and, as a first guess, the data a record usually has, in one read.
        constexpr std::uint32_t kFirstRead = 1024;
        std::uint32_t want = BlockHeaderSize + kFirstRead;
        if (maxBytes >= 0 && maxBytes < kFirstRead)
            want = BlockHeaderSize + std::uint32_t(maxBytes);
        std::size_t got = 0;
        if (hr == S_OK) {
            data.resize(qsizetype(want));
            hr = ReadAhead(start, reinterpret_cast<std::uint8_t *>(data.data()), want, got);
        }
        if (hr == S_OK && got < BlockHeaderSize)
            hr = kShortRead;
        if (hr == S_OK) {
            const std::uint32_t size = Get32(reinterpret_cast<const std::uint8_t *>(data.constData()));
            if (!(data[8] & 1) || size < 17 || std::uint64_t(start) + size > EndOfUsedSpace())
                hr = kBadDataOffset;
            else
                usable = size - BlockHeaderSize;
        }
        if (hr == S_OK) {
            const std::uint32_t n =
                maxBytes < 0 ? usable : std::uint32_t(std::min<std::int64_t>(maxBytes, usable));
            if (n > (1u << 20)) {
                // A damaged size must not ask for gigabytes: the block has to lie in the file.
                StorageFileInformation info;
                hr = GetFileInformation(info);
                if (hr == S_OK && std::uint64_t(offset) + n > info.size)
                    hr = kShortRead;
            }
            if (hr == S_OK) {
                data.remove(0, BlockHeaderSize);
                const std::size_t have = std::min<std::size_t>(got - BlockHeaderSize, n);
                data.resize(qsizetype(n));
                if (have < n)
                    hr = ReadAt(std::uint64_t(offset) + have, data.data() + have, n - have);
            }
        }
    }
    if (ownLock)
        UnlockRange(pos + 5);
    if (hr != S_OK) {
        data.clear();
        usable = 0;
    }
    return hr;
}

bool CStorageFile::InBatchRange(std::uint32_t offset) const
{
    for (const std::uint32_t table : m_batchTables) {
        if (offset >= table + 4 && offset < table + 4 + 4096 * EntrySize)
            return true;
    }
    return false;
}

HRESULT CStorageFile::HoldTableEntries(std::uint32_t tableOffset)
{
    if (std::find(m_batchTables.begin(), m_batchTables.end(), tableOffset) != m_batchTables.end())
        return S_OK;
    // The entries of one level-3 table lie together: one shared lock over all of them.
    struct flock fl = {};
    fl.l_type = F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = tableOffset + 4;
    fl.l_len = 4096 * EntrySize;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(g_lockWaitLimitMs);
    auto pause = std::chrono::microseconds(50);
    for (;;) {
        if (::fcntl(m_fd, F_OFD_SETLK, &fl) == 0)
            break;
        const int err = errno;
        if (err == EINTR)
            continue;
        if (err != EAGAIN && err != EACCES)
            return HresultFromErrno(err);
        if (Clock::now() >= deadline)
            return HresultFromSystem(SystemError::LockViolation);
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    }
    m_batchTables.push_back(tableOffset);
    m_window.clear(); // read before this table's entries were held
    return S_OK;
}

HRESULT CStorageFile::BeginReadBatch()
{
    if (m_fd < 0)
        return HresultFromSystem(kErrorInvalidHandle);
    if (!m_readOnly || m_inBatch)
        return S_OK;
    // A writer waiting for an entry holds this byte: wait until it has what it waits for.
    HRESULT hr = LockRange(WriterWaitingLockByte);
    if (hr != S_OK)
        return hr;
    UnlockRange(WriterWaitingLockByte);
    m_inBatch = true;
    return S_OK;
}

void CStorageFile::EndReadBatch()
{
    if (!m_inBatch)
        return;
    m_inBatch = false;
    m_entryRunStart = 0;
    m_window.clear();
    std::vector<std::uint32_t> tables;
    tables.swap(m_batchTables);
    for (const std::uint32_t table : tables) {
        // Bytes still held on their own (an object left open) keep their lock.
        std::uint32_t from = table + 4;
        const std::uint32_t end = table + 4 + 4096 * EntrySize;
        auto unlock = [&](std::uint32_t a, std::uint32_t b) {
            if (a >= b)
                return;
            struct flock fl = {};
            fl.l_type = F_UNLCK;
            fl.l_whence = SEEK_SET;
            fl.l_start = a;
            fl.l_len = b - a;
            while (::fcntl(m_fd, F_OFD_SETLK, &fl) < 0 && errno == EINTR) {
            }
        };
        for (auto it = m_lockCounts.lower_bound(from); it != m_lockCounts.end() && it->first < end; ++it) {
            unlock(from, it->first);
            from = it->first + 1;
        }
        unlock(from, end);
    }
}

HRESULT CStorageFile::DeleteObject(std::uint32_t id)
{
    std::uint32_t pos = 0;
    HRESULT hr = LocateEntry(id, false, pos);
    if (hr == QV_E_NO_ENTRY)
        return S_OK; // its table was never made
    if (hr != S_OK)
        return hr;
    if ((hr = LockRange(pos + 5)) != S_OK)
        return hr;
    std::uint8_t entry[5];
    hr = ReadAt(pos, entry, 5);
    if (hr == S_OK && entry[4]) {
        const std::uint32_t old = Get32(entry);
        const std::uint8_t cleared[5] = {};
        hr = WriteAt(pos, cleared, 5);
        if (hr == S_OK)
            hr = Barrier(); // the entry no longer names the block before the block is freed
        if (hr == S_OK && old != 0)
            hr = FreeReplacedBlock(old);
    }
    const HRESULT unlock = UnlockRange(pos + 5);
    return hr != S_OK ? hr : unlock;
}

// ---------------------------------------------------------------------------------------
// Password and cipher

HRESULT CStorageFile::TryCheckBlock(const CCipher &cipher) const
{
    std::uint8_t block[16];
    std::memcpy(block, kCheckText, 16);
    if (!cipher.Encrypt(block, 16))
        return QV_E_NO_RESOURCES;
    return std::memcmp(block, m_header.data() + CheckBlockOffset, 16) == 0 ? S_OK : QV_E_WRONG_PASSWORD;
}

HRESULT CStorageFile::SetPassword(const QString &password)
{
    auto cipher = CreateCipher(KeyFromPassword(password));
    if (!cipher)
        return QV_E_NO_RESOURCES;
    std::uint8_t block[16];
    std::memcpy(block, kCheckText, 16);
    if (!cipher->Encrypt(block, 16))
        return QV_E_NO_RESOURCES;
    const HRESULT hr = WriteAt(CheckBlockOffset, block, 16);
    if (hr != S_OK)
        return hr;
    std::memcpy(m_header.data() + CheckBlockOffset, block, 16);
    m_cipher = std::move(cipher);
    return S_OK;
}

HRESULT CStorageFile::CheckPassword(const QString &password)
{
    auto cipher = CreateCipher(KeyFromPassword(password));
    if (!cipher)
        return QV_E_NO_RESOURCES;
    HRESULT hr = TryCheckBlock(*cipher);
    if (hr == QV_E_WRONG_PASSWORD) {
        // Files written by older tools digested the password in the Windows code page.
        bool ok = false;
        const QByteArray legacy = EncodeWindows1252(password, &ok);
        if (ok && legacy != password.toUtf8()) {
            auto alt = CreateCipher(Md5Digest(legacy.constData(), static_cast<std::size_t>(legacy.size())));
            if (alt && TryCheckBlock(*alt) == S_OK) {
                cipher = std::move(alt);
                hr = S_OK;
            }
        }
    }
    if (hr == S_OK)
        m_cipher = std::move(cipher);
    return hr;
}

HRESULT CStorageFile::CheckPassword(const CCipher &given)
{
    auto cipher = CloneCipher(given);
    if (!cipher)
        return QV_E_NO_RESOURCES;
    const HRESULT hr = TryCheckBlock(*cipher);
    if (hr == S_OK)
        m_cipher = std::move(cipher);
    return hr;
}

std::unique_ptr<CCipher> CStorageFile::CloneKey() const
{
    return m_cipher ? CloneCipher(*m_cipher) : nullptr;
}

bool CStorageFile::EncryptBytes(void *buffer, std::size_t n) const
{
    return m_cipher && m_cipher->Encrypt(buffer, n);
}

bool CStorageFile::DecryptBytes(void *buffer, std::size_t n) const
{
    return m_cipher && m_cipher->Decrypt(buffer, n);
}

HRESULT CStorageFile::EncryptRecord(std::uint8_t *record, std::size_t length) const
{
    if (length < RecordPrefixLengthOffset + 4)
        return QV_E_ENCIPHER;
    const std::uint32_t used = Get32(record + RecordUsedLengthOffset);
    const std::uint32_t prefix = Get32(record + RecordPrefixLengthOffset);
    if (prefix > used || used > length || (used - prefix) % CCipher::BlockSize != 0)
        return QV_E_ENCIPHER;
    return EncryptBytes(record + prefix, used - prefix) ? S_OK : QV_E_ENCIPHER;
}

HRESULT CStorageFile::DecryptRecord(std::uint8_t *record, std::size_t bytesRead) const
{
    // Every length is checked against the bytes actually read before anything is deciphered.
    if (bytesRead < RecordPrefixLengthOffset + 4)
        return QV_E_BAD_DATA_TYPE;
    const std::uint32_t used = Get32(record + RecordUsedLengthOffset);
    const std::uint32_t prefix = Get32(record + RecordPrefixLengthOffset);
    if (prefix > used || used > bytesRead || (used - prefix) % CCipher::BlockSize != 0)
        return QV_E_BAD_DATA_TYPE;
    return DecryptBytes(record + prefix, used - prefix) ? S_OK : QV_E_DECIPHER_CHECK;
}

HRESULT CStorageFile::CopyHeaderFrom(CStorageFile &other)
{
    HRESULT hr = WriteAt(CheckBlockOffset, other.m_header.data() + CheckBlockOffset, 16);
    if (hr != S_OK)
        return hr;
    std::memcpy(m_header.data() + CheckBlockOffset, other.m_header.data() + CheckBlockOffset, 16);
    m_cipher = other.CloneKey();
    hr = WriteAt(CreationTimeOffset, other.m_header.data() + CreationTimeOffset, 8);
    if (hr != S_OK)
        return hr;
    std::memcpy(m_header.data() + CreationTimeOffset, other.m_header.data() + CreationTimeOffset, 8);
    std::array<std::uint8_t, HeaderSize - VersionBlockOffset> tail;
    if ((hr = other.ReadAt(VersionBlockOffset, tail.data(), tail.size())) != S_OK)
        return hr;
    if ((hr = WriteAt(VersionBlockOffset, tail.data(), tail.size())) != S_OK)
        return hr;
    std::memcpy(m_header.data() + VersionBlockOffset, tail.data(), tail.size());
    return S_OK;
}

HRESULT CStorageFile::ReadFormatVersion(std::uint32_t &version) const
{
    VersionBlock block;
    std::memcpy(block.data(), m_header.data() + VersionBlockOffset, block.size());
    return DecodeVersionBlock(block, version);
}

HRESULT CStorageFile::WriteFormatVersion(std::uint32_t version)
{
    VersionBlock block;
    if (!EncodeVersionBlock(version, block))
        return QV_E_ENCIPHER;
    const HRESULT hr = WriteAt(VersionBlockOffset, block.data(), block.size());
    if (hr == S_OK)
        std::memcpy(m_header.data() + VersionBlockOffset, block.data(), block.size());
    return hr;
}
