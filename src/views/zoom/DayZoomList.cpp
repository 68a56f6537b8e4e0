// The zoom-day popup: frame, heading, owner-drawn rows and input forwarding.
#include "views/zoom/DayZoomList.h"

#include "core/dates/DateFormats.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/StringTable.h"
#include "views/base/CalendarViewWnd.h"
#include "views/base/CustomWnd.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/ItemTypeMenus.h"
#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {
CDayZoomList *g_current = nullptr;

// "< undefined >": the entry that stands for a missing type list.
constexpr int kIdsUndefinedType = 59311;

// Frame widths around the list (left and right, top and bottom).
constexpr int kFrameX = 9;
constexpr int kFrameY = 8;

class RowDelegate : public QStyledItemDelegate
{
  public:
    RowDelegate(const CDayZoomList &owner, QObject *parent) : QStyledItemDelegate(parent), m_owner(owner) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        m_owner.PaintRow(*painter, option.rect, index.row(), option.state & QStyle::State_HasFocus);
    }
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(1, m_owner.GetRowHeight());
    }

  private:
    const CDayZoomList &m_owner;
};
} // namespace

CDayZoomList::CDayZoomList(IViewContainer *owner, int dayKey, const CDateTime &day, bool gradient,
                           QWidget *ownerWindow)
    : QWidget(ownerWindow, Qt::Tool | Qt::FramelessWindowHint), m_model(owner, dayKey, day, gradient)
{
    g_current = this;
    setAttribute(Qt::WA_DeleteOnClose);
    m_model.SetHost(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list%1").arg(kListId));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setItemDelegate(new RowDelegate(*this, m_list));
    m_list->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_syncing)
            return;
        SyncSelectionToModel();
        m_model.UpdateDetailsPane(false);
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { m_model.OnCommand(ZoomCommand::Open); });
    connect(m_list, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { ShowContextMenu(m_list->viewport()->mapToGlobal(p)); });
    SetFonts(font());
}

CDayZoomList::~CDayZoomList()
{
    if (g_current == this)
        g_current = nullptr;
}

CDayZoomList *CDayZoomList::Current()
{
    return g_current;
}

void CDayZoomList::SetFonts(const QFont &font)
{
    m_fonts[0] = font;
    m_fonts[1] = font;
    m_fonts[1].setStrikeOut(true);
    m_fonts[2] = font;
    m_fonts[2].setWeight(QFont::Bold);
    m_textHeight = QFontMetrics(m_fonts[0]).height();
    m_rowHeight = m_textHeight + 5;
    m_headingHeight = QFontMetrics(m_fonts[2]).height() + 3;
    m_list->setFont(m_fonts[0]);
}

void CDayZoomList::ClearRows()
{
    m_model.ClearRows();
    Repaint();
}

bool CDayZoomList::AddRow(std::unique_ptr<CDisplayItem> item)
{
    if (m_model.AddRow(std::move(item)) < 0)
        return false;
    Repaint();
    return true;
}

void CDayZoomList::FitWindowSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int workArea = screen ? screen->availableGeometry().height() : 600;
    const QSize size =
        CDayZoomModel::FitWindowSize(m_model.GetRowCount(), m_rowHeight, m_headingHeight, workArea);
    resize(size);
    const QWidget *ownerWindow = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect over =
        ownerWindow ? ownerWindow->frameGeometry() : (screen ? screen->availableGeometry() : QRect());
    if (!over.isEmpty())
        move(over.center() - QPoint(size.width() / 2, size.height() / 2));
}

void CDayZoomList::MeasureTimeColumns()
{
    const QFontMetrics fm(m_fonts[0]);
    m_columns = m_model.MeasureTimeColumns([&](const QString &s) { return fm.horizontalAdvance(s); });
}

bool CDayZoomList::SetClipboardData(std::unique_ptr<QMimeData> data)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard || !data)
        return false;
    const QByteArray check = data->data(TransferFormatMimeType());
    clipboard->setMimeData(data.release());
    const QMimeData *now = clipboard->mimeData();
    return now && now->data(TransferFormatMimeType()) == check;
}

void CDayZoomList::PostCommand(int commandId)
{
    QTimer::singleShot(0, this, [this, commandId] { m_model.OnCommand(commandId); });
}

void CDayZoomList::DestroyWindow()
{
    if (g_current == this)
        g_current = nullptr;
    hide();
    deleteLater();
}

