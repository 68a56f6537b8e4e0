// CDayZoomList: the popup that lists all items of one day. A thin window over CDayZoomModel:
// it paints the frame, the heading and the rows, and forwards keys, focus and menus.
#pragma once

#include "views/zoom/DayZoomModel.h"

#include <QFont>
#include <QWidget>

class QListWidget;

class CDayZoomList : public QWidget, public IDayZoomHost
{
  public:
    // Control id of the list of rows.
    static constexpr int kListId = 800;

    CDayZoomList(IViewContainer *owner, int dayKey, const CDateTime &day, bool gradient,
                 QWidget *ownerWindow);
    ~CDayZoomList() override;

    // The open list, if any.
    static CDayZoomList *Current();

    CDayZoomModel &GetModel() { return m_model; }
    QListWidget *GetList() const { return m_list; }

    // The view's font: normal, strike-out and bold, and the heights derived from them.
    void SetFonts(const QFont &font);
    int GetRowHeight() const { return m_rowHeight; }
    int GetHeadingHeight() const { return m_headingHeight; }
    void ClearRows();
    bool AddRow(std::unique_ptr<CDisplayItem> item);
    void FitWindowSize();
    void MeasureTimeColumns();
    void UpdateDetailsPane(bool force) { m_model.UpdateDetailsPane(force); }

    // IDayZoomHost
    bool SetClipboardData(std::unique_ptr<QMimeData> data) override;
    void PostCommand(int commandId) override;
    void DestroyWindow() override;
    void Repaint() override;
    void SetWaitState(bool on) override;

    // Where the context menu opens from the keyboard, in global coordinates.
    QPoint KeyboardMenuPos() const;
    QObject *MessageOwner() const override { return parent(); }

    // Paints one row; the list's delegate calls it.
    void PaintRow(QPainter &painter, const QRect &rect, int row, bool hasFocus) const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

  private:
    QRect ClientArea() const;
    void ShowContextMenu(const QPoint &globalPos);
    void SyncSelectionToModel();

    CDayZoomModel m_model;
    QListWidget *m_list = nullptr;
    QFont m_fonts[3]; // normal, strike-out, bold
    int m_textHeight = 0;
    int m_rowHeight = 0;
    int m_headingHeight = 0;
    CDayZoomModel::TimeColumns m_columns;
    bool m_syncing = false;
};
