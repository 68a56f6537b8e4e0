// The all-day banner's painting: columns, today bars, item boxes and the day-header strip; and
// its fonts and colours.
#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/dates/DateFormats.h"
#include "core/lists/LogFont.h"
#include "core/system/Profile.h"
#include "core/dates/WeekRules.h"
#include "views/timegrid/DayBannerCtrl.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/ItemBox.h"
#include "toolkit/style/MenuLook.h"
#include "toolkit/style/ViewResources.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// The days glyph with black in the header text colour and its background colours in the
// header background; null when the image is missing.
QImage LoadRecolouredGlyph(const QString &path, COLORREF text, COLORREF background)
{
    QImage image(path);
    if (image.isNull())
        return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb textRgb = ToQColor(text).rgba();
    const QRgb backRgb = ToQColor(background).rgba();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = line[x] & 0xFFFFFF;
            if (rgb == 0x000000)
                line[x] = textRgb;
            else if (rgb == 0x808080 || rgb == 0xFF00FF || rgb == 0xFFFFFF || rgb == 0xC0C0C0)
                line[x] = backRgb;
        }
    }
    return image;
}

void FillColumn(QPainter &painter, int x, int top, int width, int height, COLORREF colour)
{
    if (width > 0 && height > 0)
        painter.fillRect(QRect(x, top, width, height), ToQColor(colour));
}

} // namespace

QString CDayBannerCtrl::GetCornerText() const
{
    return m_workWeek ? QStringLiteral("W") : QString::number(m_dayCount);
}

bool CDayBannerCtrl::LoadFonts(bool redraw)
{
    const bool single = GetColumnCount() <= 1;
    const LogFont stored =
        LoadFontSettingPoints(GetConstString(m_sectionIndex), QStringLiteral("Font"), single ? 10 : 8);
    QFont normal(stored.FaceName());
    normal.setPointSize(std::max(1, std::abs(stored.height)));
    normal.setItalic(stored.italic != 0);
    normal.setWeight(single || stored.weight >= 700 ? QFont::Bold : QFont::Normal);
    QFont struck = normal;
    struck.setStrikeOut(true);
    QFont bold = normal;
    bold.setWeight(QFont::Bold);
    SetFonts(normal, struck, bold);

    const int textHeight = QFontMetrics(normal).height();
    m_rowHeight = m_laneStep = textHeight + 5;
    const QFontMetrics boldMetrics(bold);
    m_widestDayName = 0;
    const QLocale locale;
    for (int day = 1; day <= 7; ++day)
        m_widestDayName = std::max(m_widestDayName, boldMetrics.horizontalAdvance(locale.dayName(day)));
    m_headerHeight = boldMetrics.height() + 6;
    m_topRow = 0;
    m_focusedEntry = -1;
    Refresh(false);
    if (redraw)
        InvalidateAll();
    return true;
}

void CDayBannerCtrl::LoadViewColors()
{
    CCalendarViewCtrl::LoadViewColors();
    InitViewResources();
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QString section = GetConstString(m_sectionIndex);
    const auto base = std::uint32_t(GetProfileInt(section, QStringLiteral("CB3"), int(0xFF000000u)));
    if (base == 0xFFFFFFFFu || GetDisplayColorCount() <= 256) {
        m_gridLineColour = colors.gridLineDefault;
        m_backgroundColour = m_softColour = colors.defaultBackground;
        m_selectedCellColour = colors.highlight;
    } else {
        const COLORREF e = base == 0xFF000000u ? colors.defaultCalendar : base;
        m_gridLineColour = DarkenColor(40, GetSoftShade(e));
        m_backgroundColour = GetProfileInt(section, QStringLiteral("CBS"), 0) != 0 ? colors.defaultBackground
                                                                                   : LightenColor(40, e);
        m_softColour = GetSoftShade(e);
        m_selectedCellColour = GetProfileInt(section, QStringLiteral("CSS"), 0) != 0 || e == colors.window
                                   ? colors.highlight
                                   : DarkenColor(100, e);
    }
    m_daysGlyph =
        LoadRecolouredGlyph(QString::fromLatin1(kDaysGlyphPath), colors.headerText, colors.headerBackground);
}

