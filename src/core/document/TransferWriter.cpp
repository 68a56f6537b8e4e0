// Writer of the private item format.
#include "core/document/TransferWriter.h"

#include "core/items/EventItem.h"
#include "core/storage/MemoryStream.h"
#include "core/items/TaskItem.h"
#include "core/document/TransferFormat.h"

namespace {
// The record as the data file stores it: the content padded with zeros to the declared size,
// which the reader checks against the bytes it is given.
template <class Item> QByteArray RecordBytes(const Item &item)
{
    const std::uint32_t size = item.GetStreamSize();
    CMemoryStream stream;
    stream.Reserve(size);
    item.Write(stream);
    QByteArray bytes = stream.ToByteArray();
    if (bytes.size() < qsizetype(size))
        bytes.append(QByteArray(qsizetype(size) - bytes.size(), '\0'));
    return bytes;
}
} // namespace

void CTransferWriter::AppendU32(std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        m_records.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void CTransferWriter::AppendRecord(std::uint32_t tag, const QByteArray &recordBytes)
{
    AppendU32(tag);
    AppendU32(static_cast<std::uint32_t>(recordBytes.size()));
    m_records.append(recordBytes);
    AppendU32(1); // the empty text: its NUL only
    m_records.append('\0');
    AppendU32(0); // no further texts
    ++m_count;
}

void CTransferWriter::AddEmpty()
{
    AppendU32(Transfer::TagEmpty);
    ++m_count;
}

void CTransferWriter::AddEvent(const CEventItem &event, std::uint32_t tag)
{
    AppendRecord(tag == Transfer::TagSeries ? Transfer::TagSeries : Transfer::TagEvent, RecordBytes(event));
}

void CTransferWriter::AddTask(const CTaskItem &task)
{
    AppendRecord(Transfer::TagTask, RecordBytes(task));
}

QByteArray CTransferWriter::GetBytes() const
{
    QByteArray out;
    out.reserve(8 + m_records.size());
    for (std::uint32_t value : {m_formatVersion, m_count})
        for (int i = 0; i < 4; ++i)
            out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    out.append(m_records);
    return out;
}
