// TransparentStatic: a link on the program's bars: blue text over the bar's own background,
// continuous with it, and a hand cursor. A click is reported; with an address set, the link
// also opens it through the desktop.
#pragma once

#include <QLabel>
#include <QUrl>

class TransparentStatic : public QLabel
{
    Q_OBJECT
  public:
    explicit TransparentStatic(const QString &text = {}, QWidget *parent = nullptr);

    // The address a click opens (web and mail addresses only); none by default.
    void SetUrl(const QUrl &url) { m_url = url; }
    const QUrl &Url() const { return m_url; }

    // The horizontal distance from the bar's frame (the window two levels up) to this control,
    // by which the bar brush is shifted so that the background continues the bar's.
    int BrushOffset() const;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    QUrl m_url;
    bool m_pressed = false;
};