void CDayZoomList::SetWaitState(bool on)
{
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

QPoint CDayZoomList::KeyboardMenuPos() const
{
    const std::vector<int> rows = m_model.GetSelectedRows();
    QListWidgetItem *item = rows.empty() ? nullptr : m_list->item(rows.front());
    if (!item)
        return mapToGlobal(CDayZoomModel::KeyboardMenuPoint(QRect(), m_rowHeight));
    const QRect row = m_list->visualItemRect(item);
    return m_list->viewport()->mapToGlobal(CDayZoomModel::KeyboardMenuPoint(row, m_rowHeight));
}

void CDayZoomList::Repaint()
{
    m_syncing = true;
    if (m_list->count() != m_model.GetRowCount()) {
        m_list->clear();
        for (int i = 0; i < m_model.GetRowCount(); ++i)
            m_list->addItem(CDayZoomModel::RowText(*m_model.GetRow(i)));
    }
    for (int i = 0; i < m_model.GetRowCount(); ++i)
        m_list->item(i)->setSelected(m_model.IsSelected(i));
    m_syncing = false;
    m_list->viewport()->update();
}

void CDayZoomList::SyncSelectionToModel()
{
    for (int i = 0; i < m_list->count() && i < m_model.GetRowCount(); ++i)
        m_model.SetSelected(i, m_list->item(i)->isSelected());
}

QRect CDayZoomList::ClientArea() const
{
    return rect().adjusted(kFrameX, kFrameY + m_headingHeight, -kFrameX, -kFrameY);
}

void CDayZoomList::PaintRow(QPainter &painter, const QRect &rect, int row, bool hasFocus) const
{
    const CDisplayItem *item = m_model.GetRow(row);
    if (!item)
        return;
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const bool selected = m_model.IsSelected(row);
    const COLORREF back = selected ? colors.highlight : colors.viewBackground;
    const COLORREF text = selected ? colors.highlightText : colors.windowText;
    const QRect outer = rect.adjusted(0, 1, 0, -1);
    const QRect fill = outer.adjusted(1, 1, -1, -1);
    painter.save();
    if (m_model.GetGradient()) {
        const GradientPair pair = MakeGradientPair(back);
        FillGradientRect(painter, fill, pair.light, pair.dark, true);
    } else {
        painter.fillRect(fill, ToQColor(back));
    }
    const bool allDay = item->HasFlag(CDisplayItem::FlagAllDay);
    const QString caption = CDayZoomModel::RowText(*item);
    painter.setFont(item->HasFlag(CDisplayItem::FlagCompleted) ? m_fonts[1] : m_fonts[0]);
    const QFontMetrics fm(painter.font());
    int x = rect.left() + 2;
    painter.setPen(ToQColor(text));
    if (allDay) {
        x = rect.left() + std::max(2, (rect.width() - fm.horizontalAdvance(caption)) / 2);
        painter.setPen(ToQColor(colors.frame));
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
        if (item->HasFlag(CDisplayItem::FlagBeginsBefore))
            painter.drawLine(outer.left() + 1, outer.top() + 1, outer.left() + 1, outer.bottom() - 1);
        if (item->HasFlag(CDisplayItem::FlagEndsAfter))
            painter.drawLine(outer.right() - 1, outer.top() + 1, outer.right() - 1, outer.bottom() - 1);
    } else {
        const QString start = FormatCompactTime(item->GetStart());
        painter.drawText(QRect(x, rect.top(), m_columns.start, rect.height()),
                         Qt::AlignRight | Qt::AlignVCenter, start);
        x += m_columns.start;
        if (item->GetEnd() != item->GetStart())
            painter.drawText(QRect(x + m_columns.space, rect.top(), m_columns.end, rect.height()),
                             Qt::AlignRight | Qt::AlignVCenter, FormatCompactTime(item->GetEnd()));
        x += m_columns.space + m_columns.end + 2;
        painter.setPen(ToQColor(selected ? colors.highlight : colors.frame));
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
    }
    painter.setPen(ToQColor(text));
    const QRect textRect(x, rect.top(), rect.right() - x - 2, rect.height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fm.elidedText(caption, Qt::ElideRight, textRect.width()));
    if (hasFocus) {
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

bool CDayZoomList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list) {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (m_model.OnKey(key->key(), ViewModifiers(key->modifiers())))
                return true;
        } else if (event->type() == QEvent::ContextMenu &&
                   static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
            ShowContextMenu(KeyboardMenuPos());
            return true;
        } else if (event->type() == QEvent::FocusOut) {
            m_model.OnFocusLost();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CDayZoomList::paintEvent(QPaintEvent *)
{
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(colors.face));
    painter.setPen(ToQColor(colors.buttonHighlight));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(ToQColor(colors.buttonShadow));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    const QRect heading(kFrameX, kFrameY, width() - 2 * kFrameX, m_headingHeight);
    painter.fillRect(heading, ToQColor(colors.headerBackground));
    painter.setFont(m_fonts[2]);
    painter.setPen(ToQColor(colors.headerText));
    const QFontMetrics fm(m_fonts[2]);
    const QString title = FormatLongDateToFit([&](const QString &s) { return fm.horizontalAdvance(s); },
                                              m_model.GetDay(), heading.width());
    painter.drawText(heading, Qt::AlignCenter | Qt::TextSingleLine, title);
}

void CDayZoomList::resizeEvent(QResizeEvent *)
{
    m_list->setGeometry(ClientArea());
}

void CDayZoomList::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        m_model.ClearSelection();
        Repaint();
    }
    QWidget::mousePressEvent(event);
}

