// The list view: columns, settings, sorting, geometry, copy as text and cell tooltips.
#include "views/list/ItemListCtrl.h"

#include "core/items/ItemRef.h"
#include "core/lists/LogFont.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "views/base/CustomWnd.h"
#include "views/list/ListEntryRules.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace {

constexpr int kSectionTasks = 41;
constexpr int kSectionTaskPad = 42;
constexpr int kViewKindTasks = 7;
constexpr int kDefaultFontPoints = 8;
// Text columns auto-size to their header text plus this, or their widest cell.
constexpr int kHeaderTextPad = 10;
constexpr int kAutoWidthPad = 5;
// A divider can be grabbed this far on either side.
constexpr int kDividerReach = 3;
// Tips show for cells whose text is cut: at least as wide as the cell less this.
constexpr int kTipSlack = 7;

} // namespace

QString CItemListCtrl::LastColumnText()
{
    return QStringLiteral("At least one column must be shown in a view.");
}

CItemListCtrl::CItemListCtrl()
{
    m_viewKind = 6;
    m_cellsAreDates = 0;
    m_vertical = 0; // dividers resize sideways
    m_viewDate = TodayForDisplay();
    m_firstDate = m_viewDate;
    m_rowHeight = 18;
}

CItemListCtrl::~CItemListCtrl() = default;

QString CItemListCtrl::GetSection() const
{
    return GetConstString(m_sectionIndex);
}

// ---- Own virtuals ----

void CItemListCtrl::SetSortColumn(int visual, bool ascending)
{
    if (visual < 0 || visual >= m_columns.Count())
        m_columns.SetSort(-1, true);
    else
        m_columns.SetSort(m_columns.IdAt(visual), ascending);
}

int CItemListCtrl::GetSortColumnId(bool &ascending) const
{
    if (m_columns.SortId() < 0) {
        ascending = true;
        return m_viewKind == kViewKindTasks ? 35 : 16;
    }
    ascending = m_columns.Ascending();
    return m_columns.SortId();
}

bool CItemListCtrl::OnIconCellClick(int row, int columnId)
{
    const CDisplayItem *e = GetEntry(row);
    if (!e || columnId != 33 || e->GetKind() != CDisplayItem::KindTask)
        return false;
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    if (!doc)
        return false;
    if (IsReadOnly()) {
        Beep();
        return false;
    }
    CItemRef ref;
    HRESULT hr = doc->LoadTask(e->GetItemRef(), ref);
    if (!Failed(hr))
        hr = doc->ToggleTaskCompleted(ref);
    if (Failed(hr) && m_host)
        m_host->ReportError(hr);
    return true;
}

bool CItemListCtrl::AcceptsColumn(int id) const
{
    return FindListColumn(id) != nullptr;
}

void CItemListCtrl::GetDefaultColumns(bool, int &sortId, std::vector<int> &ids) const
{
    sortId = 0;
    ids.clear();
}

void CItemListCtrl::LoadDefaultLayout()
{
    int sortId = 0;
    std::vector<int> ids;
    GetDefaultColumns(false, sortId, ids);
    m_columns.SetDefault(
        ids, sortId, [this](int id) { return AcceptsColumn(id); }, m_sectionIndex == kSectionTaskPad);
}

int CItemListCtrl::GetAutoWidth(int columnId) const
{
    const ListColumnInfo *info = FindListColumn(columnId);
    if (!info)
        return 0;
    if (info->icon)
        return CListColumns::kIconWidth;
    const QFontMetrics normal(m_fonts[0]), bold(m_fonts[2]);
    int widest = normal.horizontalAdvance(QString::fromLatin1(info->text)) + kHeaderTextPad;
    for (const auto &e : m_entries) {
        const QString text = CellText(*e, columnId);
        const QFontMetrics &fm = e->HasFlag(CDisplayItem::FlagOverdue) ? bold : normal;
        widest = std::max(widest, fm.horizontalAdvance(text));
    }
    return widest + kAutoWidthPad;
}

bool CItemListCtrl::IsRowSelectionHidden(int) const
{
    return false;
}

bool CItemListCtrl::GetCellText(const CDisplayItem &entry, int columnId, QString &text) const
{
    return ListCellText(entry, columnId, text);
}

QString CItemListCtrl::CellText(const CDisplayItem &entry, int columnId) const
{
    QString text;
    if (!GetCellText(entry, columnId, text))
        return {};
    return text;
}

