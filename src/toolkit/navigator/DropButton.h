// DropButton: the small arrow button of a date picker. It acts on the press, not on the
// release, and after its drop-down closes it ignores one press until the mouse has moved over
// it, so that the click that closed the drop-down does not open it again.
#pragma once

#include <QWidget>

class DropButton : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int kControlId = 803;

    explicit DropButton(QWidget *parent = nullptr);

    void SetIgnoreNextPress(bool on) { m_ignoreNextPress = on; }
    bool GetIgnoreNextPress() const { return m_ignoreNextPress; }
    bool IsPressed() const { return m_pressed; }
    QSize sizeHint() const override;

  signals:
    // The button was pressed: open the drop-down.
    void dropRequested();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    bool m_pressed = false;
    bool m_tracking = false;
    bool m_ignoreNextPress = false;
};
