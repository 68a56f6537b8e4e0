// CLabelStatic: the group heading of the program's dialogs and option pages: its text followed by
// an etched horizontal rule to the right edge of the control.
#pragma once

#include <QLabel>

class CLabelStatic : public QLabel
{
    Q_OBJECT
  public:
    explicit CLabelStatic(const QString &text = {}, QWidget *parent = nullptr);

    // Labels on a tab page leave the page's background as it is.
    void SetOnTab(bool on);
    bool OnTab() const { return m_onTab; }

    // Width of the text as measured for the rule ("&" removed).
    int MeasuredTextWidth() const;

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    bool m_onTab = false;
};
