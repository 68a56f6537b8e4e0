// CCustomizeDateNavigatorDlg: the Date Navigator's font, week numbers and the colour of days
// with events ("Calendar"). When something changed on OK the main base window fits its Date
// Navigator bar again.
#pragma once

#include "containers/customize/DateNavigatorSettings.h"

#include <QDialog>

class CColorButton;
class CFontSampleRow;
class QCheckBox;

class CCustomizeDateNavigatorDlg : public QDialog
{
  public:
    explicit CCustomizeDateNavigatorDlg(QWidget *parent = nullptr);

    bool IsChanged() const { return m_changed; }
    CDateNavigatorSettings &Settings() { return m_settings; }
    void accept() override;

    QCheckBox *WeekNumbers() const { return m_weekNumbers; }
    QCheckBox *BusyDefault() const { return m_busyDefault; }
    QCheckBox *UseFilters() const { return m_useFilters; }
    QCheckBox *ItemTypeColors() const { return m_itemTypeColors; }
    CColorButton *BusyColor() const { return m_busyColor; }
    CFontSampleRow *FontRow() const { return m_fontRow; }

  private:
    void UpdateEnabling();

    CDateNavigatorSettings m_settings;
    bool m_changed = false;
    CFontSampleRow *m_fontRow = nullptr;
    QCheckBox *m_weekNumbers = nullptr;
    QCheckBox *m_busyDefault = nullptr;
    QCheckBox *m_useFilters = nullptr;
    QCheckBox *m_itemTypeColors = nullptr;
    CColorButton *m_busyColor = nullptr;
};
