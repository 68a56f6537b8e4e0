// The caption bar.
#include "toolkit/bars/CaptionBar.h"

#include "toolkit/bars/CaptionBarLayout.h"
#include "toolkit/bars/ToolBarEx.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/menus/MenuEx.h"
#include "toolkit/menus/MenuLookStyle.h"
#include "toolkit/style/MenuLook.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace {

// The view toolbar's images, drawn here: hidden items, previous, today, next, Date Navigator,
// find; magenta is the mask.
QImage DrawViewToolbarStrip()
{
    QImage strip(16 * 6, 16, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    // No antialiasing: blended edges would take on the mask colour.
    QPainter p(&strip);
    const QColor ink(40, 60, 110), accent(200, 60, 40);
    // Hidden items: a card with a slash.
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 11, 9));
    p.setPen(QPen(accent, 1.6));
    p.drawLine(QPointF(3, 13), QPointF(13, 3));
    // Previous and next: solid triangles.
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(16 + 11, 3), QPointF(16 + 4, 8), QPointF(16 + 11, 13)}));
    p.drawPolygon(QPolygonF({QPointF(48 + 5, 3), QPointF(48 + 12, 8), QPointF(48 + 5, 13)}));
    // Today: a page with the day marked.
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(32 + 2.5, 2.5, 11, 11));
    p.fillRect(QRectF(32 + 2.5, 2.5, 11, 3), ink);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(QPointF(32 + 8, 10), 2.2, 2.2);
    // Date Navigator: a small month grid.
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(64 + 1.5, 2.5, 13, 11));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(64 + 1.5 + i * 3.25, 2.5), QPointF(64 + 1.5 + i * 3.25, 13.5));
    for (int i = 1; i < 3; ++i)
        p.drawLine(QPointF(64 + 1.5, 2.5 + i * 3.67), QPointF(64 + 14.5, 2.5 + i * 3.67));
    // Find: a magnifier.
    p.setPen(QPen(ink, 1.6));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QPointF(80 + 6.5, 6.5), 4, 4);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(80 + 9.5, 9.5), QPointF(80 + 13.5, 13.5));
    p.end();
    strip.setPixel(0, 0, qRgb(255, 0, 255));
    return strip;
}

} // namespace

void CCaptionBar::AddDefaultCommands(CCommandTable &table)
{
    const struct
    {
        int id;
        const char *text;
        const char *strings;
    } commands[] = {
        {kCmdFilter, "Show &ALL", "Shows all items\nShow ALL"},
        {kCmdHiddenItems, "&Hidden Items", "Shows the hidden items\nHidden Items"},
        {kCmdPrevious, "&Previous", "Goes to the previous period\nPrevious"},
        {kCmdToday, "Go to &Today", "Goes to today\nGo to Today"},
        {kCmdNext, "&Next", "Goes to the next period\nNext"},
        {kCmdNavigatorBar, "Date &Navigator Bar", "Shows or hides the Date Navigator\nDate Navigator Bar"},
        {kCmdFind, "&Find", "Finds items\nFind"},
        {kCmdIncludePast, "Include &Past Items", "Includes items in the past\nInclude Past Items"},
        {kCmdDefineFilters, "&Define Filters...", "Defines the filters\nDefine Filters"},
        {kCmdActiveTasks, "&Active Tasks", "Shows the active tasks\nActive Tasks"},
        {kCmdOverdueTasks, "&Overdue Tasks", "Shows the overdue tasks\nOverdue Tasks"},
        {kCmdCompletedTasks, "&Completed Tasks", "Shows the completed tasks\nCompleted Tasks"},
        {kCmdAllTasks, "A&ll Tasks", "Shows all tasks\nAll Tasks"},
    };
    for (const auto &c : commands) {
        if (!table.Contains(c.id))
            table.Add(c.id, QString::fromUtf8(c.text), QString::fromUtf8(c.strings));
    }
}

