// The main window's status bar: command prompts in the first pane, and in the second how many
// items the view holds.
#pragma once

#include <QStatusBar>

class QLabel;

// "12 items", "12 (3) items", or empty for a negative count.
QString ItemCountText(int count, int secondCount);

class CItemsStatusBar : public QStatusBar
{
    Q_OBJECT
  public:
    static constexpr int kBarId = 59393;

    explicit CItemsStatusBar(QWidget *parent = nullptr);

    // The second pane, sized to its text.
    void SetItemCount(int count, int secondCount = -1);
    QLabel *CountPane() const { return m_count; }

  protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

  private:
    QLabel *m_count = nullptr;
};
