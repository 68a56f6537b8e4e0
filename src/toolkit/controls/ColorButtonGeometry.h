// Where a colour button draws its parts inside a rectangle: the separator before the arrow, the
// colour swatch and the drop arrow (with its embossed edge when disabled). Rectangles here end
// before their right and bottom edges, as the drawing rules measure them.
#pragma once

#include <QRect>
#include <vector>

class CColorButtonGeometry
{
  public:
    // Which colour a run of pixels takes.
    enum class Ink
    {
        Frame,  // the window-frame colour
        Shadow, // the button shadow
        Light,  // the button highlight
    };
    // A horizontal run of pixels from `x0` to `x1`, both included.
    struct Run
    {
        int y = 0, x0 = 0, x1 = 0;
        Ink ink = Ink::Frame;
        bool operator==(const Run &) const = default;
    };

    // The parts for the area from (left, top) up to but excluding (right, bottom).
    CColorButtonGeometry(int left, int top, int right, int bottom, bool enabled);
    static CColorButtonGeometry ForRect(const QRect &r, bool enabled)
    {
        return CColorButtonGeometry(r.left(), r.top(), r.left() + r.width(), r.top() + r.height(), enabled);
    }

    // The two separator columns: shadow, then highlight.
    int ShadowLineX() const { return m_right - 8; }
    int LightLineX() const { return m_right - 7; }
    int Top() const { return m_top; }
    int Bottom() const { return m_bottom; }
    // The swatch, as a Qt rectangle; disabled buttons leave it empty.
    QRect Swatch() const { return m_swatch; }
    // Whether the swatch gets its frame and colour (only while enabled).
    bool SwatchFilled() const { return m_enabled; }
    // The arrow's runs, emboss included.
    const std::vector<Run> &Arrow() const { return m_arrow; }

  private:
    int m_top, m_right, m_bottom;
    bool m_enabled;
    QRect m_swatch;
    std::vector<Run> m_arrow;
};
