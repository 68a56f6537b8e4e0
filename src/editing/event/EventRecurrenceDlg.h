// CEventRecurrenceDlg: the Event Recurrence dialog, a window over CEventRecurrenceModel: the
// event time, the Daily, Weekly, Monthly and Yearly pages and the range of the recurrence.
#pragma once

#include "editing/base/RecurrenceFields.h"
#include "editing/event/EventRecurrenceModel.h"

#include <QDialog>
#include <array>

class CEventItem;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

class CEventRecurrenceDlg : public QDialog
{
    Q_OBJECT
  public:
    CEventRecurrenceDlg(CEventItem &event, bool readOnly, QWidget *parent = nullptr);

    CEventRecurrenceModel &GetModel() { return m_model; }
    // Shows the page of a period (0x100 daily .. 0x800 yearly), as choosing its radio does.
    void ShowPeriod(std::uint32_t period);
    void accept() override;

  private:
    QWidget *BuildTimeGroup();
    QWidget *BuildPatternGroup();
    QWidget *BuildRangeGroup();
    void Load();
    void Gather();
    void FocusField(RecurrenceField field);

    CEventRecurrenceModel m_model;
    QWidget *m_startTime = nullptr;
    QWidget *m_endTime = nullptr;
    QComboBox *m_duration = nullptr;
    RecurrenceFields::PeriodRadios m_periods{};
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_dailyEvery = nullptr;
    QLineEdit *m_weeklyEvery = nullptr;
    RecurrenceFields::WeekdayBoxes m_weekdays{}; // in the locale's week order
    RecurrenceFields::BoxWeekdays m_weekdayOfBox{};
    QRadioButton *m_monthlyDayRadio = nullptr;
    QRadioButton *m_monthlyNthRadio = nullptr;
    QLineEdit *m_monthlyDay = nullptr;
    QLineEdit *m_monthlyDayEvery = nullptr;
    QComboBox *m_monthlyWeek = nullptr;
    QComboBox *m_monthlyWeekday = nullptr;
    QLineEdit *m_monthlyNthEvery = nullptr;
    QRadioButton *m_yearlyDateRadio = nullptr;
    QRadioButton *m_yearlyNthRadio = nullptr;
    QComboBox *m_yearlyMonth = nullptr;
    QLineEdit *m_yearlyDay = nullptr;
    QComboBox *m_yearlyWeek = nullptr;
    QComboBox *m_yearlyWeekday = nullptr;
    QComboBox *m_yearlyNthMonth = nullptr;
    QCheckBox *m_calculateAge = nullptr;
    RecurrenceFields::RangeFields m_range;
};
