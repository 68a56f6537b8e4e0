// CFlatButton: a push button painted in given face and text colours, for the windows that take
// an item type's colour. With the system look on, Qt paints it as any other button.
#pragma once

#include "toolkit/controls/ControlColors.h"

#include <QPushButton>

class CFlatButton : public QPushButton
{
    Q_OBJECT
  public:
    explicit CFlatButton(const QString &text = {}, QWidget *parent = nullptr);

    void SetColors(COLORREF face, COLORREF text);
    void ResetColors();
    const CControlColors &Colors() const { return m_colors; }

    // The caption skin's state: on, the system draws the button.
    void SetSystemLook(bool on);
    bool SystemLook() const { return m_systemLook; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    CControlColors m_colors;
    bool m_systemLook = false;
};