void CDayBannerCtrl::Draw(QPainter &painter, const QRect &)
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const QRect view = GetViewRect();
    const int n = GetColumnCount();
    painter.save();
    painter.setClipRect(view);
    painter.fillRect(view, ToQColor(m_backgroundColour));

    // Column lines.
    if (n >= 2) {
        painter.setPen(ToQColor(m_gridLineColour));
        for (int c = 0; c < n; ++c) {
            const int x = GetCellRect(c, 0).left();
            painter.drawLine(x, view.top(), x, view.bottom());
        }
        const int right = view.left() + view.width() - 3;
        painter.drawLine(right, view.top(), right, view.bottom());
    }

    // Columns, the selected ones marked while the banner has the focus and nothing else is.
    const bool showCells = CellSelectionShown();
    const int low = std::min(m_anchorCell, m_currentCell), high = std::max(m_anchorCell, m_currentCell);
    for (int c = 0; c < n; ++c) {
        const QRect cell = GetCellRect(c, 0);
        const bool selected = showCells && c >= low && c <= high;
        FillColumn(painter, cell.left() + 1, cell.top(), cell.width() - 1, cell.height(),
                   selected ? m_selectedCellColour : m_backgroundColour);
    }

    if (n >= 2 && m_todayColumn >= 0 && m_todayColumn < n) {
        const QRect today = GetCellRect(m_todayColumn, 0);
        FillColumn(painter, today.left() + 1, view.top(), 2, view.height(), colors.today);
        FillColumn(painter, today.left() + today.width() - 2, view.top(), 2, view.height(), colors.today);
    }

    const CDisplayItem *edited = GetEditedEntry();
    for (int i = 0; i < GetEntryCount(); ++i) {
        const CDisplayItem &e = *m_entries[std::size_t(i)];
        if (e.HasState(CDisplayItem::StateDragged) || e.GetRect().height() <= 0)
            continue;
        const QRect box = GetEntryRect(i).adjusted(3, 1, -3, -1);
        if (!box.intersects(view))
            continue;
        DrawItemBox(painter, *this, e, box, IsEditing() && edited && edited->IsSame(e));
    }
    painter.restore();

    if (n < 2)
        return;

    // The day-header strip.
    const QRect client = CCalendarViewCtrl::GetViewRect();
    const QRect strip(client.left(), client.top(), client.width(), GetHeaderHeight());
    painter.save();
    painter.setClipRect(strip);
    painter.fillRect(strip, ToQColor(colors.headerBackground));
    painter.setPen(ToQColor(colors.grid));
    painter.drawLine(strip.left(), strip.top(), strip.right(), strip.top());
    painter.drawLine(strip.left(), strip.top(), strip.left(), strip.bottom());
    painter.drawLine(strip.right(), strip.top(), strip.right(), strip.bottom());

    painter.setFont(GetBoldFont());
    const QFontMetrics metrics(GetBoldFont());
    const QColor headerText = ToQColor(colors.headerText);

    const QString corner = GetCornerText();
    const int cornerRight = strip.left() + m_labelWidth + 5;
    const int textWidth = metrics.horizontalAdvance(corner);
    const int textLeft = strip.left() + (cornerRight - textWidth - strip.left() - 13) / 2;
    painter.setPen(headerText);
    painter.drawText(QRect(textLeft, strip.top(), textWidth + 1, strip.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, corner);
    if (!m_daysGlyph.isNull())
        painter.drawImage(textLeft + textWidth + 2, strip.top() + (strip.height() - m_daysGlyph.height()) / 2,
                          m_daysGlyph);

    const int level =
        GetCaptionLevel([&metrics](const QString &text) { return metrics.horizontalAdvance(text); });
    const bool shadow = ProgramSettings().nonWorkDayShadow != 0;
    const int flags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;
    for (int c = 0; c < n; ++c) {
        const QRect caption = GetCaptionRect(c);
        const CDateTime date = GetDayDate(c);
        const QString text = FormatDateCaptionAtLevel(date, level);
        if (shadow && IsNonWorkDate(date)) {
            painter.setPen(ToQColor(colors.headerShadow));
            painter.drawText(caption.translated(1, 1), flags, text);
        }
        painter.setPen(headerText);
        painter.drawText(caption, flags, text);
        painter.drawLine(caption.left(), strip.top() + 4, caption.left(), strip.bottom() - 4);
    }
    const QRect lastCaption = GetCaptionRect(n - 1);
    const int end = std::min(lastCaption.left() + lastCaption.width(), strip.right() - 1);
    painter.drawLine(end, strip.top() + 4, end, strip.bottom() - 4);
    painter.restore();
}
