// CRecurrencePromptDlg: asks whether an action on one occurrence of a recurring event or task
// concerns only that occurrence (choice 0) or the whole series (choice 1).
#pragma once

#include <QDialog>

class QRadioButton;

class CRecurrencePromptDlg : public QDialog
{
    Q_OBJECT
  public:
    // kind 1 event, 2 task; mode 1 delete, else modify.
    CRecurrencePromptDlg(int kind, int mode, const QString &subject, QWidget *parent = nullptr);

    // 0 only this occurrence, 1 the series; read after OK.
    int GetChoice() const { return m_choice; }
    void SetChoice(int choice);

    void accept() override;

  private:
    int m_choice = 0;
    QRadioButton *m_occurrence = nullptr;
    QRadioButton *m_series = nullptr;
};
