// CViewPrintHooks: the print hooks every calendar view offers the print renderers: the print
// options and fonts of a style, the Details time column and the Details pages over a list of
// display entries, drawn in page units through CPrintUnits.
#pragma once

#include "views/PrintSession.h"
#include "views/PrintUnits.h"

#include <QFont>
#include <QString>
#include <functional>
#include <vector>

class CDateTime;
class CDisplayItem;
class QPainter;

struct PrintOptions
{
    bool printTime = true;    // "PT"
    bool printEnd = false;    // "PE"
    bool itemType = false;    // "IT"
    bool categories = false;  // "CG"
    bool notes = false;       // "SN"
    bool otherSetting = true; // "OS"
    bool colours = true;      // "C"
    bool colourBars = true;   // "B", read only with "C"
};

class CViewPrintHooks
{
  public:
    using ReadIntFn = std::function<int(const QString &valueName, int defaultValue)>;
    // Draws a day heading at the rectangle's top and returns its height in page units.
    using DayHeadingFn = std::function<int(QPainter &, const CPrintUnits &, const PrintRect &, const QFont &,
                                           const CDateTime &day, bool continued)>;

    CViewPrintHooks();

    // The style's options from its settings section and its three fonts (normal, struck out,
    // bold) from the style's font.
    void LoadPrintOptions(const ReadIntFn &readInt, const QFont &font);
    const PrintOptions &Options() const { return m_options; }
    void SetDayHeading(DayHeadingFn heading) { m_dayHeading = std::move(heading); }

    // Details only: the time column's width, 0 without times.
    void MeasurePrintTimeColumn(QPainter &painter, const CPrintUnits &units, CPrintSession &session) const;
    // One Details page from the session's resume position; advances it and returns the height
    // used. Other styles print nothing and return 0. An entry too tall for an empty page is
    // printed cut rather than holding the job on the same page for ever.
    int PrintPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page, CPrintSession &session,
                  const std::vector<const CDisplayItem *> &entries) const;
    // One Details entry into the rectangle from the notes offset (HeadOffset at the head);
    // moves the rectangle's top down by what it printed. True when the entry is complete.
    bool PrintDetailsEntry(QPainter &painter, const CPrintUnits &units, const CDisplayItem &entry,
                           PrintRect &rect, const CPrintSession &session, int &offset,
                           bool force = false) const;

    // The day heading used without an own one: the long date (and " Continued"), then a rule.
    static int DrawDayHeading(QPainter &painter, const CPrintUnits &units, const PrintRect &rect,
                              const QFont &font, const CDateTime &day, bool continued);

  private:
    PrintOptions m_options;
    QFont m_normal;
    QFont m_struck;
    QFont m_bold;
    DayHeadingFn m_dayHeading;
};
