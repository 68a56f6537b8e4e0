// The reminder tip window.
#include "toolkit/bars/TipWnd.h"

#include "core/dates/DateFormats.h"
#include "core/document/ReminderEntry.h"
#include "core/system/StringTable.h"
#include "toolkit/bars/TipLayout.h"

#include <QCursor>
#include <QDateTime>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

QString Text(int id, const char *fallback)
{
    QString text;
    return FindResString(id, text) ? text : QString::fromUtf8(fallback);
}

QString UpcomingText()
{
    return Text(59313, "Today's upcoming reminders:");
}

} // namespace

CTipWnd::CTipWnd() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_normal = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    m_bold = m_normal;
    m_bold.setBold(true);
}

CDateTime CTipWnd::Now() const
{
    return m_now ? m_now() : CDateTime::FromQDateTime(QDateTime::currentDateTime());
}

QString CTipWnd::SecondLine() const
{
    if (!m_remindersOn)
        return UpcomingText() + Text(59444, " (disabled)");
    if (m_entries.isEmpty())
        return UpcomingText() + Text(59352, " (none)");
    return UpcomingText();
}

void CTipWnd::Insert(const CReminderEntry &source)
{
    Entry entry;
    entry.kind = source.kind;
    entry.itemId = source.recordId;
    entry.itemTypeIndex = source.itemTypeIndex;
    entry.time = source.due;
    entry.subject = source.subject;
    entry.overdue = source.due < Now();
    // After entries of the same time: those keep the order they came in.
    qsizetype at = 0;
    while (at < m_entries.size() && !(entry.time < m_entries[at].time))
        ++at;
    m_entries.insert(at, entry);
}

void CTipWnd::AddEntry(const CReminderEntry &entry)
{
    if (!isVisible())
        return;
    Insert(entry);
    Layout(true);
}

void CTipWnd::RemoveEntry(std::uint32_t recordId)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].itemId == recordId) {
            m_entries.removeAt(i);
            Layout(true);
            return;
        }
    }
}

void CTipWnd::Refill(const std::vector<std::unique_ptr<CReminderEntry>> &queue)
{
    m_entries.clear();
    for (const auto &entry : queue) {
        if (entry && !(m_hasWindow && m_hasWindow(entry->recordId)))
            Insert(*entry);
    }
    Layout(true);
}

void CTipWnd::FillIfHidden(const std::vector<std::unique_ptr<CReminderEntry>> &queue)
{
    if (isVisible())
        return;
    for (const auto &entry : queue) {
        if (entry && !(m_hasWindow && m_hasWindow(entry->recordId)))
            Insert(*entry);
    }
    Layout(false);
}

void CTipWnd::HideAndClear()
{
    hide();
    m_entries.clear();
}

void CTipWnd::ShowTip()
{
    Layout(true);
    show();
    raise();
}

void CTipWnd::Layout(bool repaint)
{
    const CDateTime now = Now();
    m_title = FormatLongDate(now) + QLatin1Char(' ') + FormatTime(now);
    const QFontMetrics bold(m_bold), normal(m_normal);
    TipMeasures m;
    m.title = bold.boundingRect(QRect(0, 0, 800, 600), Qt::TextWordWrap, m_title).size();
    m.secondLine = QSize(normal.horizontalAdvance(SecondLine()), normal.height());
    m.readOnly = m_readOnly;
    m.remindersOn = m_remindersOn;
    m.entries = int(m_entries.size());
    const QSize size = TipWindowSize(m);
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect anchor = TipAnchorRect(m_anchor, QCursor::pos(), work);
    setGeometry(QRect(PlaceTipNextToAnchor(anchor, size, work), size));
    if (repaint)
        update();
}

void CTipWnd::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette pal = palette();
    p.fillRect(rect(), pal.color(QPalette::ToolTipBase));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect inside = rect().adjusted(4, 4, -4, -4);
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const QColor text = pal.color(QPalette::ToolTipText);

    // Title with the tray icon in the icon column.
    const QFontMetrics bold(m_bold), normal(m_normal);
    const QRect titleBox = bold.boundingRect(QRect(0, 0, 800, 600), Qt::TextWordWrap, m_title);
    const QRect titleRect = rtl ? QRect(inside.left(), inside.top(), inside.width() - 20, titleBox.height())
                                : QRect(inside.left() + 20, inside.top(), inside.width() - 20, titleBox.height());
    if (!m_trayIcon.isNull()) {
        const int iconX = rtl ? inside.right() - 15 : inside.left();
        p.drawPixmap(iconX, titleRect.top() + (titleRect.height() - 16) / 2, 16, 16, m_trayIcon);
    }
    p.setFont(m_bold);
    p.setPen(text);
    p.drawText(titleRect, int(rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextWordWrap, m_title);
    p.setPen(pal.color(QPalette::Shadow));
    const int lineY = titleRect.bottom() + 5;
    p.drawLine(inside.left(), lineY, inside.right(), lineY);

    p.setFont(m_normal);
    p.setPen(text);
    const int line = normal.height();
    int y = titleRect.bottom() + 1 + 8;
    p.drawText(QRect(inside.left(), y, inside.width(), line), int(rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
               normal.elidedText(SecondLine(), Qt::ElideRight, inside.width()));
    y += line + 2;
    if (m_readOnly) {
        p.drawText(QRect(inside.left(), y, inside.width(), line), rtl ? Qt::AlignRight : Qt::AlignLeft,
                   Text(58015, " (Read-Only)").trimmed());
        y += line + 2;
    }
    if (!m_remindersOn)
        return;
    const int row = std::max(line, 16) + 2;
    for (const Entry &entry : m_entries) {
        const QRect rowRect(inside.left(), y, inside.width(), row);
        const int iconX = rtl ? rowRect.right() - 15 : rowRect.left();
        if (m_typeIcon) {
            const QPixmap icon = m_typeIcon(entry.itemTypeIndex, entry.kind);
            if (!icon.isNull())
                p.drawPixmap(iconX, y + (std::max(line, 16) - 14) / 2, icon);
        }
        const QString time = FormatTime(entry.time);
        const int timeWidth = normal.horizontalAdvance(time);
        const QRect textRect = rtl ? rowRect.adjusted(0, 0, -20, 0) : rowRect.adjusted(20, 0, 0, 0);
        p.setPen(entry.overdue ? QColor(255, 0, 0) : text);
        p.drawText(textRect, int(rtl ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, time);
        p.setPen(text);
        const QRect subjectRect = rtl ? textRect.adjusted(timeWidth + 2, 0, 0, 0) : textRect.adjusted(0, 0, -(timeWidth + 2), 0);
        p.drawText(subjectRect, int(rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                   normal.elidedText(entry.subject, Qt::ElideRight, subjectRect.width()));
        y += row;
    }
}
