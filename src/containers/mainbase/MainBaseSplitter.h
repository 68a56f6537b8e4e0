// CMainBaseSplitter: the drag of the main base window's two strips. The vertical strip left of
// the Date Navigator bar moves by whole month columns; the horizontal strip above the preview
// pane moves freely between y = 240 and 48 pixels above the bottom. Plain state and arithmetic:
// the window feeds it mouse positions and applies what it returns.
#pragma once

#include <QPoint>
#include <QRect>

class CMainBaseSplitter
{
  public:
    enum Mode
    {
        None = 0,
        Vertical = 1,   // the strip left of the Date Navigator bar
        Horizontal = 2, // the strip above the preview pane
    };

    // Where the panes go when a drag is applied.
    struct Applied
    {
        bool moveBar = false;
        QRect bar;
        bool moveContainer = false;
        QRect container;
        int previewDelta = 0; // horizontal strip: how far the pane's top, the view's and the
                              // bar's bottoms move
    };

    // Starts a drag when the point is on one of the strips; false (and nothing changes)
    // elsewhere. The client rectangle starts at (0, 0).
    bool Begin(const QPoint &point, const QRect &client, const QRect &verticalStrip,
               const QRect &horizontalStrip, int monthWidth);
    // Follows the mouse; true when the tracking rectangle moved.
    bool Move(const QPoint &point);
    // Ends the drag. With apply set, returns where the panes go for a window W x H whose
    // preview pane, when visible, is previewHeight high; without it nothing moves.
    Applied End(bool apply, int windowWidth, int windowHeight, bool previewVisible, int previewHeight);

    Mode GetMode() const { return m_mode; }
    bool IsDragging() const { return m_mode != None; }
    const QRect &GetTracking() const { return m_tracking; }
    const QRect &GetLimits() const { return m_limits; }
    // The tracking rectangle as drawn: narrowed by 2 pixels at each long side.
    QRect GetTrackerShape() const;

  private:
    Mode m_mode = None;
    QRect m_tracking;
    QRect m_limits;
    int m_startTop = 0;
    int m_monthWidth = 0;
    int m_clientWidth = 0;
    int m_smallestBar = 0, m_largestBar = 0;
};
