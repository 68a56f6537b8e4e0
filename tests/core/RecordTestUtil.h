// Helpers for record tests: a byte builder that lays out records by hand, reading a record
// back from bytes, and the archive cause a read raises.
#pragma once

#include "core/ArchiveException.h"
#include "core/MemoryStream.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>

// Little-endian bytes written field by field, independent of the code under test.
class ByteBuilder
{
  public:
    ByteBuilder &U8(std::uint8_t v)
    {
        m_bytes.append(static_cast<char>(v));
        return *this;
    }
    ByteBuilder &U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    ByteBuilder &U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    ByteBuilder &F64(double v)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return U32(static_cast<std::uint32_t>(bits)).U32(static_cast<std::uint32_t>(bits >> 32));
    }
    // A counted string: length with the NUL, the bytes, the NUL.
    ByteBuilder &Str(const QByteArray &utf8)
    {
        U32(static_cast<std::uint32_t>(utf8.size() + 1));
        m_bytes.append(utf8);
        return U8(0);
    }
    ByteBuilder &Str(const char *utf8) { return Str(QByteArray(utf8)); }
    ByteBuilder &Zeros(int n)
    {
        m_bytes.append(QByteArray(n, '\0'));
        return *this;
    }
    int Size() const { return int(m_bytes.size()); }
    const QByteArray &Bytes() const { return m_bytes; }
    // Overwrites a 32-bit value at an offset (sizes known only at the end).
    void PatchU32(int offset, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }

  private:
    QByteArray m_bytes;
};

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
