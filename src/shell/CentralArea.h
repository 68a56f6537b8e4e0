// What the main window needs of its client area: show a view kind, attach the open data file,
// and tell the active view. The main base window with its containers takes this place once it
// exists; until then MakeCentralArea gives a plain page naming the open data file and its
// item counts.
#pragma once

#include <QWidget>

class CCalendarDocument;

class ICentralArea
{
  public:
    virtual ~ICentralArea() = default;
    virtual QWidget *Widget() = 0;
    // The open data file changed (opened, closed, renamed, items changed).
    virtual void AttachDataFile() = 0;
    virtual void ShowView(int kind, int days, bool workWeek) = 0;
    virtual int ActiveViewKind() const = 0;
    // The hour or the date moved on.
    virtual void TimeChanged() = 0;
};

// The one place the main window gets its client area from.
ICentralArea *MakeCentralArea(CCalendarDocument &document, QWidget *parent);
