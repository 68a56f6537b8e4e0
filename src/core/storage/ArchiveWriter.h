// Little-endian writer of blobs in the class library's archive layout.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class CArchiveWriter
{
  public:
    explicit CArchiveWriter(QByteArray &out) : m_out(out) {}

    void WriteU8(std::uint8_t v);
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteDouble(double v);
    void WriteBytes(const QByteArray &bytes);
    void WriteZeros(qsizetype n);
    // The text as UTF-8 in the counted form that `CArchiveReader::ReadString` reads.
    void WriteString(const QString &text);
    void WriteStringBytes(const QByteArray &utf8);
    // Overwrites a 32-bit value already written at `offset`.
    void PatchU32(qsizetype offset, std::uint32_t v);

    qsizetype Size() const { return m_out.size(); }

    // Ends a fixed-object blob: pads what follows the plain header to whole 16-byte cipher
    // blocks and writes the total length into both header length fields (offsets 4 and 16).
    // False when the blob is too large for those 32-bit fields.
    bool FinishFixedObjectBlob(qsizetype plainLength);

    // Bytes taken by the length prefix of a string of `length` bytes.
    static int LengthPrefixSize(std::uint64_t length);

  private:
    QByteArray &m_out;
};
