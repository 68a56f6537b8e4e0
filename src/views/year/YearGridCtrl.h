// CYearGridCtrl: the Year view's control: twelve month panels with busy days marked, tooltips
// with the subjects of a day, arrow keys that carry on into the neighbouring year, and fonts
// fitted to the panel size. The panels, entries and arithmetic live in CYearGridModel.
#pragma once

#include "views/base/CalendarViewCtrl.h"
#include "views/year/YearGridModel.h"

#include <QFont>
#include <QString>
#include <array>

class CItemTypeList;

class CYearGridCtrl : public CCalendarViewCtrl
{
  public:
    static constexpr int kViewKind = 5;
    static constexpr int kSectionIndex = 38; // "Year"
    // Notifications to the container when the arrows leave the shown year.
    static constexpr int kNotifyYearBack = 33;
    static constexpr int kNotifyYearForward = 34;
    static constexpr int kGoToDateMode = 2;

    CYearGridCtrl();

    CYearGridModel &Model() { return m_model; }
    const CYearGridModel &Model() const { return m_model; }
    // The item types whose colours mark busy days; none leaves every busy day in the busy colour.
    void SetItemTypes(const CItemTypeList *types) { m_itemTypes = types; }

    // ---- Geometry ----
    int CellFromDate(const CDateTime &date, int *flags = nullptr) const override;
    int CellFromPoint(const QPoint &point) const override;
    QRect GetCellRect(int cell, int part) const override;
    CDateTime GetDayDate(int n) const override;
    void SetCurrentCell(int cell) override;
    void RecalcLayout() override;
    int HitTest(const QPoint &point, int *index) const override;
    void Draw(QPainter &painter, const QRect &updateRect) override;
    QString GetCaption() const override;

    // ---- Entries: kept per day, not as display items ----
    bool AddEntry(std::unique_ptr<CDisplayItem> entry) override;
    // The event's occurrences in the shown year; tasks are not shown here.
    bool AddItem(CItemRef &ref) override;
    void RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence) override;
    void RemoveEntriesOfRecord(std::uint32_t recordId) override;
    void SetEntryTypeForItem(std::uint32_t recordId, int typeIndex, const QString &typeName,
                             const CDateTime *movedStart) override;
    // Only a removal (state bit 0x08 in value and mask) matters here.
    bool SetItemState(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask, bool redraw) override;
    bool SetOccurrenceState(std::uint32_t recordId, const CDateTime &occurrence, std::uint32_t value,
                            std::uint32_t mask, bool redraw) override;
    // The display items of the day's entries, loaded through the document.
    int CopyEntriesForCell(EntryList &out, int cell) const override;
    // For the year grid the index is a cell.
    bool GetEntryTipText(int cell, QString &text) const override;
    int ToolHitTest(const QPoint &point, QRect &rect) const override;

    // ---- Options ----
    void LoadViewOptions() override;
    bool LoadFonts(bool reload) override;
    void ReloadOptions() override;

    // ---- Requests ----
    void SetDate(const CDateTime &date) override;
    void Reset() override;
    void UpdateToday() override;
    CDateTime GetFocusDate() const override;
    int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const override;
    void MoveFocusByKey(int key, int modifiers) override;

    // Focuses the cell of a date of the shown year; the anchor stays with `extend`.
    void GoToDate(const CDateTime &date, bool extend);
    void FocusCell(int cell, bool extend);

    const QFont &GetNormalFont() const;
    const QFont &GetBoldFont() const;

    int m_showWeekNumbers = 1; // "SWN"
    int m_autoSize = 1;        // "AS"
    COLORREF m_busyColour;     // "CY"
    int m_typeColours = 1;     // "ITC"

  private:
    bool ProbeFonts(int points, YearFontSizes &out) const;
    void MakeFonts() const;
    void DrawMonthPanel(QPainter &painter, int panel) const;
    void DrawMonthCaption(QPainter &painter, int panel, const QRect &strip) const;
    void DrawDayCell(QPainter &painter, int cell, bool selected, bool today) const;

    CYearGridModel m_model;
    const CItemTypeList *m_itemTypes = nullptr;
    QFont m_baseFont;
    int m_settingPoints = 8;
    mutable QFont m_normalFont;
    mutable QFont m_boldFont;
    mutable int m_fontsMadeAt = -1;
    std::array<QString, 7> m_weekdayInitials; // Monday .. Sunday
};
