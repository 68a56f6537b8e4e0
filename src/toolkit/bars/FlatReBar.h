// The band holder of the main toolbars, painted with the bar background of the menu look so
// that its bands and the gaps between them run on as one surface. Bands share rows while their
// least widths fit and wrap to further rows when they do not.
#pragma once

#include "toolkit/bars/ReBarLayout.h"

#include <QPointer>
#include <QWidget>

class CFlatReBar : public QWidget
{
    Q_OBJECT
  public:
    // The two-pixel frame around the bands.
    static constexpr int kFrame = 2;

    explicit CFlatReBar(QWidget *parent = nullptr);
    // Adds a band after the others; `breakBefore` starts a row with it.
    void AddBand(QWidget *band, bool breakBefore = false);
    int BandCount() const;
    QWidget *Band(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

  protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    struct Entry
    {
        QPointer<QWidget> widget;
        bool breakBefore = false;
    };
    // The visible bands as the layout sees them, with their entries.
    QList<ReBarBand> Bands(QList<QWidget *> *widgets) const;
    void PlaceBands();

    QList<Entry> m_bands;
};
