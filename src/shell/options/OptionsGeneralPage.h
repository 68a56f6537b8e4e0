// COptionsGeneralPage: the work week and hours, the week rules, the start-up choices and the
// hot keys, shown over a COptionsGeneralModel.
#pragma once

#include "shell/PropertyPage.h"
#include "shell/options/OptionsGeneralModel.h"

#include <array>

class CHotKeyEdit;
class CTimeComboBox;
class QCheckBox;
class QComboBox;

class COptionsGeneralPage : public CPropertyPage
{
    Q_OBJECT
  public:
    COptionsGeneralPage(const AppSettings &live, const QString &programPath, QWidget *parent = nullptr);

    COptionsGeneralModel &Model() { return m_model; }
    void OnSetActive() override;
    // Reads the fields into the model; a time that does not read or an end before the start
    // keeps the page.
    bool OnKillActive() override;
    // Shows the start-up box as the model holds it (a failed apply unchecks it).
    void UpdateStartupBox();

    std::array<QCheckBox *, 7> DayBoxes() const { return m_days; }
    QComboBox *FirstDayCombo() const { return m_firstDay; }
    QComboBox *WeekRuleCombo() const { return m_weekRule; }
    CTimeComboBox *StartTime() const { return m_start; }
    CTimeComboBox *EndTime() const { return m_end; }
    QCheckBox *LoadOnStartup() const { return m_loadOnStartup; }
    std::array<CHotKeyEdit *, 5> HotKeyEdits() const { return m_hotKeys; }

  private:
    void LabelDays();
    std::array<bool, 7> ReadBoxes() const;
    void OnFirstDayChanged(int index);

    COptionsGeneralModel m_model;
    std::array<QCheckBox *, 7> m_days{};
    QComboBox *m_firstDay = nullptr;
    QComboBox *m_weekRule = nullptr;
    CTimeComboBox *m_start = nullptr;
    CTimeComboBox *m_end = nullptr;
    QCheckBox *m_loadOnStartup = nullptr;
    QComboBox *m_startupView = nullptr;
    QCheckBox *m_showMainWindow = nullptr;
    std::array<CHotKeyEdit *, 5> m_hotKeys{};
    bool m_filling = false;
};
