// The program's compiled-in art and sounds, and the screen facts the colour rules ask for.
#pragma once

#include <QList>
#include <QPixmap>
#include <QString>

// Paths of the compiled-in resources.
inline constexpr char kTypeIcons16Path[] = ":/icons/types16.bmp"; // 11 predefined types, magenta mask
inline constexpr char kTypeIcons32Path[] = ":/icons/types32.bmp";
inline constexpr char kDefaultIcon16Path[] = ":/icons/default16.png";
inline constexpr char kDefaultIcon32Path[] = ":/icons/default32.png";
inline constexpr char kOverlayPath[] = ":/icons/overlay.bmp";          // 16 x 16 images, magenta mask
inline constexpr char kPriorityImagesPath[] = ":/images/priority.png"; // shared small image list
inline constexpr char kHeaderImagesPath[] = ":/images/header.png";     // list header images 0..7
inline constexpr char kSortMarksPath[] = ":/images/sortmarks.bmp";     // 11 x 7: 0 down, 1 up
inline constexpr char kOverflowGlyphPath[] = ":/images/overflow.png";  // 11 x 7
inline constexpr char kDaysGlyphPath[] = ":/images/daysglyph.bmp";     // 11 x 8 black on magenta
inline constexpr char kCaptionGlyphsPath[] = ":/images/captionglyphs.bmp"; // 11 x 10 black on magenta
// The standard command images, 16 x 16: with alpha, and the classic strip keyed on magenta.
inline constexpr char kCommandImagesPath[] = ":/images/commands.png";
inline constexpr char kCommandImagesClassicPath[] = ":/images/commands.bmp";
// Reminder sounds of the predefined item types, by file name ("Alarm.wav", ...).
inline constexpr char kSoundsPath[] = ":/sounds/";

// Registers the resources of the views library and tells the colour rules how to ask the screen
// for its depth. Safe to call more than once.
void InitViewResources();

// Splits a strip of equal cells `cellWidth` wide into pixmaps; with `magentaMask` the colour
// 0xFF00FF is transparent. Empty when the strip cannot be loaded.
QList<QPixmap> LoadImageStrip(const QString &path, int cellWidth, bool magentaMask);
