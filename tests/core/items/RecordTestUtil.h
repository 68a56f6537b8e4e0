// Helpers for record tests: patching and reading values in record bytes, and reading a record
// back from bytes with the archive cause a read raises.
#pragma once

#include "common/ByteBuilder.h"
#include "core/storage/ArchiveException.h"
#include "core/items/EventItem.h"
#include "core/storage/MemoryStream.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>

inline void PutU32(QByteArray &bytes, int offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::uint32_t GetU32(const QByteArray &bytes, int offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return v;
}

// Reads bytes with one of an item's readers, e.g. ReadWith(bytes, item, &CTaskItem::Read);
// returns the cause raised, none when the read succeeded, and the bytes consumed.
template <class Item>
CArchiveException::Cause ReadWith(const QByteArray &bytes, Item &item, void (Item::*reader)(CMemoryStream &),
                                  std::size_t *consumed = nullptr)
{
    CMemoryStream stream;
    stream.Attach(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    try {
        (item.*reader)(stream);
    } catch (const CArchiveException &e) {
        return e.GetCause();
    }
    if (consumed)
        *consumed = stream.GetPosition();
    return CArchiveException::none;
}

// An event record of the older layout: no reserved value and no location, a plain block of
// 160 bytes, padded after it to whole blocks as the older program stored it.
inline QByteArray OlderEventRecord(const QByteArray &subject, const CDateTime &start)
{
    ByteBuilder b;
    b.U32(CEventItem::RecordTag).U32(0).U32(160).U32(0x40000).U32(0x1234);
    b.F64(start.Value()).F64(1.0 / 24).U32(0).U16(0).U16(0).F64(0).U32(0);
    b.F64(0).F64(5.0 / 1440).F64(0).F64(0).F64(0).U32(0).Zeros(60);
    b.U32(CEventItem::RecordTag).U32(0).F64(CDateTime(2009, 1, 1).Value()).F64(0);
    b.U16(0).U8(0).U8(30).Str("").U32(0).Zeros(4).U32(0);
    b.Str(subject).Str("old notes").Str("Meeting").Str("").Str("").Zeros(54);
    b.Zeros((16 - (b.Size() - 160) % 16) % 16);
    b.PatchU32(4, std::uint32_t(b.Size()));
    b.PatchU32(164, std::uint32_t(b.Size()));
    return b.Bytes();
}
