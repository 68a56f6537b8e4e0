// CDateNavigatorWnd: the Date Navigator window beside the views: it hosts the busy-days engine
// inside a 4-pixel frame, takes dropped items on its days (move, or copy with Ctrl) and offers a
// context menu. Its owner answers its notifications; the document tells it about stored and
// deleted events.
#pragma once

#include "core/document/DateNavigatorSink.h"
#include "toolkit/navigator/BusyDaysNavigator.h"
#include "toolkit/navigator/NavigatorWidgetHost.h"

#include <QWidget>
#include <functional>

class CDateNavigatorWnd : public QWidget, public IDateNavigatorSink
{
  public:
    static constexpr int kControlId = 802;
    static constexpr int kFrame = 4;
    // Drop actions carried in the reason of notification 4.
    static constexpr int kDropCopy = 7;
    static constexpr int kDropMove = 8;
    // Commands of the context menu.
    static constexpr int kCmdShowTaskPad = 34789;
    static constexpr int kCmdCustomize = 34744;

    explicit CDateNavigatorWnd(QWidget *parent = nullptr);
    ~CDateNavigatorWnd() override;

    // The owner answers the notifications (codes 1 to 5); commands of the context menu go to
    // the command handler.
    void SetOwner(CNavigatorWidgetHost::Owner owner) { m_host.SetOwner(std::move(owner)); }
    void SetCommandHandler(std::function<void(int)> handler) { m_onCommand = std::move(handler); }

    CBusyDaysNavigator &Engine() { return m_engine; }
    const CBusyDaysNavigator &Engine() const { return m_engine; }

    // Forwarders to the engine.
    void SetSelection(const CDateTime &date, int unit, int count) { m_engine.SetSelection(date, unit, count, true); }
    void Recenter() { m_engine.Recenter(true); }
    void ReloadOptions();
    void UpdateToday() { m_engine.UpdateToday(); }
    void RebuildBusyDays();
    void ClearBusyDays() { m_engine.ClearBusyDays(); }
    bool SetFilter(const CActiveFilter &filter) { return m_engine.SetFilter(filter); }
    void SetDataFile(CDataFile *file) { m_engine.SetDataFile(file); }
    void MarkItem(const CEventItem &event, bool repaint) { m_engine.MarkItem(event, repaint); }
    bool ItemInRange(const CEventItem &event) const { return m_engine.ItemInRange(event); }
    // The drop frame of one cell, drawn or removed at once; -1 removes it.
    void RedrawCell(int index, bool on);
    int GetDropCell() const { return m_dropCell; }

    // IDateNavigatorSink
    void RemoveItemDays(std::uint32_t recordId, bool redraw) override { m_engine.RemoveItemDays(recordId, redraw); }
    void UpdateItemDays(const CEventItem &event, bool redraw) override { m_engine.UpdateItemDays(event, redraw); }

    // Sizes, with the frame.
    int GetPreferredWidth() const { return m_engine.GetPreferredWidth(); }
    int GetPreferredHeight() const { return m_engine.GetPreferredHeight(); }
    int RoundWidth(int w) const { return m_engine.RoundWidth(w); }
    int RoundHeight(int h) const { return m_engine.RoundHeight(h); }
    // Lower limit one month, upper the height rounded to whole months; false when upper < lower.
    bool GetSplitLimits(int height, int &lower, int &upper) const;
    QSize sizeHint() const override;

    // The drop protocol, also used by the tests: the effect a drag over the point gets (0 none,
    // else Qt::CopyAction or Qt::MoveAction), and the drop itself.
    Qt::DropAction DragOverAt(const QPoint &widgetPoint, bool ctrl, bool hasItems);
    bool DropAt(const QPoint &widgetPoint, bool ctrl, bool hasItems);
    void DragLeft() { RedrawCell(-1, false); }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    void PaintDropFrame(QPainter &painter);

    // The host outlives the engine, which stops its timers through it.
    CNavigatorWidgetHost m_host;
    CBusyDaysNavigator m_engine;
    int m_dropCell = -1;
    std::function<void(int)> m_onCommand;
};
