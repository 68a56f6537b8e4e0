// CDateNavigatorBar: the pane beside the views that stacks the Date Navigator above the TaskPad
// with a 6-pixel splitter between them. The navigator always shows whole months and the TaskPad
// keeps at least 67 pixels. The TaskPad list is handed in by its owner (SetTaskPad).
#pragma once

#include <QWidget>

class CDateNavigatorWnd;
class QRubberBand;

class CDateNavigatorBar : public QWidget
{
  public:
    static constexpr int kSplitter = 6;
    static constexpr int kTaskPadMinimum = 67;
    static constexpr int kTaskPadPaneId = 890;

    explicit CDateNavigatorBar(QWidget *parent = nullptr);
    ~CDateNavigatorBar() override;

    CDateNavigatorWnd *Navigator() const { return m_navigator; }
    QWidget *TaskPadPane() const { return m_pane; }
    // Puts the TaskPad list into its pane.
    void SetTaskPad(QWidget *taskPad);
    bool IsTaskPadShown() const;
    // Shows or hides the TaskPad pane and remembers it in "Common"/"STP".
    void ToggleTaskPad();
    // The navigator n months high (the whole bar while the TaskPad is hidden).
    void SetMonthsDown(int n);
    // Writes "Calendar"/"CL" and "RS".
    void SaveSizes();
    void UpdateToday();
    void Recenter();
    void ReloadOptions();
    QRect GetSplitterRect() const { return m_splitter; }
    bool IsTracking() const { return m_tracking; }
    // Ends a splitter drag without applying it (a key pressed during the drag).
    void CancelTracking();

    // The navigator's height in a bar `barHeight` high: its current height, made smaller to leave
    // the TaskPad its minimum, never below one month, always whole months.
    static int NavigatorHeightFor(int barHeight, int current, int monthHeight);

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    void Layout();
    void ApplyNavigatorHeight(int height);
    int MonthHeight() const;

    CDateNavigatorWnd *m_navigator = nullptr;
    QWidget *m_pane = nullptr;
    QRect m_splitter;
    bool m_tracking = false;
    QRubberBand *m_tracker = nullptr;
    int m_trackerTop = 0;
    int m_lower = 0, m_upper = 0;
};
