// A push button showing a colour swatch with a small drop arrow. The dialog opens its colour choice
// when it is clicked and sets the colour back. Without a visual style the button draws all of
// itself flat; with one the style draws the button and the swatch goes on top.
#pragma once

#include "core/lists/ColorRules.h"

#include <QBrush>
#include <QPushButton>

class CColorButton : public QPushButton
{
    Q_OBJECT
  public:
    explicit CColorButton(QWidget *parent = nullptr);

    COLORREF GetColor() const { return m_color; }
    // Stores the colour and remakes the swatch brush; reports a change.
    void SetColor(COLORREF colour);
    // Whether the button draws all of itself (no visual style when it was made).
    bool IsFlat() const { return m_flat; }

    QSize sizeHint() const override;

  signals:
    void colorChanged(COLORREF colour);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    void SetBrushColor(COLORREF colour);
    void PaintFlat(QPainter &painter);
    void PaintSwatchPart(QPainter &painter, const QRect &area);

    COLORREF m_color = 0xFFFFFF;
    QBrush m_brush;
    bool m_flat = false;
};
