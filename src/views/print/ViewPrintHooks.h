// CViewPrintHooks: the print hooks every calendar view offers the print renderers: the print
// options and fonts of a style, the Details time column, and the Details and Memo pages over a
// list of display entries, drawn in page units through CPrintUnits.
#pragma once

#include "views/print/PrintSession.h"
#include "views/print/PrintUnits.h"

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
    // One Details or Memo page from the session's resume position; advances it and returns the
    // height used. Other styles print nothing and return 0. Every page that has entries left
    // makes progress: what cannot fit even on an empty page is printed cut, and the job moves on.
    int PrintPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page, CPrintSession &session,
                  const std::vector<const CDisplayItem *> &entries) const;
    // One entry into the rectangle from the notes offset (HeadOffset at the head); moves the
    // rectangle's top down by what it printed and returns true when the entry is complete. A
    // head is measured before it is drawn: one that does not fit prints nothing and returns
    // false with the offset unchanged, unless `force` (an empty page) has it printed cut. A
    // resumed entry with `force` places at least one line of its notes.
    bool PrintDetailsEntry(QPainter &painter, const CPrintUnits &units, const CDisplayItem &entry,
                           PrintRect &rect, const CPrintSession &session, int &offset,
                           bool force = false) const;
    // The same for the Memo style: labelled rows, then the whole notes. A null entry is done.
    bool PrintMemoEntry(QPainter &painter, const CPrintUnits &units, const CDisplayItem *entry,
                        PrintRect &rect, const CPrintSession &session, int &offset, bool force = false) const;

    // The day heading used without an own one: the long date (and " Continued"), then a rule.
    static int DrawDayHeading(QPainter &painter, const CPrintUnits &units, const PrintRect &rect,
                              const QFont &font, const CDateTime &day, bool continued);

    const QFont &NormalFont() const { return m_normal; }
    const QFont &StruckFont() const { return m_struck; }
    const QFont &BoldFont() const { return m_bold; }

  private:
    int PrintDetailsPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                         CPrintSession &session, const std::vector<const CDisplayItem *> &entries) const;
    int PrintMemoPage(QPainter &painter, const CPrintUnits &units, const PrintRect &page,
                      CPrintSession &session, const std::vector<const CDisplayItem *> &entries) const;

    PrintOptions m_options;
    QFont m_normal;
    QFont m_struck;
    QFont m_bold;
    DayHeadingFn m_dayHeading;
};
