// CTransferWriter: builds the bytes of the private item format, one record per selected entry.
#pragma once

#include <QByteArray>
#include <cstdint>

class CEventItem;
class CTaskItem;

// Header (format version, record count), then per record: tag, length, the item's record
// bytes as the data file stores them, an empty text and a zero text count. Empty records keep
// the count equal to the number of selected entries.
class CTransferWriter
{
  public:
    explicit CTransferWriter(std::uint32_t formatVersion) : m_formatVersion(formatVersion) {}

    // An entry that cannot travel (load failed, deleted occurrence, unknown kind).
    void AddEmpty();
    // tag is Transfer::TagEvent or Transfer::TagSeries.
    void AddEvent(const CEventItem &event, std::uint32_t tag);
    void AddTask(const CTaskItem &task);

    std::uint32_t GetCount() const { return m_count; }
    QByteArray GetBytes() const;

  private:
    void AppendU32(std::uint32_t value);
    void AppendRecord(std::uint32_t tag, const QByteArray &recordBytes);

    std::uint32_t m_formatVersion;
    std::uint32_t m_count = 0;
    QByteArray m_records;
};