CCaptionBar::CCaptionBar(CCommandTable &table, QWidget *parent) : QWidget(parent), m_table(table)
{
    AddDefaultCommands(table);
    m_title = new QLabel(this);
    QFont titleFont(QStringLiteral("Verdana"));
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setTextFormat(Qt::PlainText);
    const auto &colours = CMenuLook::Instance().GetColors();
    QPalette palette = m_title->palette();
    palette.setColor(QPalette::WindowText, ToQColor(colours.captionText));
    m_title->setPalette(palette);

    m_filterToolbar = new CToolBarEx(table, QString(), this);
    m_filterToolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_filterAction = m_filterToolbar->AddOwnCommand(kCmdFilter);
    m_filterAction->setText(QStringLiteral("Filter"));
    QFont subtitle = font();
    subtitle.setPointSize(8);
    subtitle.setBold(true);
    m_filterToolbar->setFont(subtitle);
    m_filterMenu = BuildFilterMenu(false);
    m_tasksMenu = BuildFilterMenu(true);
    if (QToolButton *button = FilterButton()) {
        button->setPopupMode(QToolButton::InstantPopup);
        button->setMenu(m_filterMenu);
        button->setFont(subtitle);
        button->setPalette(palette);
    }

    m_viewToolbar = new CToolBarEx(table, QString(), this);
    for (int id : {kCmdHiddenItems, kCmdPrevious, kCmdToday, kCmdNext, kCmdNavigatorBar, kCmdFind})
        m_viewToolbar->AddOwnCommand(id);
    m_viewToolbar->SetImageBitmap(DrawViewToolbarStrip(), QSize(16, 16));
    for (CToolBarEx *bar : {m_filterToolbar, m_viewToolbar})
        bar->setProperty(CMenuLookStyle::kBarColour, ToQColor(colours.captionBackground));
    setMinimumHeight(30);
    SetViewMode(1);
}

CMenuEx *CCaptionBar::BuildFilterMenu(bool tasks)
{
    auto *menu = new CMenuEx(m_table, this);
    if (tasks) {
        for (int id : {kCmdActiveTasks, kCmdOverdueTasks, kCmdCompletedTasks, kCmdAllTasks})
            menu->AddCommand(id);
        menu->AddCommand(0);
    }
    menu->AddSubMenu(QStringLiteral("&Item Type"));
    menu->AddSubMenu(QStringLiteral("&Category"));
    menu->AddCommand(0);
    menu->AddCommand(kCmdFilter);
    menu->AddCommand(kCmdIncludePast);
    menu->AddCommand(0);
    menu->AddCommand(kCmdDefineFilters);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { emit filterMenuAboutToShow(menu); });
    return menu;
}

QToolButton *CCaptionBar::FilterButton() const
{
    return m_filterToolbar->Button(kCmdFilter);
}

CMenuEx *CCaptionBar::FilterMenu() const
{
    return m_mode == TasksMode ? m_tasksMenu : m_filterMenu;
}

void CCaptionBar::SetTitle(const QString &text)
{
    m_title->setText(text);
}

void CCaptionBar::SetToolButtonText(const QString &text)
{
    if (!text.isEmpty())
        m_filterAction->setText(text);
    m_filterToolbar->setVisible(!text.isEmpty());
    Relayout();
    update();
}

void CCaptionBar::SetViewMode(int viewKind)
{
    const Mode mode = viewKind >= 1 && viewKind <= 5 ? CalendarMode : viewKind == 7 ? TasksMode : OtherMode;
    if (mode == m_mode && m_viewToolbar->actions().first()->isVisible() == (mode == CalendarMode))
        return;
    m_mode = mode;
    for (QAction *action : m_viewToolbar->actions()) {
        if (CommandIdOf(action) != kCmdFind)
            action->setVisible(mode == CalendarMode);
    }
    if (QToolButton *button = FilterButton())
        button->setMenu(FilterMenu());
    Relayout();
}

void CCaptionBar::Relayout()
{
    const int filterWidth = m_filterToolbar->isVisibleTo(this) ? m_filterToolbar->sizeHint().width() : 0;
    const CaptionBarRects rects = LayoutCaptionBar(size(), m_viewToolbar->sizeHint(), filterWidth);
    m_viewToolbar->setGeometry(rects.viewToolbar);
    if (filterWidth > 0)
        m_filterToolbar->setGeometry(rects.filterToolbar);
    m_title->setGeometry(rects.title);
}

void CCaptionBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void CCaptionBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(CMenuLook::Instance().GetColors().captionBackground));
}
