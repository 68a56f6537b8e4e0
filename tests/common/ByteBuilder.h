// A builder of little-endian bytes, field by field, for laying out records by hand.
#pragma once

#include <QByteArray>
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
