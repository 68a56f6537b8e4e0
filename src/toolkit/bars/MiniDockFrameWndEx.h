// The small frame a torn-off bar floats in: a tool window over its main frame whose height
// follows the rows the bar needs at its width, and which offers no Close (the bar is docked
// back, never closed away).
#pragma once

#include <QPointer>
#include <QWidget>

class CMiniDockFrameWndEx : public QWidget
{
    Q_OBJECT
  public:
    explicit CMiniDockFrameWndEx(QWidget *owner);

    // Takes the bar in; the frame takes the size the bar asks for.
    void SetBar(QWidget *bar);
    QWidget *Bar() const { return m_bar; }
    // Gives the frame a width; its height becomes what the bar needs at that width.
    void FitWidth(int width);

  protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    QPointer<QWidget> m_bar;
};
