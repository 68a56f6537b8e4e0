// CMainBaseLayout: where the main base window puts the view, the Date Navigator bar and the
// preview pane, and where its two 6-pixel strips lie. Plain arithmetic, so that tests call it
// without a window.
#pragma once

#include <QRect>

struct MainBaseLayoutInput
{
    int cx = 0, cy = 0;          // client size
    bool previewVisible = false; // the preview pane is shown
    int previewHeight = 0;       // its present height
    bool barVisible = false;     // the Date Navigator bar is shown
    int barWidth = 0;            // its present width
    int monthWidth = 0;          // one month column of the Date Navigator
};

struct MainBaseLayoutResult
{
    bool skip = false;   // nothing to lay out (a zero size)
    QRect view;          // the current container
    QRect preview;       // empty when the pane is hidden
    QRect bar;           // empty when the bar is hidden or too narrow
    bool barTooNarrow = false; // the bar was visible but narrower than one month column
};

class CMainBaseLayout
{
  public:
    static constexpr int kGap = 6;
    static constexpr int kPreviewTopMinimum = 246;
    // Room the view keeps beside the bar: a narrower window makes the bar narrower.
    static constexpr int kViewMinimum = 297;
    static constexpr int kBarReserve = 303; // kViewMinimum + kGap
    // The horizontal strip stays below this y and this far from the bottom.
    static constexpr int kPreviewDragTop = 240;
    static constexpr int kPreviewDragBottomGap = 48;

    // A rectangle from its left, top, right and bottom edges (right and bottom exclusive).
    static QRect Ltrb(int left, int top, int right, int bottom);
    // The bar width of whole month columns that fits an available width:
    // u * ((a - 8) / u) + 8 (the frame and margins take 8 pixels).
    static int FittedBarWidth(int available, int monthWidth);
    static MainBaseLayoutResult Layout(const MainBaseLayoutInput &in);
    // The 6-pixel gap between the view and the preview pane: empty without a container or with
    // the pane hidden.
    static QRect HorizontalStrip(bool hasContainer, const QRect &container, const QRect &preview);
    // The 6-pixel gap between the view and the bar.
    static QRect VerticalStrip(bool hasContainer, const QRect &container, const QRect &bar);
    // Whether the bar may be shown in a window this wide: the view keeps its minimum beside one
    // month column.
    static bool HasRoomForBar(int cx, int monthWidth);
    // The bar width restored from the stored number of month columns ("CL", below 1 counts as 1).
    static int RestoredBarWidth(int columns, int monthWidth);
};
