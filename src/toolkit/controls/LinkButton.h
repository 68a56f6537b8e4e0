// CLinkButton: a check box painted in given colours (a 13 x 13 box with a drawn check mark and
// its label), for the windows that take an item type's colour. With the system look on, Qt
// paints it as any other check box.
#pragma once

#include "toolkit/controls/ControlColors.h"

#include <QCheckBox>

class CLinkButton : public QCheckBox
{
    Q_OBJECT
  public:
    static constexpr int kBoxSize = 13;
    static constexpr int kLabelIndent = 18; // label start right of the box

    explicit CLinkButton(const QString &text = {}, QWidget *parent = nullptr);

    void SetColors(COLORREF face, COLORREF text);
    void ResetColors();
    const CControlColors &Colors() const { return m_colors; }
    bool IsChecked() const { return isChecked(); }

    // The caption skin's state: on, the system draws the box.
    void SetSystemLook(bool on);
    // The box at the right edge and the label at the left.
    void SetLeftText(bool on);
    // No 3-D edges around the box.
    void SetFlat(bool on);

    // Where the box is drawn.
    QRect BoxRect() const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    CControlColors m_colors;
    bool m_systemLook = false;
    bool m_leftText = false;
    bool m_flat = false;
};
