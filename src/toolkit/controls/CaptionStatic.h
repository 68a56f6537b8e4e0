// CCaptionStatic: a static text in its own colours that shows etched text while disabled; the
// reminder windows use it for their captions.
#pragma once

#include "toolkit/controls/ControlColors.h"

#include <QLabel>

class CCaptionStatic : public QLabel
{
    Q_OBJECT
  public:
    explicit CCaptionStatic(const QString &text = {}, QWidget *parent = nullptr);

    // Text and face given; highlight and shadow derived from the face.
    void SetColors(COLORREF face, COLORREF text);
    void ResetColors();
    const CControlColors &Colors() const { return m_colors; }

    // The caption skin's state: on, the etched text has no highlight copy.
    void SetSkinActive(bool on);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void ApplyPalette();

    CControlColors m_colors;
    bool m_skinActive = false;
};
