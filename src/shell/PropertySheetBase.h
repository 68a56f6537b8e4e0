// CPropertySheetBase: the tabbed sheet of the program's property pages. A page is asked before
// it is left, and Return on a focused push button presses that button rather than the dialog's
// default one.
#pragma once

#include <QTabWidget>
#include <vector>

class CPropertyPage;

class CPropertySheetBase : public QTabWidget
{
    Q_OBJECT
  public:
    explicit CPropertySheetBase(QWidget *parent = nullptr);

    // Appends a page (the sheet takes it as a child); the first one comes to the front.
    void AddPage(CPropertyPage *page);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage *GetPage(int index) const;
    CPropertyPage *GetActivePage() const;
    // Brings a page to the front when the active one lets go; false when it refused.
    bool SetActivePage(int index);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void OnTabChanged(int index);

    std::vector<CPropertyPage *> m_pages;
    int m_active = -1;
    bool m_reverting = false;
};
