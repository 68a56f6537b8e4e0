// CSortHeaderCtrl: the column header of the list views and the TaskPad: one sort column with a
// direction arrow, image columns that show only their image and keep their width, and the tip
// "Sort by: <column>" over every column.
#pragma once

#include <QHeaderView>
#include <QLine>
#include <QList>
#include <QPixmap>
#include <cstdint>

class CSortHeaderCtrl : public QHeaderView
{
    Q_OBJECT
  public:
    static constexpr int kMaxItemText = 80;
    static constexpr int kArrowGap = 12;  // from the end of the text to the arrow
    static constexpr int kArrowWidth = 8; // the arrow needs this much room
    static constexpr int kArrowHeight = 7;
    static constexpr int kMaxColumns = 1024;

    explicit CSortHeaderCtrl(QWidget *parent = nullptr);

    // A column's data: the low word its column code, the high word its image index; an image
    // column shows only that image and cannot be resized.
    void SetColumnData(int column, std::uint32_t data, bool imageColumn);
    std::uint32_t ColumnData(int column) const;
    bool IsImageColumn(int column) const;
    // The images image columns show (by default the look's list header images).
    void SetImages(const QList<QPixmap> &images) { m_images = images; }

    // A column not below the column count becomes 0; -1 clears the sort column.
    void SetSortColumn(int column, bool ascending);
    int GetSortColumn(bool *ascending = nullptr) const;
    // The column code of the column under x (viewport coordinates): left < x <= right; -1 none.
    int GetColumnDataAt(int x) const;

    // The tip over a column: "Sort by: %s" with the column's text (80 characters at most).
    static QString SortTipText(const QString &columnText);
    // The arrow's lines with (x0, y0) its top-left; `highlight` tells the colour of each line.
    struct ArrowLine
    {
        QLine line;
        bool highlight = false;
    };
    static QList<ArrowLine> SortArrowLines(int x0, int y0, bool ascending);
    // Where a sort column's arrow starts: 12 pixels after the text, at most at the item's end;
    // -1 when fewer than 8 pixels remain.
    static int SortArrowLeft(int textRight, int itemRight);

  signals:
    void sortTip(int column, const QString &text);

  protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    void ApplyResizeModes();

    struct Column
    {
        std::uint32_t data = 0;
        bool image = false;
    };
    QList<Column> m_columns;
    QList<QPixmap> m_images;
    int m_sortColumn = -1;
    bool m_ascending = false;
    int m_pressed = -1;
};
