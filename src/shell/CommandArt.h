// The images of the main window's commands, drawn by the program itself in the look of its
// icons: calendar pages for the views, a page and a folder for the data-file commands, and so
// on. One strip serves the menus (16 pixels) and the toolbar (16 or 24 pixels).
#pragma once

#include <QImage>
#include <QList>

// The commands that have an image, in the strip's order.
QList<int> CommandArtCommands();
// The images of `commands` side by side, each `size` pixels square, on a transparent
// background; a command without an image leaves its cell empty.
QImage DrawCommandStrip(const QList<int> &commands, int size);
