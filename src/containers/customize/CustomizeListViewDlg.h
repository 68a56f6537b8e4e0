// CCustomizeListViewDlg: the font, background, selection and colours of the Event List, Search
// Results, Tasks and TaskPad lists, and the way to the Field Chooser.
#pragma once

#include "containers/customize/ListViewSettings.h"

#include <QDialog>
#include <functional>

class CColorComboBox;
class CFontSampleRow;
class QCheckBox;
class QPushButton;

class CCustomizeListViewDlg : public QDialog
{
  public:
    // Runs the Field Chooser for the list view and hands the chosen order back to it.
    using FieldChooser = std::function<void(QWidget *parent)>;

    // The section by fixed name index: 39 "List", 40 "ListF", 41 "Tasks", 42 "TaskPad" (any
    // other is taken as "List").
    CCustomizeListViewDlg(int sectionIndex, FieldChooser chooseFields, QWidget *parent = nullptr);

    CListViewSettings &Settings() { return m_settings; }
    void accept() override;

    QCheckBox *StandardSelection() const { return m_standardSelection; }
    QCheckBox *ItemTypeColors() const { return m_itemTypeColors; }
    QCheckBox *RememberFilter() const { return m_rememberFilter; }
    QCheckBox *UseFilters() const { return m_useFilters; }
    QPushButton *FieldsButton() const { return m_fields; }

  private:
    static CListViewSettings::Kind KindOf(int sectionIndex);

    CListViewSettings m_settings;
    FieldChooser m_chooseFields;
    CFontSampleRow *m_fontRow = nullptr;
    CColorComboBox *m_background = nullptr;
    QCheckBox *m_standardSelection = nullptr;
    QCheckBox *m_itemTypeColors = nullptr;
    QCheckBox *m_rememberFilter = nullptr;
    QCheckBox *m_useFilters = nullptr;
    QPushButton *m_fields = nullptr;
};