// ---- Settings ----

void CItemListCtrl::LoadLayout()
{
    int sortId = 0;
    std::vector<int> ids;
    GetDefaultColumns(false, sortId, ids);
    m_columns.Load(
        GetSection(), [this](int id) { return AcceptsColumn(id); }, ids, sortId,
        m_sectionIndex == kSectionTaskPad);
    m_layoutLoaded = true;
    LoadListOptions();
}

void CItemListCtrl::LoadListOptions()
{
    const QString section = GetSection();
    m_solidSelection = GetProfileInt(section, QStringLiteral("STDS"), 1);
    const QString tasks = GetConstString(kSectionTasks);
    m_overdueColour = COLORREF(GetProfileInt(tasks, QStringLiteral("TCO"), 0x0000FF));
    m_completedColour = COLORREF(GetProfileInt(tasks, QStringLiteral("TCC"), 0x848484));
    ClampHorzPos();
}

bool CItemListCtrl::SaveLayout() const
{
    return m_columns.Save(GetSection());
}

void CItemListCtrl::LoadViewOptions()
{
    CCalendarViewCtrl::LoadViewOptions();
    // The layout comes from the settings once; later reloads of the options keep the columns
    // as the user left them, which are saved when the window goes.
    if (m_layoutLoaded)
        LoadListOptions();
    else
        LoadLayout();
}

bool CItemListCtrl::LoadFonts(bool)
{
    const LogFont lf = LoadFontSettingPoints(GetSection(), QStringLiteral("Font"), kDefaultFontPoints);
    QFont font(lf.FaceName());
    font.setPointSize(std::max(1, int(lf.height)));
    font.setBold(lf.weight >= 700);
    font.setItalic(lf.italic != 0);
    QFont strike = font;
    strike.setStrikeOut(true);
    QFont bold = font;
    bold.setBold(true);
    SetFonts(font, strike, bold);

    const QFontMetrics fm(font);
    const int height = fm.height() + fm.descent() / 2;
    m_rowHeight = height < 16 ? 18 : height + 2;
    m_headerHeight = fm.height() + 7;
    ClampFirstRow();
    ClampHorzPos();
    LayoutEntries();
    InvalidateAll();
    return true;
}

// ---- Commands ----

