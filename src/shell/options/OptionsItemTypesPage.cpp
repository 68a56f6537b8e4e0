// The Item Types page.
#include "shell/options/OptionsItemTypesPage.h"

#include "core/document/CalendarDocument.h"
#include "core/system/Messages.h"
#include "editing/base/SectionHeading.h"
#include "shell/options/ItemTypeListDelegate.h"
#include "toolkit/drawing/ImagePixelsQt.h"
#include "toolkit/style/MenuLook.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

ImagePixels DefaultIcon(int size)
{
    const QPixmap &icon = CMenuLook::Instance().GetDefaultIcon(size);
    if (icon.isNull())
        return ImagePixels(std::size_t(size * size), 0);
    return PixelsFromImage(icon.toImage(), size, size);
}

} // namespace

COptionsItemTypesPage::COptionsItemTypesPage(CCalendarDocument *document, int displayColors, QWidget *parent)
    : CPropertyPage(tr("Item Types"), parent)
{
    const bool open = document && document->IsOpen();
    m_model.Load(open ? &document->GetItemTypes() : nullptr, open && document->IsReadOnly(), displayColors);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(6);
    auto *heading = CSectionHeading::Create(tr("Appearance of existing &item types"), this);
    column->addWidget(heading);

    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    auto *listColumn = new QVBoxLayout;
    m_list = new QListWidget(this);
    heading->setBuddy(m_list);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setItemDelegate(new CItemTypeListDelegate(m_model, m_list));
    m_list->setUniformItemSizes(true);
    m_list->setMinimumSize(260, 200);
    listColumn->addWidget(m_list, 1);
    m_gradient = new QCheckBox(tr("Gradient background"), this);
    listColumn->addWidget(m_gradient);
    row->addLayout(listColumn, 1);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    m_create = new QPushButton(tr("&Create..."), this);
    m_edit = new QPushButton(tr("&Edit..."), this);
    m_delete = new QPushButton(tr("&Delete"), this);
    m_restore = new QPushButton(tr("Re&store"), this);
    m_defaultEvent = new QPushButton(tr("Default E&vent"), this);
    m_defaultTask = new QPushButton(tr("Default &Task"), this);
    for (QPushButton *button : {m_create, m_edit, m_delete, m_restore}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addSpacing(12);
    for (QPushButton *button : {m_defaultEvent, m_defaultTask}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    row->addLayout(buttons);
    column->addLayout(row, 1);

    m_details = new QWidget(this);
    auto *details = new QGridLayout(m_details);
    details->setContentsMargins(0, 6, 0, 0);
    details->setHorizontalSpacing(8);
    details->addWidget(CSectionHeading::Create(tr("Details"), m_details), 0, 0, 1, 3);
    m_lead = new QLabel(m_details);
    m_noWindowAfter = new QLabel(tr("Don't show the reminder when the event time is over"), m_details);
    m_sound = new QLabel(m_details);
    m_sound->setTextInteractionFlags(Qt::NoTextInteraction);
    m_busyDays = new QLabel(tr("Show as bolded in Date Navigator"), m_details);
    m_synchronise = new QLabel(tr("Synchronize with handheld"), m_details);
    details->addWidget(m_lead, 1, 0, 1, 3);
    details->addWidget(m_noWindowAfter, 2, 0, 1, 3);
    details->addWidget(new QLabel(tr("Sound:"), m_details), 3, 0);
    details->addWidget(m_sound, 3, 1, 1, 2);
    details->addWidget(m_busyDays, 4, 0, 1, 3);
    details->addWidget(m_synchronise, 5, 0, 1, 3);
    details->setColumnStretch(2, 1);
    column->addWidget(m_details);
    m_details->setVisible(m_model.HasFile());

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling)
            return;
        m_model.Select(row);
        ShowDetails();
        UpdateButtons();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (!m_model.IsEditable())
            return;
        if (m_model.GetSelection() < 0)
            OnCreate();
        else
            OnEdit();
    });
    connect(m_create, &QPushButton::clicked, this, &COptionsItemTypesPage::OnCreate);
    connect(m_edit, &QPushButton::clicked, this, &COptionsItemTypesPage::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &COptionsItemTypesPage::OnDelete);
    connect(m_restore, &QPushButton::clicked, this, &COptionsItemTypesPage::OnRestore);
    connect(m_defaultEvent, &QPushButton::clicked, this, &COptionsItemTypesPage::OnDefaultEvent);
    connect(m_defaultTask, &QPushButton::clicked, this, &COptionsItemTypesPage::OnDefaultTask);
    connect(m_gradient, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetGradient(on);
        m_list->viewport()->update();
    });

    m_gradient->setChecked(m_model.IsGradientOn());
    m_gradient->setEnabled(m_model.IsGradientEnabled());
    Fill();
}

