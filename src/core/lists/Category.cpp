// Category record: tag, colour, counted name, 84 reserved bytes.
#include "core/lists/Category.h"

#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"

HRESULT CCategory::Read(CArchiveReader &ar)
{
    std::uint32_t tag = 0, colour = 0;
    QString name;
    if (!ar.ReadU32(tag) || tag != kTag || !ar.ReadU32(colour) || !ar.ReadString(name) ||
        !ar.Skip(kReservedBytes)) {
        return QV_E_INTERNAL;
    }
    m_color = colour;
    m_name = name;
    return S_OK;
}

void CCategory::Write(CArchiveWriter &ar) const
{
    ar.WriteU32(kTag);
    ar.WriteU32(m_color);
    ar.WriteString(m_name);
    ar.WriteZeros(kReservedBytes);
}
