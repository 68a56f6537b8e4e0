// CPropertySheetBase: the base of the program's property sheets (the pages as tabs). Return on
// a focused push button inside a page presses that button, not the dialog's default button.
#pragma once

#include <QTabWidget>

class CPropertySheetBase : public QTabWidget
{
    Q_OBJECT
  public:
    explicit CPropertySheetBase(QWidget *parent = nullptr);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
