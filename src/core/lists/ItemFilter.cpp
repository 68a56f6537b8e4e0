// The saved filter and its record: tag, flags, name, type names, category names, 60 reserved bytes.
#include "core/lists/ItemFilter.h"

#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"

namespace {
bool ReadNames(CArchiveReader &ar, QStringList &names)
{
    std::uint32_t count = 0;
    if (!ar.ReadU32(count))
        return false;
    // Every name takes at least its length byte, so a count beyond the bytes left is damage.
    if (qsizetype(count) > ar.Remaining())
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        QString name;
        if (!ar.ReadString(name))
            return false;
        names.append(name);
    }
    return true;
}

void WriteNames(CArchiveWriter &ar, const QStringList &names)
{
    ar.WriteU32(std::uint32_t(names.size()));
    for (const QString &name : names)
        ar.WriteString(name);
}
} // namespace

void CItemFilter::Clear()
{
    m_flags = 0;
    m_name.clear();
    m_itemTypeNames.clear();
    m_categoryNames.clear();
}

HRESULT CItemFilter::Read(CArchiveReader &ar)
{
    std::uint32_t tag = 0, flags = 0;
    QString name;
    QStringList types, categories;
    if (!ar.ReadU32(tag) || tag != kTag || !ar.ReadU32(flags) || !ar.ReadString(name) ||
        !ReadNames(ar, types) || !ReadNames(ar, categories) || !ar.Skip(kReservedBytes))
        return QV_E_INTERNAL;
    m_flags = flags;
    m_name = name;
    m_itemTypeNames = types;
    m_categoryNames = categories;
    return S_OK;
}

void CItemFilter::Write(CArchiveWriter &ar) const
{
    ar.WriteU32(kTag);
    ar.WriteU32(m_flags);
    ar.WriteString(m_name);
    WriteNames(ar, m_itemTypeNames);
    WriteNames(ar, m_categoryNames);
    ar.WriteZeros(kReservedBytes);
}
