// CBitmapComboBox: a drop-down combo box that paints its own frame and arrow button in given
// colours, the arrow images recoloured to them. Without colours, or with the system look on,
// Qt paints it as any other combo box.
#pragma once

#include "toolkit/controls/ControlColors.h"

#include <QComboBox>
#include <QPixmap>

class CBitmapComboBox : public QComboBox
{
    Q_OBJECT
  public:
    // The palette images of the arrow, 11 x 8 pixels.
    static constexpr const char *kArrowPath = ":/controls/comboarrow.png";
    static constexpr const char *kDisabledArrowPath = ":/controls/comboarrowoff.png";
    static constexpr int kButtonWidth = 16; // the arrow button at the right

    explicit CBitmapComboBox(QWidget *parent = nullptr);

    void SetColors(COLORREF face, COLORREF text);
    void ResetColors();
    const CControlColors &Colors() const { return m_colors; }
    bool CustomColors() const { return m_colors.custom; }

    // The caption skin's state: on, the system draws the control.
    void SetSystemLook(bool on);
    // Whether this control paints itself: colours given and the system look off.
    bool OwnPainting() const { return m_colors.custom && !m_systemLook; }

    QRect ArrowButtonRect() const;
    QRect EditRect() const;

    void hidePopup() override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    void LoadArrows();
    void PlaceEdit();

    CControlColors m_colors;
    bool m_systemLook = false;
    bool m_arrowDown = false;
    QPixmap m_arrow, m_disabledArrow;
};
