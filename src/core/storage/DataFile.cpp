// The data file: whole-file operations, collections of record ids, enciphered records and
// the fixed objects. Typed item operations are in the second half.
#include "core/storage/DataFile.h"

#include "core/storage/ArchiveException.h"
#include "core/items/CalendarItem.h"
#include "core/storage/Cipher.h"
#include "core/storage/Crc32.h"
#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"
#include "core/items/ItemSummary.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/storage/MemoryStream.h"
#include "core/system/SystemUtilities.h"
#include "core/items/TaskItem.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>

using namespace DataFileLayout;

namespace {
constexpr HRESULT kInvalidArgument = HresultFromSystem(SystemError::InvalidParameter);
constexpr HRESULT kAccessDenied = HresultFromSystem(SystemError::AccessDenied);
constexpr HRESULT kNotOpen = HresultFromSystem(6); // invalid handle
constexpr HRESULT kBadKind = QV_E_CANCELLED;       // 0x80040502
constexpr int kKindEvent = 1;
constexpr int kKindTask = 2;

// Every object a data file has from its creation on, in the order they are made.
constexpr std::uint32_t kStandardObjects[] = {
    EventCollection,         kFixedItemTypes,   kFixedMasterCategories, kFixedLocations,
    kFixedWebPublishOptions, kFixedPrintStyles, TaskCollection};

// Records larger than this are checked against the file size before a buffer is made for
// them, so that a damaged block size cannot ask for gigabytes.
constexpr std::uint32_t kLargeRecord = 1u << 20;

// Slots a reader enumerates under one set of locks before it lets a waiting writer in.
constexpr std::uint32_t kReaderBatchSlots = 256;

std::uint32_t SlotLimit(std::uint32_t collection)
{
    return collection == EventCollection ? MaxEventSlots : MaxTaskSlots;
}

int HintIndex(std::uint32_t collection)
{
    return collection == EventCollection ? 0 : 1;
}

// The collection a record id belongs to; false for ids that are no record's.
bool CollectionOfId(std::uint32_t id, std::uint32_t &collection)
{
    if (id >= EventCollection + FirstSlotOffset && id < EventCollection + FirstSlotOffset + MaxEventSlots) {
        collection = EventCollection;
        return true;
    }
    if (id >= TaskCollection + FirstSlotOffset && id < TaskCollection + FirstSlotOffset + MaxTaskSlots) {
        collection = TaskCollection;
        return true;
    }
    return false;
}

// Milliseconds of a steady clock, as the 32-bit tick count the record stamp mixes in.
std::uint32_t TickCount()
{
    using namespace std::chrono;
    return std::uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool IsSet(const CDateTime &t)
{
    return t.IsValid() && t.Value() != 0.0;
}

std::uint32_t Get32(const void *p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
} // namespace

CDataFile::CDataFile()
{
    m_storage.SetWriteBarriers(m_writeThrough);
}

CDataFile::~CDataFile()
{
    Close();
}

void CDataFile::ResetState()
{
    m_formatVersion = 0;
    m_passwordState = PasswordUnknown;
    m_path.clear();
    m_freeHint[0] = m_freeHint[1] = 0;
    m_slotMemo[0] = m_slotMemo[1] = BlockMemo();
}

HRESULT CDataFile::RefuseWrites() const
{
    if (!m_storage.IsOpen())
        return kNotOpen;
    // The engine would drop the writes and report success; a save that did not happen must
    // not look as if it had.
    return m_storage.IsReadOnly() ? kAccessDenied : S_OK;
}

// ---------------------------------------------------------------------------------------
// Whole file

HRESULT CDataFile::MakeObjects(CStorageFile &file)
{
    for (const std::uint32_t id : kStandardObjects) {
        std::uint32_t offset = 0;
        HRESULT hr = file.OpenOrCreateObject(id, offset);
        if (hr != S_OK)
            return hr;
        if ((hr = file.ReleaseObject(id)) != S_OK)
            return hr;
    }
    return S_OK;
}

HRESULT CDataFile::Create(const QString &path, const QString &title, const QString &password)
{
    CStorageFile file;
    HRESULT hr = file.Create(path);
    if (hr != S_OK)
        return hr; // nothing was made (an existing file is never touched)
    hr = MakeObjects(file);
    if (hr == S_OK)
        hr = file.SetTitle(title);
    if (hr == S_OK)
        hr = file.SetPassword(password);
    if (hr == S_OK)
        hr = file.WriteFormatVersion(kCurrentFormatVersion);
    if (hr == S_OK)
        hr = file.Flush();
    const HRESULT closed = file.Close();
    if (hr == S_OK)
        hr = closed;
    if (hr != S_OK)
        QFile::remove(path);
    return hr;
}

HRESULT CDataFile::CopyToNewFile(const QString &path, CDataFile &source)
{
    if (&source == this || !source.IsOpen())
        return kInvalidArgument;
    Close();
    HRESULT hr = m_storage.Create(path);
    if (hr != S_OK)
        return hr;
    try {
        hr = MakeObjects(m_storage);
        if (hr == S_OK)
            hr = m_storage.CopyHeaderFrom(source.m_storage);
    } catch (const std::bad_alloc &) {
        hr = E_OUT_OF_MEMORY;
    }
    if (hr != S_OK) {
        m_storage.Close();
        QFile::remove(path);
        return hr;
    }
    m_formatVersion = source.m_formatVersion;
    m_passwordState = source.m_passwordState;
    m_path = path;
    return S_OK;
}

HRESULT CDataFile::Open(const QString &path, bool readOnly)
{
    Close();
    HRESULT hr = m_storage.OpenExisting(path, readOnly);
    if (hr != S_OK)
        return hr;
    hr = MakeObjects(m_storage);
    if (hr != S_OK) {
        m_storage.Close();
        return hr;
    }
    // Every block of a data file hangs in the object table, so a block nothing names is one a
    // stopped save left behind. Tidying only: a failure here shows again where it matters.
    if (!readOnly && m_storage.GetStickyError() == S_OK)
        m_storage.FreeUnreferencedBlocks();
    m_path = path;
    return S_OK;
}

HRESULT CDataFile::Validate()
{
    if (!IsOpen())
        return kNotOpen;
    if (m_storage.GetFlags() & StorageLayout::FlagConverted)
        return QV_E_CONVERT_FAILED;
    std::uint32_t version = 0;
    HRESULT hr = m_storage.ReadFormatVersion(version);
    if (hr != S_OK)
        return hr;
    hr = m_storage.CheckPassword(QString());
    if (hr == S_OK)
        m_passwordState = PasswordNone;
    else if (hr == QV_E_WRONG_PASSWORD)
        m_passwordState = PasswordRequired;
    else
        return hr;
    m_formatVersion = version;
    if (version < kCurrentFormatVersion)
        return QV_E_BAD_VERSION;
    if (version > kCurrentFormatVersion)
        return QV_E_NEWER_VERSION;
    // A writer whose open found the block chain broken can read but never store: say so now
    // rather than at the first save.
    if (!IsReadOnly() && m_storage.GetStickyError() != S_OK)
        return m_storage.GetStickyError();
    if (!IsReadOnly()) {
        // A save cut off between reserving its slot and marking it stored leaves slot 15:
        // settle it from whether the record made it into the file. Tidying only: a
        // collection that cannot be read shows its damage when it is enumerated.
        SettleReservedSlots(EventCollection, SlotEvent);
        SettleReservedSlots(TaskCollection, SlotTask);
    }
    return S_OK;
}

HRESULT CDataFile::Close()
{
    ResetState();
    return m_storage.Close();
}

HRESULT CDataFile::CheckPassword(const QString &password)
{
    return m_storage.CheckPassword(password);
}

HRESULT CDataFile::CheckPassword(const CCipher &key)
{
    return m_storage.CheckPassword(key);
}

std::unique_ptr<CCipher> CDataFile::GetKey() const
{
    return m_storage.CloneKey();
}

QString CDataFile::GetTitle() const
{
    return m_storage.GetTitle();
}

HRESULT CDataFile::SetTitle(const QString &title)
{
    return m_storage.SetTitle(title);
}

CDateTime CDataFile::GetCreationTime() const
{
    return m_storage.GetCreationTime();
}

CDateTime CDataFile::GetLastBackupTime() const
{
    return m_storage.GetLastBackupTime();
}

HRESULT CDataFile::SetLastBackupTime(const CDateTime &when)
{
    return m_storage.SetLastBackupTime(when);
}

bool CDataFile::IsBackupCopy() const
{
    return (m_storage.GetFlags() & StorageLayout::FlagBackupCopy) != 0;
}

HRESULT CDataFile::SetBackupFlag(bool on)
{
    return m_storage.SetBackupFlag(on);
}

bool CDataFile::IsConverted() const
{
    return (m_storage.GetFlags() & StorageLayout::FlagConverted) != 0;
}

HRESULT CDataFile::SetConvertedFlag(bool on)
{
    return m_storage.SetConvertedFlag(on);
}

HRESULT CDataFile::WriteFormatVersion(std::uint32_t version)
{
    const HRESULT hr = RefuseWrites();
    if (hr != S_OK)
        return hr;
    const HRESULT written = m_storage.WriteFormatVersion(version);
    if (written == S_OK)
        m_formatVersion = version;
    return written;
}

QString CDataFile::GetRegistrySection() const
{
    const double created = GetCreationTime().Value();
    std::uint32_t words[2];
    std::memcpy(words, &created, 8);
    return QStringLiteral("Database\\%1%2").arg(words[0], 0, 16).arg(words[1], 0, 16);
}

QString CDataFile::GetRegistryPath(const QString &valueName) const
{
    return GetRegistrySection() + QLatin1Char('\\') + valueName;
}

HRESULT CDataFile::FinishChange()
{
    if (!m_writeThrough)
        return S_OK;
    // With barriers the change's entry went to the disk before anything was freed, so only
    // the frees are unsynced, and losing them costs nothing an open does not tidy.
    return m_storage.GetWriteBarriers() ? S_OK : m_storage.Flush();
}

HRESULT CDataFile::Flush()
{
    return m_storage.Flush();
}

// ---------------------------------------------------------------------------------------
// Collections

HRESULT CDataFile::SlotsOfBlock(std::uint32_t collection, std::uint32_t dataOffset, SlotArray &slotArray)
{
    slotArray = SlotArray();
    // The one writer knows its collection blocks: a block's size does not change while it is
    // in use, and only this process moves a collection. A reader asks every time.
    BlockMemo &memo = m_slotMemo[HintIndex(collection)];
    std::uint32_t usable = 0;
    if (!IsReadOnly() && dataOffset != 0 && memo.dataOffset == dataOffset) {
        usable = memo.usable;
    } else {
        const HRESULT hr = m_storage.GetBlockDataSize(dataOffset, usable);
        if (hr != S_OK)
            return hr;
        if (!IsReadOnly())
            memo = {dataOffset, usable};
    }
    slotArray.dataOffset = dataOffset;
    slotArray.count = std::min(usable / 4, SlotLimit(collection));
    return S_OK;
}

HRESULT CDataFile::OpenSlots(std::uint32_t collection, SlotArray &slotArray)
{
    std::uint32_t offset = 0;
    HRESULT hr = S_OK;
    const bool peek = !IsReadOnly() || m_storage.InReadBatch();
    if (peek) {
        hr = m_storage.PeekObject(collection, offset);
        if (hr == QV_E_NO_ENTRY && !IsReadOnly()) {
            // Made at open; a file without it gets it now.
            if ((hr = m_storage.OpenOrCreateObject(collection, offset)) == S_OK)
                hr = m_storage.ReleaseObject(collection);
        } else if (hr == QV_E_NO_ENTRY) {
            hr = S_OK; // a reader sees a collection the writer has not made as an empty one
            offset = 0;
        }
    } else {
        hr = m_storage.OpenOrCreateObject(collection, offset);
    }
    if (hr != S_OK)
        return hr;
    if ((hr = SlotsOfBlock(collection, offset, slotArray)) != S_OK) {
        if (!peek)
            m_storage.ReleaseObject(collection);
        return hr;
    }
    slotArray.held = !peek;
    return S_OK;
}

void CDataFile::CloseSlots(std::uint32_t collection, const SlotArray &slotArray)
{
    if (slotArray.held)
        m_storage.ReleaseObject(collection);
}

void CDataFile::ForgetSlotMemo(std::uint32_t id)
{
    if (id == EventCollection || id == TaskCollection)
        m_slotMemo[HintIndex(id)] = BlockMemo();
}

HRESULT CDataFile::WriteSlot(std::uint32_t collection, const SlotArray &slotArray, std::uint32_t index,
                             std::uint32_t value)
{
    if (index >= slotArray.count)
        return kInvalidArgument;
    const HRESULT hr = m_storage.WriteAt(std::uint64_t(slotArray.dataOffset) + 4ull * index, &value, 4);
    ++m_slotChanges;
    std::uint32_t &hint = m_freeHint[HintIndex(collection)];
    if (value == SlotFree)
        hint = std::min(hint, index);
    return hr;
}

HRESULT CDataFile::HasRecordData(std::uint32_t id, bool &hasData)
{
    hasData = false;
    QByteArray none;
    std::uint32_t usable = 0;
    const HRESULT hr = m_storage.ReadObjectData(id, 0, none, usable);
    if (hr == QV_E_NO_ENTRY)
        return S_OK;
    hasData = hr == S_OK && usable > 0;
    return hr;
}

HRESULT CDataFile::EnumEvents(const ItemCallback &callback)
{
    return EnumCollection(EventCollection, callback);
}

HRESULT CDataFile::EnumTasks(const ItemCallback &callback)
{
    return EnumCollection(TaskCollection, callback);
}

HRESULT CDataFile::EnumCollection(std::uint32_t collection, const ItemCallback &callback)
{
    if (!IsOpen())
        return S_OK;
    const bool readOnly = IsReadOnly();
    HRESULT hr = S_OK;
    if (readOnly && (hr = m_storage.RefreshAllocatorState()) != S_OK)
        return hr;
    // A reader takes its locks a batch of slots at a time and lets go between batches, so that
    // the writer gets in; the collection is found again for every batch (the writer may have
    // moved it meanwhile). The writer reads its own file without locks.
    const std::uint32_t batchSlots = readOnly ? kReaderBatchSlots : SlotsPerPiece;
    std::vector<std::uint32_t> piece(batchSlots);
    HRESULT result = S_OK;
    HRESULT last = S_OK;
    bool stopped = false;
    std::uint32_t index = 0;
    while (!stopped) {
        if (readOnly && (hr = m_storage.BeginReadBatch()) != S_OK) {
            result = hr;
            stopped = true;
            break;
        }
        SlotArray slotArray;
        if ((hr = OpenSlots(collection, slotArray)) != S_OK) {
            m_storage.EndReadBatch();
            result = hr;
            stopped = true;
            break;
        }
        const std::uint64_t locatedAt = m_slotChanges;
        std::uint32_t i = 0;
        std::uint32_t n = 0;
        if (index < slotArray.count) {
            n = std::min(batchSlots, slotArray.count - index);
            if (m_storage.ReadAt(std::uint64_t(slotArray.dataOffset) + 4ull * index, piece.data(), 4ull * n) !=
                S_OK)
                i = n; // an unreadable piece is passed over
        }
        while (i < n) {
            const std::uint32_t value = piece[i];
            const std::uint32_t id = collection + FirstSlotOffset + index + i;
            ++i;
            if (value == SlotFree)
                continue;
            if (value == SlotReserved) {
                // A slot whose save has not (or never) put a record there is no item yet.
                bool hasData = false;
                if (HasRecordData(id, hasData) != S_OK || !hasData)
                    continue;
            }
            const HRESULT r = callback(id);
            last = r;
            if (r != S_OK && !(readOnly && (r == S_FALSE || IsQuietCode(r)))) {
                result = r;
                stopped = true;
                break;
            }
            if (m_slotChanges != locatedAt)
                break; // a callback changed slots: read on from the next slot as it is now
        }
        CloseSlots(collection, slotArray);
        m_storage.EndReadBatch();
        if (n == 0)
            break;
        index += i;
    }
    if (stopped)
        return result;
    if (readOnly)
        return last == QV_E_ITEM_LOAD ? S_OK : last;
    return S_OK;
}

HRESULT CDataFile::GrowCollection(std::uint32_t collection, SlotArray &slotArray, std::uint32_t newCount)
{
    std::uint32_t block = 0;
    HRESULT hr = m_storage.AllocateBlock(newCount * 4, block);
    if (hr != S_OK)
        return hr;
    std::uint32_t oldUsable = 0, newUsable = 0;
    hr = m_storage.GetBlockDataSize(slotArray.dataOffset, oldUsable);
    if (hr == S_OK)
        hr = m_storage.GetBlockDataSize(block, newUsable);
    oldUsable = std::min(oldUsable, newUsable);
    // The new block is complete before the collection names it.
    std::vector<std::uint8_t> buffer(CopyPieceSize);
    for (std::uint32_t done = 0; hr == S_OK && done < newUsable;) {
        const std::uint32_t n = std::min<std::uint32_t>(CopyPieceSize, newUsable - done);
        std::fill(buffer.begin(), buffer.end(), 0);
        if (done < oldUsable)
            hr = m_storage.ReadAt(std::uint64_t(slotArray.dataOffset) + done, buffer.data(),
                                  std::min(n, oldUsable - done));
        if (hr == S_OK)
            hr = m_storage.WriteAt(std::uint64_t(block) + done, buffer.data(), n);
        done += n;
    }
    if (hr == S_OK)
        hr = m_storage.SetObjectOffset(collection, block);
    if (hr != S_OK) {
        m_storage.FreeBlock(block);
        return hr;
    }
    m_slotMemo[HintIndex(collection)] = {block, newUsable};
    slotArray.dataOffset = block;
    slotArray.count = std::min(newUsable / 4, SlotLimit(collection));
    return S_OK;
}

HRESULT CDataFile::ReserveSlot(std::uint32_t collection, SlotArray &slotArray, std::uint32_t &recordId)
{
    recordId = 0;
    std::uint32_t &hint = m_freeHint[HintIndex(collection)];
    std::uint32_t found = 0;
    bool haveSlot = false;
    std::vector<std::uint32_t> piece(SlotsPerPiece);
    // The slot at the hint is usually free: look at a few first, then whole pieces.
    std::uint32_t pieceSlots = 16;
    for (std::uint32_t index = std::min(hint, slotArray.count); !haveSlot && index < slotArray.count;
         pieceSlots = SlotsPerPiece) {
        const std::uint32_t n = std::min(pieceSlots, slotArray.count - index);
        // A piece that cannot be read counts as full: nothing in it is overwritten.
        if (m_storage.ReadAt(std::uint64_t(slotArray.dataOffset) + 4ull * index, piece.data(), 4ull * n) ==
            S_OK) {
            for (std::uint32_t i = 0; i < n; ++i) {
                if (piece[i] == SlotFree) {
                    found = index + i;
                    haveSlot = true;
                    break;
                }
            }
        }
        index += n;
    }
    HRESULT hr = S_OK;
    if (!haveSlot) {
        const std::uint32_t limit = SlotLimit(collection);
        if (slotArray.count >= limit)
            return QV_E_FILE_FULL;
        found = slotArray.count;
        if ((hr = GrowCollection(collection, slotArray, std::min(slotArray.count + GrowthSlots, limit))) !=
            S_OK)
            return hr;
    }
    if ((hr = WriteSlot(collection, slotArray, found, SlotReserved)) != S_OK)
        return hr;
    // Every slot below this one is in use (or unreadable).
    hint = found + 1;
    recordId = collection + FirstSlotOffset + found;
    return S_OK;
}

HRESULT CDataFile::AllocateId(std::uint32_t collection, std::uint32_t &recordId)
{
    recordId = 0;
    if (collection != EventCollection && collection != TaskCollection)
        return kInvalidArgument;
    HRESULT hr = RefuseWrites();
    if (hr != S_OK)
        return hr;
    SlotArray slotArray;
    if ((hr = OpenSlots(collection, slotArray)) != S_OK)
        return hr;
    hr = ReserveSlot(collection, slotArray, recordId);
    CloseSlots(collection, slotArray);
    return hr;
}

HRESULT CDataFile::SetSlotValue(std::uint32_t recordId, std::uint32_t value)
{
    std::uint32_t collection = 0;
    if (!CollectionOfId(recordId, collection))
        return kInvalidArgument;
    HRESULT hr = RefuseWrites();
    if (hr != S_OK)
        return hr;
    SlotArray slotArray;
    if ((hr = OpenSlots(collection, slotArray)) != S_OK)
        return hr;
    hr = WriteSlot(collection, slotArray, recordId - collection - FirstSlotOffset, value);
    CloseSlots(collection, slotArray);
    return hr;
}

HRESULT CDataFile::GetSlotValue(std::uint32_t recordId, std::uint32_t &value)
{
    value = 0;
    std::uint32_t collection = 0;
    if (!CollectionOfId(recordId, collection))
        return kInvalidArgument;
    if (!IsOpen())
        return kNotOpen;
    SlotArray slotArray;
    HRESULT hr = OpenSlots(collection, slotArray);
    if (hr != S_OK)
        return hr;
    const std::uint32_t index = recordId - collection - FirstSlotOffset;
    if (index < slotArray.count)
        hr = m_storage.ReadAt(std::uint64_t(slotArray.dataOffset) + 4ull * index, &value, 4);
    CloseSlots(collection, slotArray);
    return hr;
}

HRESULT CDataFile::SettleReservedSlots(std::uint32_t collection, std::uint32_t storedValue)
{
    SlotArray slotArray;
    HRESULT hr = OpenSlots(collection, slotArray);
    if (hr != S_OK)
        return hr;
    std::vector<std::uint32_t> piece(SlotsPerPiece);
    for (std::uint32_t index = 0; hr == S_OK && index < slotArray.count; index += SlotsPerPiece) {
        const std::uint32_t n = std::min(SlotsPerPiece, slotArray.count - index);
        if (m_storage.ReadAt(std::uint64_t(slotArray.dataOffset) + 4ull * index, piece.data(), 4ull * n) !=
            S_OK)
            continue;
        for (std::uint32_t i = 0; hr == S_OK && i < n; ++i) {
            if (piece[i] != SlotReserved)
                continue;
            const std::uint32_t id = collection + FirstSlotOffset + index + i;
            bool hasData = false;
            if (HasRecordData(id, hasData) != S_OK)
                continue; // left for the enumerations to pass over
            // The record is written whole before its object names it, so a record that is
            // there is the save's complete result.
            hr = WriteSlot(collection, slotArray, index + i, hasData ? storedValue : SlotFree);
            if (hr == S_OK && !hasData)
                hr = m_storage.DeleteObject(id);
        }
    }
    CloseSlots(collection, slotArray);
    return hr;
}

// ---------------------------------------------------------------------------------------
// Records

HRESULT CDataFile::ReadRecord(std::uint32_t id, std::int64_t maxLength, QByteArray &record)
{
    record.clear();
    if (!IsOpen())
        return kNotOpen;
    std::uint32_t usable = 0;
    HRESULT hr = S_OK;
    try {
        hr = m_storage.ReadObjectData(id, maxLength, record, usable);
        if (hr == QV_E_NO_ENTRY && IsReadOnly())
            hr = QV_E_ITEM_LOAD;
        else if (hr == S_OK && usable == 0)
            hr = IsReadOnly() ? QV_E_ITEM_LOAD : S_OK;
        else if (hr == S_OK && maxLength < 0) {
            hr = m_storage.DecryptRecord(reinterpret_cast<std::uint8_t *>(record.data()),
                                         std::size_t(record.size()));
            if (hr == S_OK)
                record.truncate(qsizetype(Get32(record.constData() + StorageLayout::RecordUsedLengthOffset)));
        }
    } catch (const std::bad_alloc &) {
        hr = E_OUT_OF_MEMORY;
    }
    if (hr != S_OK)
        record.clear();
    return hr;
}

HRESULT CDataFile::WriteRecord(std::uint32_t id, const QByteArray &record)
{
    HRESULT hr = RefuseWrites();
    if (hr != S_OK)
        return hr;
    try {
        // Enciphered in a copy: the caller's bytes stay as they were.
        QByteArray copy(record.constData(), record.size());
        return WriteRecordInPlace(id, reinterpret_cast<std::uint8_t *>(copy.data()),
                                  std::size_t(copy.size()));
    } catch (const std::bad_alloc &) {
        return E_OUT_OF_MEMORY;
    }
}

HRESULT CDataFile::WriteRecordInPlace(std::uint32_t id, std::uint8_t *record, std::size_t length)
{
    HRESULT hr = S_OK;
    if (length > 0) {
        if (length > StorageLayout::MaxRequest)
            return HresultFromSystem(SystemError::DiskFull);
        if ((hr = m_storage.EncryptRecord(record, length)) != S_OK)
            return hr;
    }
    ForgetSlotMemo(id);
    // Always a new block: the old record stays whole until the entry names the new one, so
    // a save cut off at any point leaves either the old or the new record.
    return m_storage.ReplaceObjectData(id, record, std::uint32_t(length));
}

HRESULT CDataFile::CopyObjectFrom(CDataFile &source, std::uint32_t id)
{
    HRESULT hr = RefuseWrites();
    if (hr != S_OK)
        return hr;
    if (!source.IsOpen())
        return kInvalidArgument;
    std::vector<std::uint8_t> bytes;
    std::uint32_t offset = 0;
    hr = source.m_storage.OpenObject(id, offset);
    if (hr != S_OK)
        return hr;
    try {
        std::uint32_t usable = 0;
        hr = source.m_storage.GetBlockDataSize(offset, usable);
        if (hr == S_OK && usable > kLargeRecord) {
            StorageFileInformation info;
            hr = source.m_storage.GetFileInformation(info);
            if (hr == S_OK && std::uint64_t(offset) + usable > info.size)
                hr = QV_E_BAD_BLOCK;
        }
        if (hr == S_OK) {
            bytes.resize(usable);
            hr = source.m_storage.ReadAt(offset, bytes.data(), usable);
        }
    } catch (const std::bad_alloc &) {
        hr = E_OUT_OF_MEMORY;
    }
    source.m_storage.ReleaseObject(id);
    if (hr != S_OK)
        return hr;

    ForgetSlotMemo(id);
    std::uint32_t old = 0;
    if ((hr = m_storage.OpenOrCreateObject(id, old)) != S_OK)
        return hr;
    std::uint32_t block = 0;
    if (!bytes.empty()) {
        std::uint32_t usable = 0;
        hr = m_storage.AllocateBlock(std::uint32_t(bytes.size()), block);
        if (hr == S_OK)
            hr = m_storage.GetBlockDataSize(block, usable);
        if (hr == S_OK)
            hr = m_storage.WriteAt(block, bytes.data(), bytes.size());
        if (hr == S_OK && usable > bytes.size()) {
            // A collection counts its slots by the block's size: the extra room holds free slots.
            const std::vector<std::uint8_t> zeros(usable - bytes.size(), 0);
            hr = m_storage.WriteAt(std::uint64_t(block) + bytes.size(), zeros.data(), zeros.size());
        }
        if (hr != S_OK && block != 0) {
            m_storage.FreeBlock(block);
            block = 0;
        }
    }
    if (hr == S_OK)
        hr = m_storage.SetObjectOffset(id, block);
    const HRESULT released = m_storage.ReleaseObject(id);
    return hr != S_OK ? hr : released;
}

// ---------------------------------------------------------------------------------------
// Fixed objects

HRESULT CDataFile::ReadFixedObject(int id, QByteArray &data)
{
    data.clear();
    if (id < kFixedItemTypes || id > kFixedPrintStyles)
        return kInvalidArgument;
    return ReadRecord(std::uint32_t(id), -1, data);
}

HRESULT CDataFile::WriteFixedObject(int id, const QByteArray &data)
{
    if (id < kFixedItemTypes || id > kFixedPrintStyles)
        return kInvalidArgument;
    const HRESULT hr = WriteRecord(std::uint32_t(id), data);
    return hr == S_OK ? FinishChange() : hr;
}

// ---------------------------------------------------------------------------------------
// Items

HRESULT CDataFile::ForEachOfKind(int kind, const ItemCallback &callback)
{
    if (kind == kKindEvent)
        return EnumEvents(callback);
    if (kind == kKindTask)
        return EnumTasks(callback);
    return kBadKind;
}

HRESULT CDataFile::CountItems(int kind, int &count)
{
    count = 0;
    return ForEachOfKind(kind, [&count](std::uint32_t) {
        ++count;
        return S_OK;
    });
}

HRESULT CDataFile::DeleteItem(std::uint32_t collection, std::uint32_t recordId)
{
    std::uint32_t owner = 0;
    if (!CollectionOfId(recordId, owner) || owner != collection)
        return kInvalidArgument;
    HRESULT hr = RefuseWrites();
    if (hr != S_OK)
        return hr;
    // The slot goes first: a delete cut off after it leaves an object no slot names, which
    // the next item of that slot replaces; the other order would leave an item without data.
    if ((hr = SetSlotValue(recordId, SlotFree)) != S_OK)
        return hr;
    if ((hr = m_storage.Barrier()) != S_OK)
        return hr;
    if ((hr = m_storage.DeleteObject(recordId)) != S_OK)
        return hr;
    return FinishChange();
}

HRESULT CDataFile::DeleteEvent(std::uint32_t recordId)
{
    return DeleteItem(EventCollection, recordId);
}

HRESULT CDataFile::DeleteTask(std::uint32_t recordId)
{
    return DeleteItem(TaskCollection, recordId);
}

HRESULT CDataFile::SaveItem(CCalendarItem &item, std::uint32_t collection, std::uint32_t storedValue,
                            const std::function<void(CMemoryStream &)> &serialise)
{
    HRESULT hr = RefuseWrites();
    if (hr != S_OK)
        return hr;
    std::uint32_t id = item.GetRecordId();
    std::uint32_t owner = 0;
    if (id != 0 && (!CollectionOfId(id, owner) || owner != collection))
        return kInvalidArgument;
    const std::uint32_t tick = TickCount();
    const CDateTime now = GetNow();

    CMemoryStream stream;
    std::uint32_t length = 0;
    try {
        if (item.GetUniqueId().isEmpty()) {
            item.SetUniqueId(MakeUniqueId());
            item.SetCreatedTime(now);
            item.SetModified(now);
        } else if (!IsSet(item.GetCreatedTime())) {
            if (IsSet(item.GetModified())) {
                item.SetCreatedTime(item.GetModified());
            } else {
                item.SetCreatedTime(now);
                item.SetModified(now);
            }
        } else if (!IsSet(item.GetModified())) {
            item.SetModified(item.GetCreatedTime());
        }
        serialise(stream);
        // The writer leaves the padding up to the declared size to the buffer, which the
        // stream keeps zero-filled.
        const std::size_t written = stream.GetPosition();
        if (written < DataFileLayout::SummaryLength)
            return QV_E_INTERNAL;
        length = Get32(stream.GetBuffer() + StorageLayout::RecordUsedLengthOffset);
        if (length < written)
            return QV_E_INTERNAL;
        stream.Reserve(length - written);
    } catch (const std::bad_alloc &) {
        return E_OUT_OF_MEMORY;
    }
    std::uint8_t *record = stream.GetBuffer();

    if (item.GetDataFileStamp() == 0) {
        std::uint32_t stamp = 0;
        const double nowValue = now.Value();
        Crc32Update(record, length, stamp);
        Crc32Update(&nowValue, 8, stamp);
        Crc32Update(&tick, 4, stamp);
        if (stamp == 0)
            stamp = 1; // 0 means "no stamp yet"; the item must keep the one it gets now
        item.SetDataFileStamp(stamp);
        std::memcpy(record + RecordStampOffset, &stamp, 4);
    }

    if (id != 0) {
        if ((hr = WriteRecordInPlace(id, record, length)) != S_OK)
            return hr;
    } else {
        // A first save holds its collection from reserving the slot to marking it stored.
        SlotArray slotArray;
        if ((hr = OpenSlots(collection, slotArray)) != S_OK)
            return hr;
        hr = ReserveSlot(collection, slotArray, id);
        if (hr == S_OK) {
            const std::uint32_t index = id - collection - FirstSlotOffset;
            hr = WriteRecordInPlace(id, record, length);
            // The slot counts the item only once its record is on the disk.
            if (hr == S_OK)
                hr = m_storage.Barrier();
            if (hr == S_OK)
                hr = WriteSlot(collection, slotArray, index, storedValue);
            if (hr != S_OK) {
                // The reserved slot goes back: a failed first save leaves no item behind.
                WriteSlot(collection, slotArray, index, SlotFree);
                m_storage.DeleteObject(id);
            }
        }
        CloseSlots(collection, slotArray);
        if (hr != S_OK)
            return hr;
        item.SetRecordId(id);
    }
    // A first save's slot mark is covered too: a reserved slot with its record already counts
    // as the item (an open settles it).
    return FinishChange();
}

HRESULT CDataFile::ReadItemRecord(std::uint32_t id, std::uint32_t collection, bool summary,
                                  const std::function<void(CMemoryStream &)> &deserialise)
{
    std::uint32_t owner = 0;
    if (!CollectionOfId(id, owner) || owner != collection)
        return kInvalidArgument;
    QByteArray record;
    HRESULT hr = ReadRecord(id, summary ? std::int64_t(SummaryLength) : -1, record);
    if (hr != S_OK)
        return hr;
    if (record.isEmpty())
        return QV_E_BAD_DATA_TYPE; // a record with no data
    try {
        CMemoryStream stream;
        stream.Attach(record.constData(), std::size_t(record.size()));
        deserialise(stream);
    } catch (const CArchiveException &) {
        return QV_E_CORRUPT;
    } catch (const std::bad_alloc &) {
        return E_OUT_OF_MEMORY;
    }
    return S_OK;
}

HRESULT CDataFile::LoadItem(CCalendarItem &item, std::uint32_t collection, bool summary, bool lookUpType,
                            const std::function<void(CMemoryStream &)> &deserialise)
{
    const std::uint32_t id = item.GetRecordId();
    const HRESULT hr = ReadItemRecord(id, collection, summary, deserialise);
    if (hr != S_OK)
        return hr;
    item.SetRecordId(id);
    if (lookUpType) {
        const IItemTypeCatalog *types = GetItemTypeCatalog();
        item.SetItemTypeIndex(types ? types->FindType(item.GetItemTypeName()) : -1);
    }
    return S_OK;
}

bool CDataFile::IsOlderFormat() const
{
    return m_formatVersion != 0 && m_formatVersion < kCurrentFormatVersion;
}

HRESULT CDataFile::LoadEvent(CEventItem &event)
{
    const bool older = IsOlderFormat();
    return LoadItem(event, EventCollection, false, true, [&event, older](CMemoryStream &stream) {
        if (older)
            event.ReadOldRecord(stream);
        else
            event.Read(stream);
    });
}

HRESULT CDataFile::LoadTask(CTaskItem &task)
{
    const bool older = IsOlderFormat();
    return LoadItem(task, TaskCollection, false, true, [&task, older](CMemoryStream &stream) {
        if (older)
            task.ReadOldRecord(stream);
        else
            task.Read(stream);
    });
}

HRESULT CDataFile::LoadEventSummary(CEventItem &event)
{
    // The plain block of the older layout is laid out differently: read those whole.
    if (IsOlderFormat())
        return LoadItem(event, EventCollection, false, false,
                        [&event](CMemoryStream &stream) { event.ReadOldRecord(stream); });
    return LoadItem(event, EventCollection, true, false,
                    [&event](CMemoryStream &stream) { event.ReadSummary(stream); });
}

HRESULT CDataFile::LoadTaskSummary(CTaskItem &task)
{
    if (IsOlderFormat())
        return LoadItem(task, TaskCollection, false, false,
                        [&task](CMemoryStream &stream) { task.ReadOldRecord(stream); });
    return LoadItem(task, TaskCollection, true, false,
                    [&task](CMemoryStream &stream) { task.ReadSummary(stream); });
}

HRESULT CDataFile::ReloadEvent(CEventItem &event)
{
    return LoadItem(event, EventCollection, false, false,
                    [&event](CMemoryStream &stream) { event.Read(stream); });
}

HRESULT CDataFile::ReloadTask(CTaskItem &task)
{
    return LoadItem(task, TaskCollection, false, false,
                    [&task](CMemoryStream &stream) { task.Read(stream); });
}

HRESULT CDataFile::SaveEvent(CEventItem &event)
{
    return SaveItem(event, EventCollection, SlotEvent, [&event](CMemoryStream &stream) {
        stream.Reserve(event.GetStreamSize());
        event.Write(stream);
    });
}

HRESULT CDataFile::SaveTask(CTaskItem &task)
{
    return SaveItem(task, TaskCollection, SlotTask, [&task](CMemoryStream &stream) {
        stream.Reserve(task.GetStreamSize());
        task.Write(stream);
    });
}

HRESULT CDataFile::ForEachLoaded(int kind, const std::function<HRESULT(const CCalendarItem &)> &use)
{
    if (kind != kKindEvent && kind != kKindTask)
        return kBadKind;
    return ForEachOfKind(kind, [&](std::uint32_t id) -> HRESULT {
        try {
            if (kind == kKindEvent) {
                CEventItem event(id);
                const HRESULT hr = LoadEvent(event);
                return hr == S_OK ? use(event) : hr;
            }
            CTaskItem task(id);
            const HRESULT hr = LoadTask(task);
            return hr == S_OK ? use(task) : hr;
        } catch (const std::bad_alloc &) {
            return E_OUT_OF_MEMORY;
        }
    });
}

HRESULT CDataFile::CollectItemStamps(int kind, std::vector<ItemStamp> &stamps, std::size_t capacity)
{
    return EnumSummaries(kind, [&](const CItemSummary &summary) {
        if (stamps.size() < capacity)
            stamps.push_back({summary.GetRecordId(), summary.GetDataFileStamp()});
        return S_OK;
    });
}

HRESULT CDataFile::EnumItemsOfKind(int kind, std::vector<ItemListEntry> &list)
{
    return ForEachLoaded(kind, [&](const CCalendarItem &item) {
        list.push_back({item.GetKind(), item.IsRecurring(), item.GetRecordId(), item.GetUniqueId()});
        return S_OK;
    });
}

HRESULT CDataFile::CollectFingerprints(int kind, std::vector<ItemFingerprint> &prints, std::size_t capacity)
{
    return ForEachLoaded(kind, [&](const CCalendarItem &item) {
        if (prints.size() >= capacity)
            return S_OK;
        ItemFingerprint print;
        print.recordId = item.GetRecordId();
        if (kind == kKindEvent) {
            print.date = static_cast<const CEventItem &>(item).GetStart();
        } else {
            print.date = static_cast<const CTaskItem &>(item).GetDueDate();
            print.taskFlags = item.GetFlags();
        }
        const QByteArray subject = item.GetSubject().toUtf8();
        const double date = print.date.Value();
        Crc32Update(subject.constData(), std::size_t(subject.size()), print.checksum);
        Crc32Update(&date, 8, print.checksum);
        prints.push_back(print);
        return S_OK;
    });
}

HRESULT CDataFile::LoadSummary(int kind, std::uint32_t recordId, CItemSummary &summary)
{
    if (kind != kKindEvent && kind != kKindTask)
        return kBadKind;
    if (IsOlderFormat()) {
        // The older layout is read whole, as the summary loads do; the summary takes its fields.
        if (kind == kKindEvent) {
            CEventItem event(recordId);
            const HRESULT hr = LoadEventSummary(event);
            if (hr == S_OK)
                summary = CItemSummary::FromEvent(event);
            return hr;
        }
        CTaskItem task(recordId);
        const HRESULT hr = LoadTaskSummary(task);
        if (hr == S_OK)
            summary = CItemSummary::FromTask(task);
        return hr;
    }
    if (kind == kKindEvent)
        return ReadItemRecord(recordId, EventCollection, true,
                              [&](CMemoryStream &stream) { summary.ReadEvent(stream, recordId); });
    return ReadItemRecord(recordId, TaskCollection, true,
                          [&](CMemoryStream &stream) { summary.ReadTask(stream, recordId); });
}

HRESULT CDataFile::EnumSummaries(int kind, const SummaryCallback &callback)
{
    if (kind != kKindEvent && kind != kKindTask)
        return kBadKind;
    CItemSummary summary;
    return ForEachOfKind(kind, [&](std::uint32_t id) -> HRESULT {
        try {
            const HRESULT hr = LoadSummary(kind, id, summary);
            return hr == S_OK ? callback(summary) : hr;
        } catch (const std::bad_alloc &) {
            return E_OUT_OF_MEMORY;
        }
    });
}

HRESULT CDataFile::CollectSummaries(int kind, std::vector<CItemSummary> &summaries)
{
    // The count is only a hint for the room set aside (the collection may change meanwhile);
    // one allocation instead of the doublings keeps the peak near what is held.
    int count = 0;
    if (CountItems(kind, count) == S_OK && count > 0) {
        try {
            summaries.reserve(summaries.size() + std::size_t(count));
        } catch (const std::bad_alloc &) {
            return E_OUT_OF_MEMORY;
        }
    }
    return EnumSummaries(kind, [&](const CItemSummary &summary) {
        summaries.push_back(summary);
        return S_OK;
    });
}

HRESULT CDataFile::LoadWholeItem(const CItemSummary &summary, std::unique_ptr<CCalendarItem> &item)
{
    try {
        if (summary.IsEvent()) {
            auto event = std::make_unique<CEventItem>(summary.GetRecordId());
            const HRESULT hr = LoadEvent(*event);
            if (hr == S_OK)
                item = std::move(event);
            return hr;
        }
        if (summary.IsTask()) {
            auto task = std::make_unique<CTaskItem>(summary.GetRecordId());
            const HRESULT hr = LoadTask(*task);
            if (hr == S_OK)
                item = std::move(task);
            return hr;
        }
    } catch (const std::bad_alloc &) {
        return E_OUT_OF_MEMORY;
    }
    return kBadKind;
}
