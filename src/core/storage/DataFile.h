// CDataFile: the calendar's data file over the storage engine: the event and task
// collections addressed by record ids, enciphered records, the fixed objects, and typed
// load, save, delete and enumeration of events and tasks.
#pragma once

#include "core/dates/DateTime.h"
#include "core/storage/FixedObjectStore.h"
#include "core/system/ResultCode.h"
#include "core/storage/StorageFile.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CCalendarItem;
class CCipher;
class CEventItem;
class CItemSummary;
class CMemoryStream;
class CTaskItem;

namespace DataFileLayout {
// Collection objects and the ids of their records: collection + 16 + slot index.
inline constexpr std::uint32_t EventCollection = 0;
inline constexpr std::uint32_t TaskCollection = 0x100000;
inline constexpr std::uint32_t FirstSlotOffset = 16;

// Slot values.
inline constexpr std::uint32_t SlotFree = 0;
inline constexpr std::uint32_t SlotReserved = 15; // id handed out, record not yet stored
inline constexpr std::uint32_t SlotEvent = 0xF197120F;
inline constexpr std::uint32_t SlotTask = 0xA101971F;

inline constexpr std::uint32_t SlotsPerPiece = 1024;
inline constexpr std::uint32_t GrowthSlots = 128;
inline constexpr std::uint32_t CopyPieceSize = 8192;
// Event ids stay below the task collection's object id; task slots below 2^20.
inline constexpr std::uint32_t MaxEventSlots = TaskCollection - FirstSlotOffset;
inline constexpr std::uint32_t MaxTaskSlots = 0xFFFFF;

// Record buffer fields the store uses.
inline constexpr std::uint32_t SummaryLength = 164;
inline constexpr std::uint32_t RecordStampOffset = 20;
} // namespace DataFileLayout

// One record of CollectItemStamps.
struct ItemStamp
{
    std::uint32_t recordId = 0;
    std::uint32_t stamp = 0;
};

// One entry of EnumItemsOfKind.
struct ItemListEntry
{
    std::uint32_t kind = 0;
    bool recurring = false;
    std::uint32_t recordId = 0;
    QString uniqueId;
};

// What the import compares to find duplicates.
struct ItemFingerprint
{
    std::uint32_t recordId = 0;
    std::uint32_t checksum = 0;  // CRC-32 over the subject's bytes, then the date's 8 bytes
    CDateTime date;              // an event's start, a task's due date
    std::uint32_t taskFlags = 0; // the task's flag word; 0 for an event
};

class CDataFile : public IFixedObjectStore
{
  public:
    enum PasswordState
    {
        PasswordUnknown = 0,
        PasswordRequired = 1,
        PasswordNone = 2,
    };

    // Called for each item of a collection with its record id; 0 goes on.
    using ItemCallback = std::function<HRESULT(std::uint32_t recordId)>;
    // Called for each item of a collection with its summary; 0 goes on.
    using SummaryCallback = std::function<HRESULT(const CItemSummary &summary)>;

    CDataFile();
    ~CDataFile() override;
    CDataFile(const CDataFile &) = delete;
    CDataFile &operator=(const CDataFile &) = delete;

    // ---- Whole file ----

    // Creates a new file with its collections and fixed objects, title, password and
    // version block, and closes it again; a file that could not be finished is deleted.
    HRESULT Create(const QString &path, const QString &title, const QString &password);
    // Creates a file at the path, open read-write in this object, with the source's check
    // block, key, creation time, version block and title; backup then copies the objects.
    HRESULT CopyToNewFile(const QString &path, CDataFile &source);
    // A read-write open also frees the blocks that nothing in the file names.
    HRESULT Open(const QString &path, bool readOnly);
    // 0x8004052E with the converted flag; 0x80040511 / 0x80040522 for a version block that
    // cannot be deciphered / is damaged; then probes the empty password (the password state)
    // and keeps the format version: 0x80040523 older, 0x80040524 newer; 0x8004052C for a
    // writable file whose block chain is broken (it stays readable); else 0. A writable
    // file of the current format also gets the slots of an interrupted first save settled.
    HRESULT Validate();
    HRESULT Close();

    HRESULT CheckPassword(const QString &password);
    HRESULT CheckPassword(const CCipher &key);
    std::unique_ptr<CCipher> GetKey() const;

    QString GetTitle() const;
    HRESULT SetTitle(const QString &title);
    CDateTime GetCreationTime() const;
    CDateTime GetLastBackupTime() const;
    HRESULT SetLastBackupTime(const CDateTime &when);
    bool IsBackupCopy() const;
    HRESULT SetBackupFlag(bool on);
    bool IsConverted() const;
    HRESULT SetConvertedFlag(bool on);
    // Rewrites the version block (a conversion finishes with the current format).
    HRESULT WriteFormatVersion(std::uint32_t version);
    // "Database\<creation time as %x%x>\<name>": where per-file settings live.
    QString GetRegistryPath(const QString &valueName) const;
    // "Database\<creation time as %x%x>": the settings section of this file.
    QString GetRegistrySection() const;
    HRESULT Flush();

