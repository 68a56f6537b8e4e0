// A horizontal etched line that, once given a colour, draws itself in that colour's lighter and
// darker shades (the reminder windows separate their parts with it in their own colours).
#pragma once

#include "core/lists/ColorRules.h"

#include <QFrame>

class CColorSwatch : public QFrame
{
    Q_OBJECT
  public:
    explicit CColorSwatch(QWidget *parent = nullptr);

    // Face = the colour, highlight its HLS lightness raised halfway, shadow cut to two thirds.
    void SetColor(COLORREF face);
    // Back to the system's button colours and the frame's own drawing.
    void ResetColors();

    bool HasCustomColors() const { return m_custom; }
    COLORREF Face() const { return m_face; }
    COLORREF Highlight() const { return m_highlight; }
    COLORREF Shadow() const { return m_shadow; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    bool m_custom = false;
    COLORREF m_face = 0, m_highlight = 0, m_shadow = 0;
};
