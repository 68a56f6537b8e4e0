// Helpers for record tests: patching and reading values in record bytes, and reading a record
// back from bytes with the archive cause a read raises.
#pragma once

#include "common/ByteBuilder.h"
#include "core/ArchiveException.h"
#include "core/MemoryStream.h"

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
