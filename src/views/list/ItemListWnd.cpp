// The list view's window.
#include "views/list/ItemListWnd.h"

#include "toolkit/drawing/DrawHelpers.h"
#include "views/list/FieldChooserDlg.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

CItemListWnd::CItemListWnd(CItemListCtrl &view, QWidget *parent)
    : CCalendarViewWnd(view, parent), m_list(view)
{
    m_vertical = new QScrollBar(Qt::Vertical, this);
    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_vertical->hide();
    m_horizontal->hide();
    QObject::connect(m_vertical, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing && m_list.ScrollVertically(CItemListCtrl::Scroll::Track, value))
            update();
    });
    QObject::connect(m_horizontal, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing && m_list.ScrollHorizontally(CItemListCtrl::Scroll::Track, value))
            update();
    });
    m_list.SetFieldChooser([this](std::vector<std::uint32_t> &values, const std::vector<int> &available,
                                  const std::vector<int> &defaults) {
        return CFieldChooserDlg::Run(this, values, available, defaults);
    });
    m_list.LoadFonts(true);
    m_list.LoadViewOptions();
    if (m_list.GetEntryCount() > 0) {
        m_list.SetFocusedEntry(0);
        m_list.SetAnchorRow(0);
    }
}

CItemListWnd::~CItemListWnd()
{
    m_list.SaveLayout();
    m_list.SetFieldChooser({});
}

QRect CItemListWnd::ClientRect() const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QRect r = rect();
    if (!m_vertical->isHidden())
        r.setRight(r.right() - bar);
    if (!m_horizontal->isHidden())
        r.setBottom(r.bottom() - bar);
    return r;
}

void CItemListWnd::PlaceScrollBars()
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // Each bar shows only while there is something to scroll; the other bar's room counts.
    bool showH = false, showV = false;
    for (int pass = 0; pass < 2; ++pass) {
        const int width = this->width() - (showV ? bar : 0);
        const int height = this->height() - (showH ? bar : 0);
        showH = m_list.Columns().TotalWidth() > width;
        const int rows = m_list.GetRowHeight() > 0
                             ? std::max(1, (height - m_list.GetHeaderHeight() - 1) / m_list.GetRowHeight())
                             : 1;
        showV = m_list.GetEntryCount() > rows;
    }
    m_vertical->setVisible(showV);
    m_horizontal->setVisible(showH);
    const QRect client = ClientRect();
    m_vertical->setGeometry(client.right() + 1, 0, bar, client.height());
    m_horizontal->setGeometry(0, client.bottom() + 1, client.width(), bar);
}

void CItemListWnd::UpdateScrollBars()
{
    m_syncing = true;
    PlaceScrollBars();
    const int page = m_list.RowsPerPage();
    m_vertical->setRange(0, std::max(0, m_list.GetEntryCount() - page));
    m_vertical->setPageStep(page);
    m_vertical->setValue(m_list.GetFirstVisibleRow());
    const int width = ClientRect().width();
    m_horizontal->setRange(0, std::max(0, m_list.Columns().TotalWidth() - width));
    m_horizontal->setPageStep(std::max(1, width));
    m_horizontal->setSingleStep(std::max(1, width / 8));
    m_horizontal->setValue(m_list.GetHorzPos());
    m_syncing = false;
}

void CItemListWnd::paintEvent(QPaintEvent *event)
{
    // Every scroll repaints, so the bars follow the view here.
    UpdateScrollBars();
    CCalendarViewWnd::paintEvent(event);
    if (!m_vertical->isHidden() && !m_horizontal->isHidden()) {
        QPainter painter(this);
        const QRect client = ClientRect();
        painter.fillRect(QRect(client.right() + 1, client.bottom() + 1, width() - client.width(),
                               height() - client.height()),
                         ToQColor(CMenuLook::Instance().GetColors().face3D));
    }
}

void CItemListWnd::resizeEvent(QResizeEvent *event)
{
    UpdateScrollBars();
    CCalendarViewWnd::resizeEvent(event);
    UpdateScrollBars();
}
