// Archive-layout blob writing.
#include "core/storage/ArchiveWriter.h"

#include "core/storage/StoredText.h"

#include <QtEndian>
#include <cstring>

void CArchiveWriter::WriteU8(std::uint8_t v)
{
    m_out.append(char(v));
}

void CArchiveWriter::WriteU16(std::uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    m_out.append(b, 2);
}

void CArchiveWriter::WriteU32(std::uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    m_out.append(b, 4);
}

void CArchiveWriter::WriteDouble(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    char b[8];
    qToLittleEndian(bits, b);
    m_out.append(b, 8);
}

void CArchiveWriter::WriteBytes(const QByteArray &bytes)
{
    m_out.append(bytes);
}

void CArchiveWriter::WriteZeros(qsizetype n)
{
    if (n > 0)
        m_out.append(n, '\0');
}

int CArchiveWriter::LengthPrefixSize(std::uint64_t length)
{
    if (length < 0xFF)
        return 1;
    if (length < 0xFFFE)
        return 3;
    return 7;
}

void CArchiveWriter::WriteStringBytes(const QByteArray &utf8)
{
    const auto length = std::uint64_t(utf8.size());
    if (length < 0xFF) {
        WriteU8(std::uint8_t(length));
    } else if (length < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(std::uint16_t(length));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(std::uint32_t(length));
    }
    m_out.append(utf8);
}

void CArchiveWriter::WriteString(const QString &text)
{
    WriteStringBytes(EncodeStoredText(text));
}

void CArchiveWriter::PatchU32(qsizetype offset, std::uint32_t v)
{
    qToLittleEndian(v, m_out.data() + offset);
}

bool CArchiveWriter::FinishFixedObjectBlob(qsizetype plainLength)
{
    WriteZeros((16 - (m_out.size() - plainLength) % 16) % 16);
    if (m_out.size() > qsizetype(0xFFFFFFFFu))
        return false;
    PatchU32(4, std::uint32_t(m_out.size()));
    PatchU32(16, std::uint32_t(m_out.size()));
    return true;
}
