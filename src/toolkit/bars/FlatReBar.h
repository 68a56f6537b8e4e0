// The band holder of the main toolbars, painted with the bar background of the menu look so
// that its bands and the gaps between them run on as one surface.
#pragma once

#include <QWidget>

class QVBoxLayout;

class CFlatReBar : public QWidget
{
    Q_OBJECT
  public:
    explicit CFlatReBar(QWidget *parent = nullptr);
    // Adds a band (a toolbar or another bar) below the others.
    void AddBand(QWidget *band);
    int BandCount() const;

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QVBoxLayout *m_layout = nullptr;
};