void COptionsItemTypesPage::SetEditor(ItemTypeEditorPort editor)
{
    m_editor = std::move(editor);
    UpdateButtons();
}

void COptionsItemTypesPage::OnSetActive()
{
    CPropertyPage::OnSetActive();
    if (m_model.IsEditable() && m_model.GetCount() == 0)
        m_create->setFocus();
    else
        m_list->setFocus();
}

void COptionsItemTypesPage::Fill()
{
    m_filling = true;
    m_list->clear();
    for (int p = 0; p < m_model.GetCount(); ++p)
        m_list->addItem(m_model.GetTypeAt(p)->GetName());
    m_list->setCurrentRow(m_model.GetSelection());
    if (m_model.GetSelection() >= 0)
        m_list->scrollToItem(m_list->item(m_model.GetSelection()));
    m_filling = false;
    ShowDetails();
    UpdateButtons();
}

void COptionsItemTypesPage::UpdateButtons()
{
    const bool change = m_model.CanChange();
    m_create->setEnabled(m_model.CanCreate() && m_editor != nullptr);
    m_edit->setEnabled(change && m_editor != nullptr);
    m_delete->setEnabled(change);
    m_defaultEvent->setEnabled(change);
    m_defaultTask->setEnabled(change);
    m_restore->setEnabled(m_model.CanRestore());
}

void COptionsItemTypesPage::ShowDetails()
{
    const auto details = m_model.GetDetails(m_model.GetSelection());
    m_lead->setText(details.lead);
    m_sound->setText(details.sound);
    m_noWindowAfter->setEnabled(details.noWindowAfterTime);
    m_busyDays->setEnabled(details.busyDays);
    m_synchronise->setEnabled(details.synchronise);
}

void COptionsItemTypesPage::OnCreate()
{
    if (!m_editor || !m_model.CanCreate())
        return;
    ItemTypeEditRequest request = m_model.MakeCreateRequest(DefaultIcon(32), DefaultIcon(16));
    if (!m_editor(this, request, m_model.GetTypes()))
        return;
    if (!m_model.AddFromEditor(request)) {
        ReportError(E_OUT_OF_MEMORY, this);
        return;
    }
    Fill();
    m_list->setFocus();
}

void COptionsItemTypesPage::OnEdit()
{
    ItemTypeEditRequest request;
    if (!m_editor || !m_model.CanChange() || !m_model.MakeEditRequest(m_model.GetSelection(), request))
        return;
    if (!m_editor(this, request, m_model.GetTypes()))
        return;
    if (!m_model.ReplaceFromEditor(request))
        ReportError(E_OUT_OF_MEMORY, this);
    Fill();
    m_list->setFocus();
}

void COptionsItemTypesPage::OnDelete()
{
    if (!m_model.CanChange())
        return;
    if (ShowMessageBox(
            this, true,
            tr("Are you sure you want to delete the item type?\nThe items of this type will be viewed as "
               "undefined."),
            MessageIcon::Warning, MessageButtons::YesNo) != MessageResult::Yes)
        return;
    m_model.Delete(m_model.GetSelection());
    Fill();
    if (m_model.GetCount() == 0)
        m_create->setFocus();
    else
        m_list->setFocus();
}

void COptionsItemTypesPage::OnRestore()
{
    if (!m_model.CanRestore())
        return;
    if (ShowMessageBox(
            this, true,
            tr("The deleted predefined types will be restored.\nThe custom and modified types will be "
               "kept."),
            MessageIcon::Warning, MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    if (m_model.Restore() > 0)
        Fill();
}

void COptionsItemTypesPage::OnDefaultEvent()
{
    m_model.SetDefaultEvent(m_model.GetSelection());
    m_list->viewport()->update();
}

void COptionsItemTypesPage::OnDefaultTask()
{
    m_model.SetDefaultTask(m_model.GetSelection());
    m_list->viewport()->update();
}
