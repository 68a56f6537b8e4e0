// Bounds-checked archive reading.
#include "core/storage/ArchiveReader.h"

#include "core/storage/StoredText.h"

#include <QtEndian>
#include <cstring>

bool CArchiveReader::ReadU8(std::uint8_t &v)
{
    if (Remaining() < 1)
        return false;
    v = static_cast<std::uint8_t>(m_data[m_pos]);
    m_pos += 1;
    return true;
}

bool CArchiveReader::ReadU16(std::uint16_t &v)
{
    if (Remaining() < 2)
        return false;
    v = qFromLittleEndian<std::uint16_t>(m_data.constData() + m_pos);
    m_pos += 2;
    return true;
}

bool CArchiveReader::ReadU32(std::uint32_t &v)
{
    if (Remaining() < 4)
        return false;
    v = qFromLittleEndian<std::uint32_t>(m_data.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool CArchiveReader::ReadDouble(double &v)
{
    if (Remaining() < 8)
        return false;
    const auto bits = qFromLittleEndian<std::uint64_t>(m_data.constData() + m_pos);
    std::memcpy(&v, &bits, sizeof v);
    m_pos += 8;
    return true;
}

bool CArchiveReader::ReadBytes(qsizetype n, QByteArray &out)
{
    if (n < 0 || Remaining() < n)
        return false;
    out = m_data.mid(m_pos, n);
    m_pos += n;
    return true;
}

bool CArchiveReader::Skip(qsizetype n)
{
    if (n < 0 || Remaining() < n)
        return false;
    m_pos += n;
    return true;
}

bool CArchiveReader::ReadLength(std::uint32_t &length, bool &wide)
{
    std::uint8_t b = 0;
    if (!ReadU8(b))
        return false;
    if (b < 0xFF) {
        length = b;
        return true;
    }
    std::uint16_t w = 0;
    if (!ReadU16(w))
        return false;
    if (w == 0xFFFE) {
        // Only one wide marker may stand before a length.
        if (wide)
            return false;
        wide = true;
        return ReadLength(length, wide);
    }
    if (w < 0xFFFE) {
        length = w;
        return true;
    }
    return ReadU32(length);
}

bool CArchiveReader::ReadString(QString &out)
{
    const qsizetype start = m_pos;
    std::uint32_t length = 0;
    bool wide = false;
    if (!ReadLength(length, wide)) {
        m_pos = start;
        return false;
    }
    const qsizetype bytes = wide ? qsizetype(length) * 2 : qsizetype(length);
    if (Remaining() < bytes) {
        m_pos = start;
        return false;
    }
    const char *p = m_data.constData() + m_pos;
    if (wide) {
        QString s(qsizetype(length), Qt::Uninitialized);
        for (qsizetype i = 0; i < qsizetype(length); ++i)
            s[i] = QChar(qFromLittleEndian<std::uint16_t>(p + 2 * i));
        out = s;
    } else {
        out = DecodeStoredText(p, bytes);
    }
    m_pos += bytes;
    return true;
}
