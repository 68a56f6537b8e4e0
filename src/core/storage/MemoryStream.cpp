// The memory stream's growth rule, little-endian values and bounded reads.
#include "core/storage/MemoryStream.h"

#include "core/storage/ArchiveException.h"
#include "core/dates/DateTime.h"
#include "core/storage/StoredText.h"

#include <QByteArray>
#include <QString>
#include <cstring>
#include <limits>
#include <new>

static_assert(sizeof(double) == 8, "dates are stored as 8-byte doubles");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "stored values are little-endian");

namespace {
// Records carry 32-bit sizes; a larger stream could not be stored anyway.
constexpr std::size_t kMaxCapacity = std::size_t(1) << 31;
} // namespace

CMemoryStream::~CMemoryStream()
{
    FreeBuffer();
}

void CMemoryStream::FreeBuffer()
{
    if (m_buffer && m_ownsBuffer)
        delete[] m_buffer;
    m_buffer = m_cursor = m_limit = nullptr;
}

void CMemoryStream::Attach(const void *buffer, std::size_t length)
{
    FreeBuffer();
    // The bytes stay the caller's; Reserve never writes into a buffer it does not own.
    m_buffer = m_cursor = static_cast<std::uint8_t *>(const_cast<void *>(buffer));
    m_limit = m_buffer ? m_buffer + length : nullptr;
    m_ownsBuffer = false;
}

void CMemoryStream::AttachOwned(std::uint8_t *buffer, std::size_t length)
{
    FreeBuffer();
    m_buffer = m_cursor = buffer;
    m_limit = buffer ? buffer + length : nullptr;
    m_ownsBuffer = true;
}

void CMemoryStream::Reserve(std::size_t n)
{
    if (m_ownsBuffer && GetRemaining() >= n)
        return;
    const std::size_t used = GetPosition();
    if (n > kMaxCapacity - used)
        throw std::bad_alloc();
    // Always at least one spare byte, in steps of 256.
    const std::size_t capacity = ((n + used) / 256 + 1) * 256;
    auto *fresh = new std::uint8_t[capacity](); // zero-filled
    if (used)
        std::memcpy(fresh, m_buffer, used);
    FreeBuffer();
    m_buffer = fresh;
    m_cursor = fresh + used;
    m_limit = fresh + capacity;
    m_ownsBuffer = true;
}

void CMemoryStream::WriteBytes(const void *source, std::size_t n)
{
    if (n == 0)
        return;
    Reserve(n);
    std::memcpy(m_cursor, source, n);
    m_cursor += n;
}

void CMemoryStream::WriteZeros(std::size_t n)
{
    if (n == 0)
        return;
    Reserve(n);
    std::memset(m_cursor, 0, n);
    m_cursor += n;
}

void CMemoryStream::WriteUInt8(std::uint8_t value)
{
    WriteBytes(&value, 1);
}

void CMemoryStream::WriteUInt16(std::uint16_t value)
{
    WriteBytes(&value, 2);
}

void CMemoryStream::WriteUInt32(std::uint32_t value)
{
    WriteBytes(&value, 4);
}

void CMemoryStream::WriteDouble(double value)
{
    WriteBytes(&value, 8);
}

void CMemoryStream::WriteDate(const CDateTime &value)
{
    WriteDouble(value.Value());
}

void CMemoryStream::WriteDate(const CDateSpan &value)
{
    WriteDouble(value.Value());
}

void CMemoryStream::WriteString(const QString &text)
{
    const QByteArray bytes = EncodeStoredText(text);
    const std::size_t length = static_cast<std::size_t>(bytes.size()) + 1;
    if (length > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    Reserve(4 + length);
    WriteUInt32(static_cast<std::uint32_t>(length));
    WriteBytes(bytes.constData(), length); // QByteArray keeps a NUL after its bytes
}

std::uint8_t *CMemoryStream::TakeForRead(std::size_t n)
{
    if (GetRemaining() < n)
        throw CArchiveException(CArchiveException::endOfFile);
    std::uint8_t *at = m_cursor;
    m_cursor += n;
    return at;
}

std::size_t CMemoryStream::ReadBytes(void *target, std::size_t n)
{
    if (n == 0)
        return 0;
    std::memcpy(target, TakeForRead(n), n);
    return n;
}

void CMemoryStream::Skip(std::size_t n)
{
    TakeForRead(n);
}

void CMemoryStream::RequireBytes(std::uint64_t n) const
{
    if (GetRemaining() < n)
        throw CArchiveException(CArchiveException::endOfFile);
}

std::uint8_t CMemoryStream::ReadUInt8()
{
    std::uint8_t v;
    ReadBytes(&v, 1);
    return v;
}

std::uint16_t CMemoryStream::ReadUInt16()
{
    std::uint16_t v;
    ReadBytes(&v, 2);
    return v;
}

std::uint32_t CMemoryStream::ReadUInt32()
{
    std::uint32_t v;
    ReadBytes(&v, 4);
    return v;
}

double CMemoryStream::ReadDouble()
{
    double v;
    ReadBytes(&v, 8);
    return v;
}

void CMemoryStream::ReadDate(CDateTime &value)
{
    const CDateTime::Status status = value.GetStatus();
    value = CDateTime(ReadDouble());
    value.SetStatus(status);
}

void CMemoryStream::ReadDate(CDateSpan &value)
{
    const CDateSpan::Status status = value.GetStatus();
    value = CDateSpan(ReadDouble());
    value.SetStatus(status);
}

int CMemoryStream::ReadString(QString &text)
{
    std::uint8_t *const start = m_cursor;
    const std::uint32_t length = ReadUInt32();
    if (GetRemaining() < length) {
        m_cursor = start;
        throw CArchiveException(CArchiveException::endOfFile);
    }
    const auto *bytes = reinterpret_cast<const char *>(TakeForRead(length));
    const void *nul = std::memchr(bytes, 0, length);
    const std::size_t textLength =
        nul ? static_cast<std::size_t>(static_cast<const char *>(nul) - bytes) : length;
    text = DecodeStoredText(bytes, static_cast<qsizetype>(textLength));
    return 1;
}

QByteArray CMemoryStream::ToByteArray() const
{
    return QByteArray(reinterpret_cast<const char *>(m_buffer), static_cast<qsizetype>(GetPosition()));
}
