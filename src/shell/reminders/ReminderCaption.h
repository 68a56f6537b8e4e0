// CReminderCaption: the reminder window's own caption band, as plain geometry: the frame and
// caption metrics, the four caption buttons (minimise, always on top, collapse and stop sound),
// what a point of the window hits, and the press, move and release of a caption button. The
// window draws what this computes and moves or resizes itself through the window system.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// What a point of the window is over.
enum ReminderHit
{
    HitNowhere = 0,
    HitClient = 1,
    HitCaption = 2,
    HitSysMenu = 3,
    HitMinimise = 8,
    HitLeft = 10,
    HitRight = 11,
    HitTop = 12,
    HitTopLeft = 13,
    HitTopRight = 14,
    HitBottom = 15,
    HitBottomLeft = 16,
    HitBottomRight = 17,
    HitAlwaysOnTop = 100,
    HitCollapse = 101,
    HitStopSound = 102,
};

// Commands a released caption button sends.
namespace ReminderCmd {
inline constexpr int Minimise = 0xF020; // the system's minimise command
inline constexpr int StopSound = 32800;
inline constexpr int AlwaysOnTop = 32816;
inline constexpr int Collapse = 32832;
inline constexpr int Accept = 32848;
inline constexpr int Delete = 32864;
inline constexpr int Print = 32880;
inline constexpr int Convert = 32896;
inline constexpr int Properties = 32912;
} // namespace ReminderCmd

enum class CaptionButtonState
{
    Normal = 0,
    Hot = 1,
    Pressed = 2,
    Disabled = 3,
};

struct CaptionMetrics
{
    int frameX = 4;     // FX: width of the sizing frame
    int frameY = 4;     // FY: height of the sizing frame
    int captionY = 24;  // CY: height of the caption band
    int buttonX = 22;   // BX
    int buttonY = 24;   // BY
    int smallIcon = 16; // the small icon's side
};

class CReminderCaption
{
  public:
    explicit CReminderCaption(const CaptionMetrics &metrics = CaptionMetrics()) : m_metrics(metrics) {}

    const CaptionMetrics &Metrics() const { return m_metrics; }
    // The band's rectangle in a window of that width.
    QRect BandRect(int width) const;
    // Height of a collapsed window: the band and a frame line above and below it.
    int CollapsedHeight() const;
    // The client area's top: below the band.
    int ClientTop() const;

    // The button's rectangle; empty for the stop button while it is absent.
    QRect ButtonRect(int button, int width) const;
    // What the point hits in a window of that size; collapsed windows do not resize.
    int HitTest(const QPoint &point, const QSize &size) const;

    // The stop button is there only while stopping the sound is possible.
    void SetStopPresent(bool present) { m_stopPresent = present; }
    bool IsStopPresent() const { return m_stopPresent; }
    // The stop button takes a press only while the sound plays.
    void SetSoundPlaying(bool playing) { m_soundPlaying = playing; }
    bool IsSoundPlaying() const { return m_soundPlaying; }
    void SetCollapsed(bool collapsed) { m_collapsed = collapsed; }
    bool IsCollapsed() const { return m_collapsed; }
    void SetTopmost(bool topmost) { m_topmost = topmost; }
    bool IsTopmost() const { return m_topmost; }

    // The press-release machine: a press on a button captures it; moves show it pressed while
    // the cursor is over it; a release over the same button returns its command (0 otherwise).
    bool Press(int hit);
    void Move(int hit);
    int Release(int hit);
    int PressedButton() const { return m_pressed; }
    bool IsDrawnPressed(int button) const { return m_pressed == button && m_pressedOver; }

    CaptionButtonState StateOf(int button) const;
    // The glyph of the button: 0/1 always on top (off/on), 2/3 collapse/expand, 4/5 stop sound
    // (playing/stopped), 6 minimise.
    int GlyphOf(int button) const;
    QString ToolTipOf(int button) const;
    static int CommandOf(int button);

    // The buttons, right to left.
    static constexpr int kButtons[] = {HitMinimise, HitAlwaysOnTop, HitCollapse, HitStopSound};

  private:
    CaptionMetrics m_metrics;
    bool m_stopPresent = false;
    bool m_soundPlaying = false;
    bool m_collapsed = false;
    bool m_topmost = false;
    int m_pressed = 0;
    bool m_pressedOver = false;
};
