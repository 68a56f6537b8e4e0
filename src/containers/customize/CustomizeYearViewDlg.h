// CCustomizeYearViewDlg: the Year view's font, background, week numbers, autosizing and the
// colour of days with events ("Year").
#pragma once

#include "containers/customize/YearViewSettings.h"

#include <QDialog>

class CColorButton;
class CColorComboBox;
class CFontSampleRow;
class QCheckBox;

class CCustomizeYearViewDlg : public QDialog
{
  public:
    explicit CCustomizeYearViewDlg(QWidget *parent = nullptr);

    CYearViewSettings &Settings() { return m_settings; }
    void accept() override;

    QCheckBox *WeekNumbers() const { return m_weekNumbers; }
    QCheckBox *Autosizing() const { return m_autosizing; }
    CColorButton *BusyColor() const { return m_busyColor; }

  private:
    CYearViewSettings m_settings;
    CFontSampleRow *m_fontRow = nullptr;
    CColorComboBox *m_background = nullptr;
    QCheckBox *m_weekNumbers = nullptr;
    QCheckBox *m_autosizing = nullptr;
    QCheckBox *m_rememberFilter = nullptr;
    QCheckBox *m_itemTypeColors = nullptr;
    CColorButton *m_busyColor = nullptr;
};
