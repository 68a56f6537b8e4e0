// CTaskRecurrenceDlg: "Task Recurrence": the Daily, Weekly, Monthly and Yearly patterns of a task,
// each with its "Regenerate new task" row, and the range. A window over CTaskRecurrenceModel that
// writes the pattern straight into the task on OK.
#pragma once

#include "editing/base/RecurrenceFields.h"
#include "editing/task/TaskRecurrenceModel.h"

#include <QDialog>
#include <array>

class CTaskItem;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

class CTaskRecurrenceDlg : public QDialog
{
    Q_OBJECT
  public:
    CTaskRecurrenceDlg(CTaskItem &task, bool readOnly, QWidget *parent = nullptr);

    CTaskRecurrenceModel &GetModel() { return m_model; }
    // Whether OK or Remove recurrence changed the task's pattern.
    bool IsChanged() const { return m_model.IsChanged(); }
    void ShowPeriod(std::uint32_t period);
    void accept() override;

  private:
    QWidget *BuildPatternGroup();
    QWidget *BuildRangeGroup();
    QWidget *RegenerateRow(QWidget *parent, QRadioButton *&radio, QLineEdit *&count, const char *name,
                           const QString &unit);
    void Load();
    void Gather();
    void FocusField(TaskRecurrenceField field);

    CTaskRecurrenceModel m_model;
    RecurrenceFields::PeriodRadios m_periods{};
    QStackedWidget *m_pages = nullptr;
    QRadioButton *m_dailyEveryRadio = nullptr;
    QLineEdit *m_dailyEvery = nullptr;
    QRadioButton *m_dailyRegenerateRadio = nullptr;
    QLineEdit *m_dailyRegenerate = nullptr;
    QRadioButton *m_weeklyEveryRadio = nullptr;
    QLineEdit *m_weeklyEvery = nullptr;
    RecurrenceFields::WeekdayBoxes m_weekdays{}; // in the locale's week order
    RecurrenceFields::BoxWeekdays m_weekdayOfBox{};
    QRadioButton *m_weeklyRegenerateRadio = nullptr;
    QLineEdit *m_weeklyRegenerate = nullptr;
    QRadioButton *m_monthlyDayRadio = nullptr;
    QLineEdit *m_monthlyDay = nullptr;
    QLineEdit *m_monthlyDayEvery = nullptr;
    QRadioButton *m_monthlyNthRadio = nullptr;
    QComboBox *m_monthlyWeek = nullptr;
    QComboBox *m_monthlyWeekday = nullptr;
    QLineEdit *m_monthlyNthEvery = nullptr;
    QRadioButton *m_monthlyRegenerateRadio = nullptr;
    QLineEdit *m_monthlyRegenerate = nullptr;
    QRadioButton *m_yearlyDateRadio = nullptr;
    QComboBox *m_yearlyMonth = nullptr;
    QLineEdit *m_yearlyDay = nullptr;
    QRadioButton *m_yearlyNthRadio = nullptr;
    QComboBox *m_yearlyWeek = nullptr;
    QComboBox *m_yearlyWeekday = nullptr;
    QComboBox *m_yearlyNthMonth = nullptr;
    QRadioButton *m_yearlyRegenerateRadio = nullptr;
    QLineEdit *m_yearlyRegenerate = nullptr;
    RecurrenceFields::RangeFields m_range;
};
