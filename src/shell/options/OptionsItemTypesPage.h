// COptionsItemTypesPage: the item types of the open data file: create and edit them in the
// item-type editor, delete, restore the predefined ones, pick the default event and task types.
#pragma once

#include "shell/PropertyPage.h"
#include "shell/options/ItemTypeEditorPort.h"
#include "shell/options/OptionsItemTypesModel.h"

class CCalendarDocument;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

class COptionsItemTypesPage : public CPropertyPage
{
    Q_OBJECT
  public:
    // A null document, or one without an open file, shows an empty list and no details.
    COptionsItemTypesPage(CCalendarDocument *document, int displayColors, QWidget *parent = nullptr);

    // Without an editor, Create and Edit stay disabled.
    void SetEditor(ItemTypeEditorPort editor);
    COptionsItemTypesModel &Model() { return m_model; }

    void OnSetActive() override;

    void OnCreate();
    void OnEdit();
    void OnDelete();
    void OnRestore();
    void OnDefaultEvent();
    void OnDefaultTask();

    QListWidget *List() const { return m_list; }
    QPushButton *CreateButton() const { return m_create; }
    QPushButton *EditButton() const { return m_edit; }
    QPushButton *DeleteButton() const { return m_delete; }
    QPushButton *RestoreButton() const { return m_restore; }
    QCheckBox *GradientBox() const { return m_gradient; }
    QLabel *LeadLabel() const { return m_lead; }
    QLabel *SoundLabel() const { return m_sound; }

  private:
    void Fill();
    void UpdateButtons();
    void ShowDetails();

    COptionsItemTypesModel m_model;
    ItemTypeEditorPort m_editor;
    QListWidget *m_list = nullptr;
    QPushButton *m_create = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_defaultEvent = nullptr;
    QPushButton *m_defaultTask = nullptr;
    QCheckBox *m_gradient = nullptr;
    QWidget *m_details = nullptr;
    QLabel *m_lead = nullptr;
    QLabel *m_noWindowAfter = nullptr;
    QLabel *m_sound = nullptr;
    QLabel *m_busyDays = nullptr;
    QLabel *m_synchronise = nullptr;
    bool m_filling = false;
};