void CDayZoomList::ShowContextMenu(const QPoint &globalPos)
{
    struct Entry
    {
        int id;
        const char *text;
    };
    static const Entry kItemCommands[] = {
        {ZoomCommand::Open, "&Open"},
        {ZoomCommand::Print, "&Print"},
        {ZoomCommand::Cut, "Cu&t"},
        {ZoomCommand::Copy, "&Copy"},
        {ZoomCommand::Delete, "&Delete"},
        {ZoomCommand::Lock, "&Lock"},
        {ZoomCommand::Unlock, "&Unlock"},
        {ZoomCommand::SelectAll, "Select A&ll"},
        {ZoomCommand::Properties, "P&roperties"},
        {ZoomCommand::Close, "&Close"},
    };
    const int popup = m_model.GetContextPopup();
    QMenu menu(this);
    const auto add = [&](int id, const char *text) {
        QAction *action = menu.addAction(QString::fromUtf8(text));
        action->setData(id);
        action->setEnabled(m_model.IsCommandEnabled(id));
    };
    // The document's item types, one command each; a disabled placeholder when there are none.
    const auto addTypes = [&](bool separatorAfter) {
        const IItemTypeCatalog *types = GetItemTypeCatalog();
        const int count =
            types ? std::min(types->GetTypeCount(), ZoomCommand::LastType - ZoomCommand::FirstType + 1) : 0;
        ItemTypeInfo info;
        for (int i = 0; i < count; ++i) {
            if (!types->GetTypeInfo(i, info))
                continue;
            QAction *action = menu.addAction(MenuTextFromName(info.name));
            action->setData(ZoomCommand::FirstType + i);
            action->setEnabled(m_model.IsCommandEnabled(ZoomCommand::FirstType + i));
        }
        if (count == 0)
            menu.addAction(LoadResString(kIdsUndefinedType))->setEnabled(false);
        if (separatorAfter)
            menu.addSeparator();
    };
    if (popup == ZoomPopup::CloseOnly) {
        add(ZoomCommand::Close, "&Close");
    } else {
        const bool task = popup == ZoomPopup::Task || popup == ZoomPopup::TaskTypesFirst;
        const bool typesFirst = popup == ZoomPopup::TaskTypesFirst || popup == ZoomPopup::ItemTypesFirst;
        if (typesFirst)
            addTypes(true);
        for (const Entry &e : kItemCommands)
            add(e.id, e.text);
        if (task)
            add(ZoomCommand::MarkComplete, "&Mark Complete");
        add(task ? ZoomCommand::TaskToEvent : ZoomCommand::EventToTask,
            task ? "Con&vert Task to Event" : "Convert &Event to Task");
        if (!typesFirst) {
            menu.addSeparator();
            addTypes(false);
        }
    }
    m_model.UpdateDetailsPane(false);
    const QPointer<CDayZoomList> alive(this);
    if (QAction *chosen = menu.exec(globalPos); chosen && alive)
        m_model.OnCommand(chosen->data().toInt());
}
