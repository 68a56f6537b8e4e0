// The reminder tip window's measures and where it opens: next to the tray icon when the desktop
// tells where that is, otherwise at the screen corner nearest the pointer.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

struct TipMeasures
{
    QSize title;          // the title in the bold font
    QSize secondLine;     // "Today's upcoming reminders:" and its ending, normal font
    bool readOnly = false;
    bool remindersOn = true;
    int entries = 0;
};

// The height of one entry line for a normal-font height.
int TipEntryHeight(int fontHeight);
// The window size: title, second line, read-only line, a 20-pixel icon column and the entries,
// with a 4-pixel margin all round.
QSize TipWindowSize(const TipMeasures &m);
// Below the anchor when it fits above the work area's bottom, otherwise above it (never above
// the work area's top); the left edge at the anchor's, kept one pixel inside the sides.
QPoint PlaceTipNextToAnchor(const QRect &anchor, QSize size, const QRect &workArea);
// The tray icon's rectangle when known, otherwise a 16-pixel square in the work area's corner
// nearest the pointer.
QRect TipAnchorRect(const QRect &trayIcon, const QPoint &pointer, const QRect &workArea);
