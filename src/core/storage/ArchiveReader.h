// Bounds-checked little-endian reader over a stored blob in the class library's archive layout.
// Every read fails, without moving, when the blob holds too few bytes, so that sizes read from a
// damaged blob never reach past its end or size an allocation.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class CArchiveReader
{
  public:
    explicit CArchiveReader(const QByteArray &data) : m_data(data) {}

    bool ReadU8(std::uint8_t &v);
    bool ReadU16(std::uint16_t &v);
    bool ReadU32(std::uint32_t &v);
    bool ReadDouble(double &v);
    bool ReadBytes(qsizetype n, QByteArray &out);
    bool Skip(qsizetype n);
    // A counted string: one length byte below 255; else 0xFF and a 16-bit length below 0xFFFE;
    // else 0xFF, 0xFFFF and a 32-bit length; then the bytes. 0xFF 0xFFFE marks a string of 16-bit
    // characters whose own count follows in the same form.
    bool ReadString(QString &out);

    qsizetype Position() const { return m_pos; }
    qsizetype Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos >= m_data.size(); }

  private:
    bool ReadLength(std::uint32_t &length, bool &wide);

    const QByteArray &m_data;
    qsizetype m_pos = 0;
};
