// CFontChoice: the font a customise dialog offers: read from and written to a section's "Font"
// value with its size in points, kept within the dialog's size range, with the sample text
// "%s (%d pt.)" its label shows.
#pragma once

#include "core/lists/LogFont.h"

#include <QString>

class CFontChoice
{
  public:
    CFontChoice(int minPoints, int maxPoints) : m_min(minPoints), m_max(maxPoints) {}

    void Load(const QString &section, int defaultPoints);
    void Save(const QString &section) const;

    // Takes a chosen font; a size outside the range is brought to its nearest end.
    void Set(const QString &face, int points, bool bold, bool italic);
    const LogFont &Font() const { return m_font; } // height in points
    QString Face() const { return m_font.FaceName(); }
    int Points() const { return m_font.height < 0 ? -m_font.height : m_font.height; }
    bool IsBold() const { return m_font.weight >= 700; }
    bool IsItalic() const { return m_font.italic != 0; }
    int MinPoints() const { return m_min; }
    int MaxPoints() const { return m_max; }
    QString SampleText() const;
    // Whether another font differs in what the views draw with: height, weight, italic,
    // character set or face name.
    bool DiffersFrom(const LogFont &other) const;

  private:
    LogFont m_font;
    int m_min, m_max;
};
