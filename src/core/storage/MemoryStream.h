// CMemoryStream: the byte buffer through which item records are written and read.
#pragma once

#include <cstddef>
#include <cstdint>

class CDateSpan;
class CDateTime;
class QByteArray;
class QString;

// A growable writer or a bounded reader over one buffer. Values are little-endian and
// unaligned. Reads past the end raise CArchiveException(endOfFile) and leave the cursor
// where it was. Every buffer the stream allocates is zero-filled, so bytes reserved but
// not written read as zero (record padding relies on it).
class CMemoryStream
{
  public:
    CMemoryStream() = default;
    virtual ~CMemoryStream();
    CMemoryStream(const CMemoryStream &) = delete;
    CMemoryStream &operator=(const CMemoryStream &) = delete;

    // Reads over bytes the caller keeps; the stream never frees or writes them (a write
    // first moves the bytes into a buffer of the stream's own).
    void Attach(const void *buffer, std::size_t length);
    // Takes over a buffer allocated with new[]; the stream frees it.
    void AttachOwned(std::uint8_t *buffer, std::size_t length);

    // Makes room for n more bytes at the cursor; capacity grows in steps of 256 and keeps
    // at least one spare byte. Throws std::bad_alloc and keeps the old buffer on failure.
    void Reserve(std::size_t n);

    void WriteBytes(const void *source, std::size_t n);
    void WriteZeros(std::size_t n);
    void WriteUInt8(std::uint8_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteDouble(double value);
    // The 8-byte day value; the validity status is not stored.
    void WriteDate(const CDateTime &value);
    void WriteDate(const CDateSpan &value);
    // A 32-bit count of the UTF-8 bytes plus the terminating NUL, the bytes and the NUL.
    void WriteString(const QString &text);

    // n = 0 returns 0; otherwise copies n bytes and returns n.
    std::size_t ReadBytes(void *target, std::size_t n);
    void Skip(std::size_t n);
    std::uint8_t ReadUInt8();
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    double ReadDouble();
    // Replace the day value and keep the target's status.
    void ReadDate(CDateTime &value);
    void ReadDate(CDateSpan &value);
    // Reads a string written by WriteString. The text ends at the first NUL inside its
    // counted bytes, or with those bytes when they hold none; the cursor moves past them all.
    int ReadString(QString &text);
    // Raises end-of-file unless at least n bytes remain: for counts read from stored bytes,
    // before anything is allocated for them.
    void RequireBytes(std::uint64_t n) const;

    std::uint8_t *GetBuffer() { return m_buffer; }
    const std::uint8_t *GetBuffer() const { return m_buffer; }
    // Writer: bytes written; reader: bytes consumed.
    std::size_t GetPosition() const { return static_cast<std::size_t>(m_cursor - m_buffer); }
    std::size_t GetRemaining() const { return static_cast<std::size_t>(m_limit - m_cursor); }
    std::size_t GetCapacity() const { return static_cast<std::size_t>(m_limit - m_buffer); }
    // A copy of the bytes before the cursor.
    QByteArray ToByteArray() const;

  private:
    void FreeBuffer();
    std::uint8_t *TakeForRead(std::size_t n);

    std::uint8_t *m_buffer = nullptr;
    std::uint8_t *m_cursor = nullptr;
    std::uint8_t *m_limit = nullptr;
    bool m_ownsBuffer = true;
};
