// CCustomizeCalendarViewDlg: "Customize Day View" (and Multi-day, Week, Month): the view's font,
// background, text mode, time scale or period, and which item details it shows. Reads the view's
// section when it opens, writes it on OK only; the caller reads the changed flag afterwards.
#pragma once

#include "containers/customize/CalendarViewSettings.h"

#include <QDialog>

class CColorComboBox;
class CFontSampleRow;
class QCheckBox;
class QComboBox;
class QPushButton;

class CCustomizeCalendarViewDlg : public QDialog
{
  public:
    // The section by fixed name index: 34 "Day", 35 "MDay", 36 "Week", 37 "Month" (any other
    // is taken as "Day").
    CCustomizeCalendarViewDlg(int sectionIndex, QWidget *parent = nullptr);

    bool IsChanged() const { return m_changed; }
    CCalendarViewSettings &Settings() { return m_settings; }
    void accept() override;

    // The controls, for tests.
    QComboBox *TextMode() const { return m_textMode; }
    QComboBox *TimeScale() const { return m_timeScale; }
    QComboBox *ShowAs() const { return m_showAs; }
    QComboBox *MonthShowAs() const { return m_monthShowAs; }
    QComboBox *Display() const { return m_display; }
    QCheckBox *Box(const char *value) const;
    CFontSampleRow *FontRow() const { return m_fontRow; }
    QPushButton *NavigatorButton() const { return m_navigatorButton; }

  private:
    static CCalendarViewSettings::Kind KindOf(int sectionIndex);
    QCheckBox *AddBox(const QString &text, const char *value);
    void ShowValues();
    void UpdateEnabling();
    void TakeValues();

    CCalendarViewSettings m_settings;
    bool m_changed = false;
    CFontSampleRow *m_fontRow = nullptr;
    CColorComboBox *m_background = nullptr;
    QComboBox *m_textMode = nullptr;
    QComboBox *m_timeScale = nullptr;
    QComboBox *m_showAs = nullptr;
    QComboBox *m_monthShowAs = nullptr;
    QComboBox *m_display = nullptr;
    QPushButton *m_navigatorButton = nullptr;
    std::vector<std::pair<QCheckBox *, const char *>> m_boxes;
};