    bool IsOpen() const { return m_storage.IsOpen(); }
    bool IsReadOnly() const { return m_storage.IsReadOnly(); }
    const QString &GetPath() const { return m_path; }
    PasswordState GetPasswordState() const { return m_passwordState; }
    bool GetWriteThrough() const { return m_writeThrough; }
    // Write-through also puts barriers between the writes of a change (see CStorageFile), so
    // that a save that returned survives a power loss, not only a killed process.
    void SetWriteThrough(bool on)
    {
        m_writeThrough = on;
        m_storage.SetWriteBarriers(on);
    }
    // 0 until Validate has read the version block.
    std::uint32_t GetFormatVersion() const override { return m_formatVersion; }

    // ---- Collections and records ----

    HRESULT EnumEvents(const ItemCallback &callback);
    HRESULT EnumTasks(const ItemCallback &callback);
    // Reserves the lowest free slot of a collection (EventCollection or TaskCollection).
    HRESULT AllocateId(std::uint32_t collection, std::uint32_t &recordId);
    HRESULT SetSlotValue(std::uint32_t recordId, std::uint32_t value);
    HRESULT GetSlotValue(std::uint32_t recordId, std::uint32_t &value);
    // The record of an object: with maxLength -1 all of it, deciphered and cut to its used
    // length; otherwise its first maxLength bytes (or fewer when the block is smaller) as
    // stored. An object without data gives S_OK and an empty record in a writable file.
    HRESULT ReadRecord(std::uint32_t id, std::int64_t maxLength, QByteArray &record);
    // Stores a record (used length at byte 4, plain prefix length at byte 8) enciphered in a
    // new block, then points the object at it; the old block is freed after that.
    HRESULT WriteRecord(std::uint32_t id, const QByteArray &record);
    // Copies an object's stored bytes from another file with the same key (backup).
    HRESULT CopyObjectFrom(CDataFile &source, std::uint32_t id);

    // ---- Events and tasks ----

    // Loads read the record of the item's id: 0x80040526 for a malformed record, 0x8004050C
    // for one without data, 14 out of memory. While the format version read by Validate is
    // older than the current one (a conversion), records are read in the older layout.
    // Whole loads set the item type index from the registered item type list.
    HRESULT LoadEvent(CEventItem &event);
    HRESULT LoadTask(CTaskItem &task);
    HRESULT LoadEventSummary(CEventItem &event);
    HRESULT LoadTaskSummary(CTaskItem &task);
    HRESULT ReloadEvent(CEventItem &event);
    HRESULT ReloadTask(CTaskItem &task);
    // A new item (record id 0) gets a slot, its unique id, missing times and a record stamp,
    // and its record id once stored; a first save that fails leaves no item behind.
    HRESULT SaveEvent(CEventItem &event);
    HRESULT SaveTask(CTaskItem &task);
    // Frees the slot, then deletes the record.
    HRESULT DeleteEvent(std::uint32_t recordId);
    HRESULT DeleteTask(std::uint32_t recordId);
    // kind 1 event, 2 task; any other kind gives 0x80040502.
    HRESULT CollectItemStamps(int kind, std::vector<ItemStamp> &stamps, std::size_t capacity);
    HRESULT EnumItemsOfKind(int kind, std::vector<ItemListEntry> &list);
    HRESULT CollectFingerprints(int kind, std::vector<ItemFingerprint> &prints, std::size_t capacity);
    HRESULT CountItems(int kind, int &count);

    // ---- Compact summaries ----

    // The summary of an item of a kind (1 event, 2 task; any other 0x80040502) with the
    // results of LoadEventSummary / LoadTaskSummary; a summary that fails stays as it was.
    HRESULT LoadSummary(int kind, std::uint32_t recordId, CItemSummary &summary);
    // Each item's summary in turn, as EnumEvents / EnumTasks walk them.
    HRESULT EnumSummaries(int kind, const SummaryCallback &callback);
    // Appends the summary of every item of a kind.
    HRESULT CollectSummaries(int kind, std::vector<CItemSummary> &summaries);
    // The whole item a summary stands for, loaded by its record id as LoadEvent / LoadTask do.
    HRESULT LoadWholeItem(const CItemSummary &summary, std::unique_ptr<CCalendarItem> &item);

    // ---- Fixed objects ----

