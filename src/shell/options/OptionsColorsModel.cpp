// The Appearance page's values.
#include "shell/options/OptionsColorsModel.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QtEndian>

namespace {
QString Tasks()
{
    return GetConstString(ConstName::Tasks);
}
} // namespace

COptionsColorsModel::CustomColors COptionsColorsModel::DecodeCustomColors(const QByteArray &data)
{
    CustomColors colors;
    colors.fill(0xFFFFFF);
    if (data.size() != kCustomColorCount * 4)
        return colors;
    for (int i = 0; i < kCustomColorCount; ++i)
        colors[std::size_t(i)] = qFromLittleEndian<quint32>(data.constData() + i * 4);
    return colors;
}

QByteArray COptionsColorsModel::EncodeCustomColors(const CustomColors &colors)
{
    QByteArray data(kCustomColorCount * 4, '\0');
    for (int i = 0; i < kCustomColorCount; ++i)
        qToLittleEndian<quint32>(colors[std::size_t(i)], data.data() + i * 4);
    return data;
}

void COptionsColorsModel::Load(COLORREF livePaneBackground, COLORREF livePaneText)
{
    State &s = m_state;
    s.overdue = COLORREF(GetProfileInt(Tasks(), QStringLiteral("TCO"), int(kDefaultOverdue)));
    s.completed = COLORREF(GetProfileInt(Tasks(), QStringLiteral("TCC"), int(kDefaultCompleted)));
    s.customPanes = GetProfileInt(ConstName::Common, ConstName::CIC, 0) != 0;
    s.paneBackground = COLORREF(GetProfileInt(ConstName::Common, ConstName::ICB, int(livePaneBackground)));
    s.paneText = COLORREF(GetProfileInt(ConstName::Common, ConstName::ICT, int(livePaneText)));
    QByteArray custom;
    GetProfileBinary(ConstName::Common, ConstName::CCS, custom);
    s.customColors = DecodeCustomColors(custom);
    s.largeIcons = GetProfileInt(ConstName::Common, ConstName::TLI, 1) != 0;
    m_loaded = s;
    m_changed = m_applied = m_paneColorsChanged = false;
}

bool COptionsColorsModel::CanLeave() const
{
    return !m_state.customPanes || m_state.paneBackground != m_state.paneText;
}

bool COptionsColorsModel::Apply()
{
    if (!m_changed)
        return false;
    const State &s = m_state;
    WriteProfileInt(Tasks(), QStringLiteral("TCO"), int(s.overdue));
    WriteProfileInt(Tasks(), QStringLiteral("TCC"), int(s.completed));
    WriteProfileInt(ConstName::Common, ConstName::CIC, s.customPanes ? 1 : 0);
    WriteProfileInt(ConstName::Common, ConstName::ICB, int(s.paneBackground));
    WriteProfileInt(ConstName::Common, ConstName::ICT, int(s.paneText));
    WriteProfileBinary(ConstName::Common, ConstName::CCS, EncodeCustomColors(s.customColors));
    WriteProfileInt(ConstName::Common, ConstName::TLI, s.largeIcons ? 1 : 0);
    m_paneColorsChanged = s.customPanes != m_loaded.customPanes ||
                          s.paneBackground != m_loaded.paneBackground || s.paneText != m_loaded.paneText;
    m_loaded = s;
    m_applied = true;
    return true;
}
