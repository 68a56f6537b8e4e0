// Recomputes the program-wide look when the application's palette changes (the desktop switched
// its colours or theme).
#pragma once

#include <QObject>

class CPaletteWatcher : public QObject
{
    Q_OBJECT
  public:
    // Starts watching the application once; later calls do nothing.
    static void Install();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    using QObject::QObject;
};
