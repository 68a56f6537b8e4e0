// The item type editor's rules.
#include "editing/types/ItemTypeEditor.h"

#include "core/system/ConstStrings.h"
#include "core/system/PrintfText.h"
#include "core/system/Profile.h"
#include "editing/base/EditingStrings.h"

#include <QFileInfo>

CItemTypeEditor::CItemTypeEditor(const QStringList &typeNames, const CItemType &type, int index)
    : m_names(typeNames), m_type(type), m_index(index)
{
}

ItemTypeChecks CItemTypeEditor::ChecksFromFlags() const
{
    ItemTypeChecks c;
    c.ownColors = m_type.HasFlag(CItemType::kFlagOwnColors);
    c.ownFont = m_type.HasFlag(CItemType::kFlagOwnFont);
    c.noWindowAfterTime = m_type.HasFlag(CItemType::kFlagNoWindowAfterTime);
    c.synchronise = m_type.HasFlag(kFlagSynchronise);
    c.busyDays = m_type.HasFlag(CItemType::kFlagBusyDays);
    return c;
}

int CItemTypeEditor::CheckName(const QString &name) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return EditText::TypeNameMissing;
    for (int i = 0; i < m_names.size(); ++i) {
        if (i != m_index && m_names.at(i).compare(trimmed, Qt::CaseInsensitive) == 0)
            return EditText::TypeNameTaken;
    }
    return 0;
}

std::uint32_t CItemTypeEditor::RebuildFlags(std::uint32_t old, const ItemTypeChecks &c)
{
    std::uint32_t flags = old & kKeptFlags;
    if (c.ownFont)
        flags |= CItemType::kFlagOwnFont;
    if (c.ownColors)
        flags |= CItemType::kFlagOwnColors;
    if (c.noWindowAfterTime)
        flags |= CItemType::kFlagNoWindowAfterTime;
    if (c.synchronise)
        flags |= kFlagSynchronise;
    if (c.busyDays)
        flags |= CItemType::kFlagBusyDays;
    return flags;
}

void CItemTypeEditor::Apply(const QString &name, const CDateSpan &lead, const ItemTypeChecks &checks)
{
    m_type.SetReminderLead(lead);
    m_type.SetFlags(RebuildFlags(m_type.GetFlags(), checks));
    m_type.SetName(name.trimmed());
    m_type.SetFillColor(m_type.GetFillColor()); // renews the gradient pair
}

QString CItemTypeEditor::FontSampleText(const LogFont &font, int dpi)
{
    return PrintfText(EditingText(EditText::FontSample),
                      {font.FaceName(), FontPointsFromHeight(font.height, dpi)});
}

QString CItemTypeEditor::SoundText(const CReminderSound &sound)
{
    QString text = sound.GetDescription();
    if (sound.GetMode() == CReminderSound::SoundFile && !QFileInfo::exists(sound.GetPath()))
        text += EditingText(EditText::SoundNotFound);
    return text;
}

CItemTypeEditor::CustomColors CItemTypeEditor::LoadCustomColors()
{
    CustomColors colors;
    colors.fill(0xFFFFFF);
    QByteArray data;
    if (GetProfileBinary(ConstName::Common, ConstName::CCS, data) && data.size() == 64) {
        for (int i = 0; i < 16; ++i) {
            std::uint32_t v = 0;
            for (int b = 0; b < 4; ++b)
                v |= std::uint32_t(std::uint8_t(data[i * 4 + b])) << (8 * b);
            colors[std::size_t(i)] = v;
        }
    }
    return colors;
}

bool CItemTypeEditor::SaveCustomColors(const CustomColors &colors)
{
    QByteArray data;
    for (COLORREF c : colors) {
        for (int b = 0; b < 4; ++b)
            data.append(char((c >> (8 * b)) & 0xFF));
    }
    return WriteProfileBinary(ConstName::Common, ConstName::CCS, data);
}
