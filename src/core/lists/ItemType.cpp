// The item type record: tag, flags, name, lead span, colours, font, sound, reserved bytes.
#include "core/lists/ItemType.h"

#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"

CItemType::CItemType() : m_shades(MakeGradientPair(m_fillColor)) {}

CItemType::CItemType(const QString &name) : CItemType()
{
    SetName(name);
}

void CItemType::SetName(const QString &name)
{
    m_name = name.left(kMaxNameLength);
}

void CItemType::SetFillColor(COLORREF colour)
{
    m_fillColor = colour;
    m_shades = MakeGradientPair(colour);
}

HRESULT CItemType::Read(CArchiveReader &ar, bool withReserved)
{
    std::uint32_t tag = 0, flags = 0, leadStatus = 0, textColor = 0, fillColor = 0;
    double leadDays = 0;
    QString name, path;
    QByteArray fontBytes;
    std::uint8_t soundFlags = 0, spare = 0, minutes = 0, seconds = 0;
    if (!ar.ReadU32(tag) || tag != kTag || !ar.ReadU32(flags) || !ar.ReadString(name) ||
        !ar.ReadU32(leadStatus) || !ar.ReadDouble(leadDays) || !ar.ReadU32(textColor) ||
        !ar.ReadU32(fillColor) || !ar.ReadBytes(LogFont::kSize, fontBytes) || !ar.ReadU8(soundFlags) ||
        !ar.ReadU8(spare) || !ar.ReadU8(minutes) || !ar.ReadU8(seconds) || !ar.ReadString(path) ||
        (withReserved && !ar.Skip(kReservedBytes)))
        return QV_E_INTERNAL;

    m_flags = flags;
    m_name = name; // a stored name stays as items refer to it
    m_reminderLead = CDateSpan(leadDays);
    m_reminderLead.SetStatus(leadStatus <= CDateSpan::null ? CDateSpan::Status(leadStatus)
                                                           : CDateSpan::invalid);
    m_textColor = textColor;
    SetFillColor(fillColor);
    m_font.FromBytes(fontBytes);
    m_sound.SetFlags(soundFlags);
    m_sound.SetSpare(spare);
    m_sound.SetRepeatDelay(minutes, seconds);
    m_sound.SetPath(path);
    return S_OK;
}

void CItemType::Write(CArchiveWriter &ar) const
{
    ar.WriteU32(kTag);
    ar.WriteU32(m_flags);
    ar.WriteString(m_name);
    ar.WriteU32(std::uint32_t(m_reminderLead.GetStatus()));
    ar.WriteDouble(m_reminderLead.GetTotalDays());
    ar.WriteU32(m_textColor);
    ar.WriteU32(m_fillColor);
    ar.WriteBytes(m_font.ToBytes());
    ar.WriteU8(m_sound.GetFlags());
    ar.WriteU8(m_sound.GetSpare());
    ar.WriteU8(m_sound.GetRepeatMinutes());
    ar.WriteU8(m_sound.GetRepeatSeconds());
    ar.WriteString(m_sound.GetPath());
    ar.WriteZeros(kReservedBytes);
}

bool CItemType::operator==(const CItemType &other) const
{
    return m_flags == other.m_flags && m_name == other.m_name && m_reminderLead == other.m_reminderLead &&
           m_textColor == other.m_textColor && m_fillColor == other.m_fillColor && m_font == other.m_font &&
           m_sound == other.m_sound;
}