    HRESULT ReadItemTypes(QByteArray &blob) { return ReadFixedObject(kFixedItemTypes, blob); }
    HRESULT WriteItemTypes(const QByteArray &blob) { return WriteFixedObject(kFixedItemTypes, blob); }
    HRESULT ReadFixedObject2(QByteArray &blob) { return ReadFixedObject(kFixedMasterCategories, blob); }
    HRESULT WriteFixedObject2(const QByteArray &blob)
    {
        return WriteFixedObject(kFixedMasterCategories, blob);
    }
    HRESULT ReadFixedObject3(QByteArray &blob) { return ReadFixedObject(kFixedLocations, blob); }
    HRESULT WriteFixedObject3(const QByteArray &blob) { return WriteFixedObject(kFixedLocations, blob); }
    HRESULT ReadWebPublishOptions(QByteArray &blob) { return ReadFixedObject(kFixedWebPublishOptions, blob); }
    HRESULT WriteWebPublishOptions(const QByteArray &blob)
    {
        return WriteFixedObject(kFixedWebPublishOptions, blob);
    }
    HRESULT ReadPrintStyles(QByteArray &blob) { return ReadFixedObject(kFixedPrintStyles, blob); }
    HRESULT WritePrintStyles(const QByteArray &blob) { return WriteFixedObject(kFixedPrintStyles, blob); }

    HRESULT ReadFixedObject(int id, QByteArray &data) override;
    HRESULT WriteFixedObject(int id, const QByteArray &data) override;

    // The engine underneath (backup, tests).
    CStorageFile &GetStorageFile() { return m_storage; }

  private:
    struct SlotArray
    {
        std::uint32_t dataOffset = 0;
        std::uint32_t count = 0;
        bool held = false; // the collection's entry is held open until CloseSlots
    };
    struct BlockMemo
    {
        std::uint32_t dataOffset = 0;
        std::uint32_t usable = 0;
    };

    void ResetState();
    HRESULT RefuseWrites() const;
    HRESULT MakeObjects(CStorageFile &file);
    // Finds a collection's slot array. A reader outside a read batch holds the collection's
    // entry until CloseSlots; the writer needs no lock to read it (only it changes slots) and
    // takes the entry only to move the collection.
    HRESULT OpenSlots(std::uint32_t collection, SlotArray &slotArray);
    void CloseSlots(std::uint32_t collection, const SlotArray &slotArray);
    HRESULT SlotsOfBlock(std::uint32_t collection, std::uint32_t dataOffset, SlotArray &slotArray);
    void ForgetSlotMemo(std::uint32_t id);
    // With the collection open: write one slot; reserve the lowest free one (growing).
    HRESULT WriteSlot(std::uint32_t collection, const SlotArray &slotArray, std::uint32_t index,
                      std::uint32_t value);
    HRESULT ReserveSlot(std::uint32_t collection, SlotArray &slotArray, std::uint32_t &recordId);
    HRESULT GrowCollection(std::uint32_t collection, SlotArray &slotArray, std::uint32_t newCount);
    HRESULT EnumCollection(std::uint32_t collection, const ItemCallback &callback);
    HRESULT HasRecordData(std::uint32_t id, bool &hasData);
    HRESULT SettleReservedSlots(std::uint32_t collection, std::uint32_t storedValue);
    HRESULT WriteRecordInPlace(std::uint32_t id, std::uint8_t *record, std::size_t length);
    HRESULT ForEachOfKind(int kind, const ItemCallback &callback);
    // Loads each item of a kind whole into a fresh item and hands it on.
    HRESULT ForEachLoaded(int kind, const std::function<HRESULT(const CCalendarItem &)> &use);
    // A file of an older format being converted: its records have the older layout.
    bool IsOlderFormat() const;
    // The save steps every item shares: missing times, the record, its stamp, a new id,
    // the write and the slot. `serialise` writes the item's record into the stream.
    HRESULT SaveItem(CCalendarItem &item, std::uint32_t collection, std::uint32_t storedValue,
                     const std::function<void(CMemoryStream &)> &serialise);
    // Reads the item's record (whole, or its plain summary) and hands it to `deserialise`;
    // with lookUpType the item type index follows from the type name.
    HRESULT LoadItem(CCalendarItem &item, std::uint32_t collection, bool summary, bool lookUpType,
                     const std::function<void(CMemoryStream &)> &deserialise);
    // The reading part of LoadItem for a record id of the collection.
    HRESULT ReadItemRecord(std::uint32_t id, std::uint32_t collection, bool summary,
                           const std::function<void(CMemoryStream &)> &deserialise);
    HRESULT DeleteItem(std::uint32_t collection, std::uint32_t recordId);
    // The end of a change: durable in write-through mode.
    HRESULT FinishChange();

    CStorageFile m_storage;
    std::uint32_t m_formatVersion = 0;
    bool m_writeThrough = true;
    PasswordState m_passwordState = PasswordUnknown;
    QString m_path;
    // Lowest slot of each collection that may be free. The one writer keeps it; a reader has
    // none (other processes change its slots).
    std::uint32_t m_freeHint[2] = {0, 0};
    // The usable size of each collection's block, known to the writer.
    BlockMemo m_slotMemo[2];
    // Bumped by every slot write, so that an enumeration sees changes its callbacks made.
    std::uint64_t m_slotChanges = 0;
};
