// The vertical scroll bar the day grid and banner windows keep beside their content: making it,
// showing a view's scroll state on it and turning its actions into the views' scroll codes.
#pragma once

#include <QString>

class QLineEdit;
class QScrollBar;
class QWidget;

// A hidden vertical bar stepping one row at a time.
QScrollBar *CreateViewScrollBar(QWidget *parent, const QString &objectName);

// What a view's scroll state looks like on the bar. The bar's range counts top rows: the last
// row can reach the top only as far as a page allows. Sets the bar without its signals.
void ShowScrollState(QScrollBar &bar, int minimum, int maximum, int page, int position, bool enabled,
                     bool visible);

// Moves an open edit with content scrolled by dy pixels.
void MoveEditWithContent(QLineEdit *edit, int dy);

// The views' scroll code (line up 0, line down 1, page up 2, page down 3, thumb track 5, top 6,
// bottom 7) of a slider action; -1 for an action the views do not scroll on.
int ScrollCodeOfSliderAction(int action);
