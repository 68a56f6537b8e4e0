// CPropertyPage: one page of a CPropertySheetBase. The sheet asks it before it leaves (a refusal
// keeps it in front) and tells it when it comes to the front.
#pragma once

#include <QWidget>

class CPropertyPage : public QWidget
{
    Q_OBJECT
  public:
    explicit CPropertyPage(const QString &title, QWidget *parent = nullptr);

    const QString &Title() const { return m_title; }
    // True once the page came to the front at least once (its controls hold the values).
    bool WasShown() const { return m_shown; }

    // The page comes to the front; the first time it fills its controls.
    virtual void OnSetActive();
    // The page is about to be left (another page or OK): false keeps it, after telling why.
    virtual bool OnKillActive() { return true; }

  private:
    QString m_title;
    bool m_shown = false;
};
