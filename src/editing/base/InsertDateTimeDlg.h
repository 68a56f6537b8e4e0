// CInsertDateTimeDlg: offers the current date and time in several formats; OK gives the chosen
// format of the time at the moment OK is pressed.
#pragma once

#include <QDialog>
#include <QLocale>

class QListWidget;

class CInsertDateTimeDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit CInsertDateTimeDlg(QWidget *parent = nullptr, const QLocale &locale = QLocale());
    QString GetResult() const { return m_result; }
    QListWidget *GetList() const { return m_list; }
    void accept() override;

  private:
    QLocale m_locale;
    QListWidget *m_list = nullptr;
    QString m_result;
};
