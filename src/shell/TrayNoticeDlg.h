// CTrayNoticeDlg: tells the person, once the main window has closed, that the program goes on
// in the notification area and how to end it; "Don't show me this message again" writes
// "Common"/"X" = 0.
#pragma once

#include <QDialog>

class QCheckBox;

class CTrayNoticeDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit CTrayNoticeDlg(QWidget *parent = nullptr);
    QCheckBox *DontShowBox() const { return m_dontShow; }

    // Whether closing the main window shows the notice ("Common"/"X", default 1).
    static bool IsWanted();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void OnOk();

    QCheckBox *m_dontShow = nullptr;
};