void CItemListCtrl::SortByColumn(int visual, SortRequest request)
{
    if (visual < 0 || visual >= m_columns.Count())
        return;
    const int id = m_columns.IdAt(visual);
    bool ascending = true;
    switch (request) {
    case SortRequest::Toggle:
        ascending = !(m_columns.SortId() == id && m_columns.Ascending());
        break;
    case SortRequest::Ascending:
        ascending = true;
        break;
    case SortRequest::Descending:
        ascending = false;
        break;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_columns.SetSort(id, ascending);
    if (GetEntryCount() > 1) {
        SortDisplayItems();
        LayoutEntries();
        EnsureEntryVisible(m_focusedEntry);
    }
    QGuiApplication::restoreOverrideCursor();
    InvalidateAll();
}

void CItemListCtrl::HideColumn(int visual)
{
    if (visual < 0 || visual >= m_columns.Count())
        return;
    if (m_columns.Count() <= 1) {
        if (m_host)
            m_host->ShowInfoText(LastColumnText());
        return;
    }
    m_columns.Remove(m_columns.IdAt(visual));
    m_rightClickColumn = -1;
    ClampHorzPos();
    LayoutEntries();
    InvalidateAll();
}

void CItemListCtrl::AutoSizeColumn(int visual)
{
    if (visual < 0 || visual >= m_columns.Count())
        return;
    m_columns.SetWidth(visual, GetAutoWidth(m_columns.IdAt(visual)));
    ClampHorzPos();
    LayoutEntries();
    InvalidateAll();
}

void CItemListCtrl::MoveColumn(int fromVisual, int toVisual)
{
    m_columns.Move(fromVisual, toVisual);
    InvalidateAll();
}

void CItemListCtrl::ApplyFieldValues(const std::vector<std::uint32_t> &values)
{
    const bool ascending = m_columns.Ascending();
    m_columns.SetFieldValues(values, [this](int id) { return AcceptsColumn(id); });
    if (m_columns.SortId() >= 0)
        m_columns.SetSort(m_columns.SortId(), ascending);
    m_rightClickColumn = -1;
    ClampHorzPos();
    LayoutEntries();
    InvalidateAll();
}

bool CItemListCtrl::OnCommand(int commandId)
{
    const int column = m_rightClickColumn;
    switch (commandId) {
    case kCmdSortAscending:
        if (column >= 0 && column < m_columns.Count() &&
            !(m_columns.SortId() == m_columns.IdAt(column) && m_columns.Ascending()))
            SortByColumn(column, SortRequest::Ascending);
        return true;
    case kCmdSortDescending:
        if (column >= 0 && column < m_columns.Count())
            SortByColumn(column, SortRequest::Descending);
        return true;
    case kCmdHideColumn:
        HideColumn(column);
        return true;
    case kCmdFieldChooser: {
        if (!m_fieldChooser)
            return true;
        std::vector<std::uint32_t> values = m_columns.FieldValues();
        int sortId = 0;
        std::vector<int> available, defaults;
        GetDefaultColumns(true, sortId, available);
        GetDefaultColumns(false, sortId, defaults);
        if (m_fieldChooser(values, available, defaults)) {
            ApplyFieldValues(values);
            // Kept at once: the chosen columns must not wait for the window to close.
            SaveLayout();
        }
        return true;
    }
    default:
        return false;
    }
}

bool CItemListCtrl::IsCommandChecked(int commandId) const
{
    const int column = m_rightClickColumn;
    if (column < 0 || column >= m_columns.Count() || m_columns.SortId() != m_columns.IdAt(column))
        return false;
    if (commandId == kCmdSortAscending)
        return m_columns.Ascending();
    if (commandId == kCmdSortDescending)
        return !m_columns.Ascending();
    return false;
}

// ---- Dates: a list has no date cells ----

CDateTime CItemListCtrl::GetDayDate(int) const
{
    return TodayForDisplay();
}

CDateSpan CItemListCtrl::GetCellSpan(int) const
{
    return CDateSpan(m_newItemSettings.defaultMinutes / 1440.0);
}

CDateSpan CItemListCtrl::GetDaySpan(int, int) const
{
    return CDateSpan(0.0);
}

void CItemListCtrl::SetDate(const CDateTime &date)
{
    RemoveAllEntries();
    m_viewDate = date;
    m_firstDate = date;
}

// ---- Entries ----

void CItemListCtrl::RemoveEntryAt(int index)
{
    if (index < 0 || index >= GetEntryCount())
        return;
    m_entries.erase(m_entries.begin() + index);
    const int last = GetEntryCount() - 1;
    auto shift = [index, last](int &row) {
        if (row > index)
            --row;
        row = std::min(row, last);
    };
    shift(m_focusedEntry);
    shift(m_anchorRow);
    ClampFirstRow();
}

void CItemListCtrl::RemoveAllEntries()
{
    m_entries.clear();
    m_focusedEntry = -1;
    m_anchorRow = -1;
    m_firstRow = 0;
}

void CItemListCtrl::SortDisplayItems()
{
    if (GetEntryCount() < 2)
        return;
    const CDisplayItem *focused = GetEntry(m_focusedEntry);
    const CDisplayItem *anchor = GetEntry(m_anchorRow);
    bool ascending = true;
    const int sortId = GetSortColumnId(ascending);
    SortListEntries(m_entries, sortId, ascending);
    auto indexOf = [this](const CDisplayItem *e) {
        for (int i = 0; i < GetEntryCount(); ++i) {
            if (m_entries[std::size_t(i)].get() == e)
                return i;
        }
        return 0;
    };
    if (m_focusedEntry >= 0)
        m_focusedEntry = indexOf(focused);
    if (m_anchorRow >= 0)
        m_anchorRow = indexOf(anchor);
}

// ---- Geometry ----

QRect CItemListCtrl::Client() const
{
    return m_host ? m_host->ClientRect() : QRect();
}

int CItemListCtrl::RowsPerPage() const
{
    if (m_rowHeight <= 0)
        return 1;
    return std::max(1, (Client().height() - m_headerHeight - 1) / m_rowHeight);
}

int CItemListCtrl::LastFirstRow() const
{
    return std::max(0, GetEntryCount() - RowsPerPage());
}

void CItemListCtrl::ClampFirstRow()
{
    m_firstRow = std::clamp(m_firstRow, 0, LastFirstRow());
}

void CItemListCtrl::ClampHorzPos()
{
    m_horzPos = std::clamp(m_horzPos, 0, std::max(0, m_columns.TotalWidth() - Client().width()));
}

void CItemListCtrl::RecalcLayout()
{
    ClampFirstRow();
    ClampHorzPos();
}

QRect CItemListCtrl::GetHeaderItemRect(int visual) const
{
    if (visual < 0 || visual >= m_columns.Count())
        return {};
    return QRect(m_columns.LeftOf(visual) - m_horzPos, 0, m_columns.At(visual).width, m_headerHeight);
}

int CItemListCtrl::DividerAt(const QPoint &point) const
{
    if (point.y() < 0 || point.y() >= m_headerHeight)
        return -1;
    // The rightmost divider within reach wins, so zero-width columns can be widened again.
    for (int v = m_columns.Count() - 1; v >= 0; --v) {
        const int right = m_columns.LeftOf(v) + m_columns.At(v).width - m_horzPos;
        if (std::abs(point.x() - right) <= kDividerReach && !IsIconColumn(m_columns.IdAt(v)))
            return v;
    }
    return -1;
}

int CItemListCtrl::ColumnAtX(int x) const
{
    return m_columns.VisualAt(x + m_horzPos);
}

QRect CItemListCtrl::GetEntryRect(int index) const
{
    if (index < 0 || index >= GetEntryCount())
        return {};
    return QRect(-m_horzPos, m_headerHeight + (index - m_firstRow) * m_rowHeight, m_columns.TotalWidth(),
                 m_rowHeight);
}

QRect CItemListCtrl::GetEntryTextRect(int index) const
{
    return GetEntryRect(index);
}

void CItemListCtrl::LayoutEntries()
{
    for (int i = 0; i < GetEntryCount(); ++i)
        m_entries[std::size_t(i)]->SetRect(GetEntryRect(i));
}

int CItemListCtrl::EntryFromPoint(const QPoint &point) const
{
    if (point.y() < m_headerHeight || point.x() + m_horzPos >= m_columns.TotalWidth() || m_rowHeight <= 0)
        return -1;
    const int row = (point.y() - m_headerHeight) / m_rowHeight + m_firstRow;
    return row < GetEntryCount() ? row : -1;
}

int CItemListCtrl::HitTest(const QPoint &point, int *index) const
{
    if (index)
        *index = -1;
    // A divider of the header answers as an entry edge so that the cursor shows it resizes.
    if (point.y() >= 0 && point.y() < m_headerHeight)
        return DividerAt(point) >= 0 ? HitEntryEnd : HitNothing;
    const int row = EntryFromPoint(point);
    if (row < 0)
        return HitNothing;
    if (index)
        *index = row;
    return HitEntryBody;
}

void CItemListCtrl::EnsureEntryVisible(int index)
{
    if (index < 0 || index >= GetEntryCount())
        return;
    const int before = m_firstRow;
    if (index < m_firstRow)
        m_firstRow = index;
    else if (index >= m_firstRow + RowsPerPage())
        m_firstRow = index - RowsPerPage() + 1;
    ClampFirstRow();
    if (m_firstRow != before) {
        LayoutEntries();
        InvalidateAll();
    }
}

// ---- Scrolling ----

bool CItemListCtrl::ScrollVertically(Scroll how, int trackRow)
{
    const int page = RowsPerPage();
    const int before = m_firstRow;
    switch (how) {
    case Scroll::LineUp:
        --m_firstRow;
        break;
    case Scroll::LineDown:
        ++m_firstRow;
        break;
    case Scroll::PageUp:
        m_firstRow -= page;
        break;
    case Scroll::PageDown:
        // With fewer than two pages left, the last row goes to the bottom.
        if (GetEntryCount() - m_firstRow < 2 * page)
            m_firstRow = LastFirstRow();
        else
            m_firstRow += page;
        break;
    case Scroll::Top:
        m_firstRow = 0;
        break;
    case Scroll::Bottom:
        m_firstRow = LastFirstRow();
        break;
    case Scroll::Track:
        m_firstRow = trackRow;
        break;
    }
    ClampFirstRow();
    if (m_firstRow == before)
        return false;
    LayoutEntries();
    InvalidateAll();
    return true;
}

bool CItemListCtrl::ScrollHorizontally(Scroll how, int trackPos)
{
    const int width = Client().width();
    const int before = m_horzPos;
    switch (how) {
    case Scroll::LineUp:
        m_horzPos -= std::max(1, width / 8);
        break;
    case Scroll::LineDown:
        m_horzPos += std::max(1, width / 8);
        break;
    case Scroll::PageUp:
        m_horzPos -= width;
        break;
    case Scroll::PageDown:
        m_horzPos += width;
        break;
    case Scroll::Top:
        m_horzPos = 0;
        break;
    case Scroll::Bottom:
        m_horzPos = m_columns.TotalWidth() - width;
        break;
    case Scroll::Track:
        m_horzPos = trackPos;
        break;
    }
    ClampHorzPos();
    if (m_horzPos == before)
        return false;
    LayoutEntries();
    InvalidateAll();
    return true;
}

bool CItemListCtrl::OnScroll(std::uint16_t scrollCode)
{
    const int vertical = scrollCode >> 8, horizontal = scrollCode & 0xFF;
    if (vertical == 0 || vertical == 1) {
        ScrollVertically(vertical == 0 ? Scroll::LineUp : Scroll::LineDown);
        return true;
    }
    if (horizontal == 0 || horizontal == 1) {
        ScrollHorizontally(horizontal == 0 ? Scroll::LineUp : Scroll::LineDown);
        return true;
    }
    return false;
}

// ---- Copy as text ----

QByteArray CItemListCtrl::RenderSelectionText() const
{
    if (GetSelectedCount() == 0)
        return {};
    std::vector<int> textColumns;
    for (int v = 0; v < m_columns.Count(); ++v) {
        if (!IsIconColumn(m_columns.IdAt(v)))
            textColumns.push_back(m_columns.IdAt(v));
    }
    QString text;
    for (int id : textColumns) {
        text += QString::fromLatin1(FindListColumn(id)->text);
        text += QLatin1Char('\t');
    }
    text += QStringLiteral("\r\n");
    for (const auto &e : m_entries) {
        if (!e->HasState(CDisplayItem::StateSelected))
            continue;
        for (int id : textColumns) {
            text += CellText(*e, id);
            text += QLatin1Char('\t');
        }
        text += QStringLiteral("\r\n");
    }
    QByteArray bytes = text.toUtf8();
    bytes.append('\0');
    return bytes;
}

// ---- Drops ----

int CItemListCtrl::OnDragEnter(const QMimeData *data, int keyState, const QPoint &point)
{
    return OnDragOver(data, keyState, point);
}

int CItemListCtrl::OnDragOver(const QMimeData *data, int keyState, const QPoint &)
{
    int effect = kDropEffectNone;
    if (data && data->hasFormat(InternalFormatMimeType()))
        effect = (keyState & kKeyStateControl) ? kDropEffectCopy : kDropEffectMove;
    else if (data && data->hasText())
        effect = kDropEffectCopy;
    m_lastDragOverEffect = effect;
    return effect;
}

// ---- Tooltips ----

int CItemListCtrl::ToolHitTest(const QPoint &point, QRect &rect) const
{
    const int row = EntryFromPoint(point);
    const int visual = ColumnAtX(point.x());
    if (row < 0 || visual < 0 || visual > 1023 || IsIconColumn(m_columns.IdAt(visual)))
        return 0;
    const QRect rowRect = GetEntryRect(row);
    const QRect cell(m_columns.LeftOf(visual) - m_horzPos, rowRect.top(), m_columns.At(visual).width,
                     rowRect.height());
    // Not on the cell's last pixel column: that is the grid line.
    if (point.x() >= cell.right())
        return 0;
    rect = cell.adjusted(0, 0, -1, -1);
    return ((row << 10) | visual) + 1;
}

QString CItemListCtrl::ToolTipText(int toolId) const
{
    if (toolId <= 0)
        return {};
    const int row = (toolId - 1) >> 10, visual = (toolId - 1) & 0x3FF;
    const CDisplayItem *e = GetEntry(row);
    if (!e || visual >= m_columns.Count())
        return {};
    const int id = m_columns.IdAt(visual);
    if (IsIconColumn(id))
        return {};
    const QString text = CellText(*e, id);
    // Only cut texts get a tip, and it shows the whole text.
    if (QFontMetrics(m_fonts[0]).horizontalAdvance(text) < m_columns.At(visual).width - kTipSlack)
        return {};
    return text;
}
