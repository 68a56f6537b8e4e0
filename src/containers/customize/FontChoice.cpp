// The font of a customise dialog.
#include "containers/customize/FontChoice.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
// Points stored as they are: at 72 dots per inch a pixel is a point.
constexpr int kPointsDpi = 72;
const QString kFontValue = QStringLiteral("Font");
} // namespace

void CFontChoice::Load(const QString &section, int defaultPoints)
{
    m_font = LoadFontSettingPoints(section, kFontValue, defaultPoints);
    m_font.height = std::abs(m_font.height);
}

void CFontChoice::Save(const QString &section) const
{
    LogFont stored = m_font;
    stored.height = -Points();
    SaveFontSetting(stored, section, kFontValue, kPointsDpi);
}

void CFontChoice::Set(const QString &face, int points, bool bold, bool italic)
{
    m_font.SetFaceName(face);
    m_font.height = std::clamp(points, m_min, m_max);
    m_font.weight = bold ? 700 : 400;
    m_font.italic = italic ? 1 : 0;
}

QString CFontChoice::SampleText() const
{
    return QCoreApplication::translate("CFontChoice", "%1 (%2 pt.)").arg(Face()).arg(Points());
}

bool CFontChoice::DiffersFrom(const LogFont &other) const
{
    return std::abs(other.height) != Points() || other.weight != m_font.weight || other.italic != m_font.italic ||
           other.charSet != m_font.charSet || other.FaceName() != m_font.FaceName();
}
