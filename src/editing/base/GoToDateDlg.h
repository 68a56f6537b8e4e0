// CGoToDateDlg: asks for the date the active view moves to.
#pragma once

#include "core/dates/DateTime.h"

#include <QDialog>

class CGoToDateDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit CGoToDateDlg(const CDateTime &date, QWidget *parent = nullptr);
    // The date chosen; read after OK.
    CDateTime GetDate() const { return m_date; }
    QWidget *GetDateField() const { return m_field; }
    void accept() override;

  private:
    CDateTime m_date;
    QWidget *m_field = nullptr;
};
