// The program's look for menus, the menu bar, toolbars and the status bar, laid over the
// platform style: gradient icon column, flat one-pixel popup frame joined to its bar item,
// gradient hot and pressed buttons, etched separators and the bar background.
#pragma once

#include <QProxyStyle>

class CMenuLook;

class CMenuLookStyle : public QProxyStyle
{
    Q_OBJECT
  public:
    // Widget properties the look reads.
    static constexpr char kOpenItemRect[] = "tessivoOpenItemRect";   // QRect (screen) on a bar popup
    static constexpr char kShowMnemonics[] = "tessivoShowMnemonics"; // bool on the menu bar
    static constexpr char kKeyboardSelect[] = "tessivoKeyboardSelect"; // bool on a popup menu
    static constexpr char kOpenDropDown[] = "tessivoOpenDropDown";   // bool on a tool button
    static constexpr char kBarColour[] = "tessivoBarColour";         // QColor: a bar's own background

    // Draws with the program-wide look.
    CMenuLookStyle();
    // Draws with the given look (tests); the look must outlive the style.
    explicit CMenuLookStyle(const CMenuLook &look);

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap &pixmap, const QStyleOption *option) const override;

    // A disabled command image: grey, with the alpha divided by `divisor` (at least 1.5).
    static QImage MakeGreyAlphaImage(const QImage &image, double divisor);

  private:
    void DrawPopupItem(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    void DrawBarItem(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    void DrawPopupFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    void DrawToolButtonPanel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    void FillBarBackground(QPainter *painter, const QRect &rect, const QWidget *widget) const;
    int MenuHeight(const QWidget *widget) const;

    const CMenuLook *m_look = nullptr; // null: the program-wide look
    const CMenuLook &Look() const;
};
