// Item keys and their byte form.
#include "editing/base/ItemKey.h"

#include <QDataStream>
#include <QIODevice>

int CItemKeyArray::Add(int kind, std::uint32_t itemId, const CDateTime &occurrence,
                       std::shared_ptr<const CCalendarItem> unsaved)
{
    CItemKey key;
    key.kind = kind;
    key.itemId = itemId;
    key.occurrence = occurrence;
    m_keys.push_back(key);
    m_unsaved.push_back(std::move(unsaved));
    return int(m_keys.size()) - 1;
}

void CItemKeyArray::RemoveAll()
{
    m_keys.clear();
    m_unsaved.clear();
}

QByteArray CItemKeyArray::Serialize() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    const auto count = std::uint32_t(m_keys.size());
    if (count < 0xFFFF) {
        out << quint16(count);
    } else {
        out << quint16(0xFFFF) << quint32(count);
    }
    for (const CItemKey &key : m_keys) {
        out << qint32(key.kind) << quint32(key.itemId) << key.occurrence.Value()
            << qint32(key.occurrence.GetStatus()) << quint32(0);
    }
    return bytes;
}

bool CItemKeyArray::Deserialize(const QByteArray &bytes)
{
    RemoveAll();
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    in.setFloatingPointPrecision(QDataStream::DoublePrecision);
    quint16 shortCount = 0;
    in >> shortCount;
    std::uint32_t count = shortCount;
    qint64 header = 2;
    if (shortCount == 0xFFFF) {
        quint32 longCount = 0;
        in >> longCount;
        count = longCount;
        header = 6;
    }
    if (in.status() != QDataStream::Ok || bytes.size() - header != qint64(count) * CItemKey::kBlockBytes)
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        qint32 kind = 0;
        quint32 id = 0;
        double date = 0;
        qint32 status = 0;
        quint32 zero = 0;
        in >> kind >> id >> date >> status >> zero;
        if (status < CDateTime::valid || status > CDateTime::null)
            status = CDateTime::invalid;
        CDateTime occurrence(date);
        occurrence.SetStatus(CDateTime::Status(status));
        Add(kind, id, occurrence);
    }
    return in.status() == QDataStream::Ok;
}
