// The Edit Filter dialog.
#include "editing/filters/FilterEditDlg.h"

#include "core/lists/ItemFilter.h"
#include "core/system/Messages.h"
#include "editing/base/DialogSupport.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QGroupBox *ChoiceGroup(QWidget *parent, const QString &title, const QString (&texts)[3], QButtonGroup *&group,
                       QListWidget *&list, const char *name)
{
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(texts[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    list = new QListWidget(box);
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumHeight(110);
    layout->addWidget(list, 1);
    return box;
}

} // namespace

CFilterEditDlg::CFilterEditDlg(CItemFilter &filter, int index, const QStringList &workingNames,
                               const QStringList &typeNames, const QStringList &categoryNames,
                               QWidget *parent)
    : QDialog(parent), m_filter(filter), m_index(index), m_workingNames(workingNames), m_typeNames(typeNames),
      m_categoryNames(categoryNames)
{
    setWindowTitle(index < 0 ? QString::fromUtf8(kNewFilterTitle) : tr("Edit Filter"));
    setObjectName(QStringLiteral("FilterEditDlg"));
    m_state = MakeFilterEditState(filter, typeNames, categoryNames);

    m_name = new QLineEdit(filter.GetName(), this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(63);
    auto *nameLabel = new QLabel(tr("&Filter name:"), this);
    nameLabel->setBuddy(m_name);

    const QString typeTexts[3] = {tr("&All"), tr("&Selected only"), tr("All &but selected")};
    const QString categoryTexts[3] = {tr("A&ll"), tr("S&elected only"), tr("All b&ut selected")};
    auto *typeBox = ChoiceGroup(this, tr("Include item types"), typeTexts, m_typeChoice, m_types, "types");
    auto *categoryBox = ChoiceGroup(this, tr("Include categories"), categoryTexts, m_categoryChoice,
                                    m_categories, "categories");

    auto *conditionBox = new QGroupBox(tr("Condition"), this);
    auto *conditionLayout = new QHBoxLayout(conditionBox);
    m_condition = new QButtonGroup(conditionBox);
    auto *andRadio = new QRadioButton(tr("A&ND"), conditionBox);
    auto *orRadio = new QRadioButton(tr("&OR"), conditionBox);
    m_condition->addButton(andRadio, 0);
    m_condition->addButton(orRadio, 1);
    conditionLayout->addWidget(andRadio);
    conditionLayout->addWidget(orRadio);
    conditionLayout->addStretch();
    (m_state.useOr ? orRadio : andRadio)->setChecked(true);

    auto *layout = new QVBoxLayout(this);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_name, 1);
    layout->addLayout(nameRow);
    auto *groups = new QHBoxLayout;
    groups->addWidget(typeBox);
    groups->addWidget(categoryBox);
    layout->addLayout(groups, 1);
    layout->addWidget(conditionBox);
    layout->addWidget(MakeOkCancel(this));

    connect(m_typeChoice, &QButtonGroup::idClicked, this, [this](int id) { ChooseTypes(FilterChoice(id)); });
    connect(m_categoryChoice, &QButtonGroup::idClicked, this,
            [this](int id) { ChooseCategories(FilterChoice(id)); });
    connect(m_types, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem *item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });

    m_typeChoice->button(int(m_state.typeChoice))->setChecked(true);
    m_categoryChoice->button(int(m_state.categoryChoice))->setChecked(true);
    ShowGroup(m_types, m_state.typeChoice, m_state.checkedTypes, m_state.undefinedTypeChecked);
    ShowGroup(m_categories, m_state.categoryChoice, m_state.checkedCategories, m_state.noCategoriesChecked);
    resize(520, 400);
    ApplyReadingOrder(this);
}

void CFilterEditDlg::ShowGroup(QListWidget *list, FilterChoice choice, const QStringList &checked,
                               bool extraChecked)
{
    const bool types = list == m_types;
    const QStringList &names = types ? m_typeNames : m_categoryNames;
    list->clear();
    for (const QString &name : names) {
        auto *item = new QListWidgetItem(name, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(choice == FilterChoice::All                   ? Qt::PartiallyChecked
                            : checked.contains(name, Qt::CaseInsensitive) ? Qt::Checked
                                                                          : Qt::Unchecked);
    }
    auto *extra = new QListWidgetItem(QString::fromUtf8(types ? kUndefinedTypeRow : kNoCategoriesRow), list);
    extra->setFlags(extra->flags() | Qt::ItemIsUserCheckable);
    extra->setCheckState(choice == FilterChoice::All ? Qt::PartiallyChecked
                         : extraChecked              ? Qt::Checked
                                                     : Qt::Unchecked);
    list->setEnabled(choice != FilterChoice::All);
}

void CFilterEditDlg::ChooseTypes(FilterChoice choice)
{
    m_typeChoice->button(int(choice))->setChecked(true);
    m_state.ChooseTypes(choice);
    ShowGroup(m_types, choice, {}, false);
}

void CFilterEditDlg::ChooseCategories(FilterChoice choice)
{
    m_categoryChoice->button(int(choice))->setChecked(true);
    m_state.ChooseCategories(choice);
    ShowGroup(m_categories, choice, {}, false);
}

FilterEditState CFilterEditDlg::Gather() const
{
    FilterEditState state;
    state.name = m_name->text();
    state.typeChoice = FilterChoice(m_typeChoice->checkedId());
    state.categoryChoice = FilterChoice(m_categoryChoice->checkedId());
    state.useOr = m_condition->checkedId() == 1;
    auto collect = [](const QListWidget *list, FilterChoice choice, QStringList &names, bool &extra) {
        if (choice == FilterChoice::All)
            return;
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->checkState() != Qt::Checked)
                continue;
            if (i == list->count() - 1)
                extra = true;
            else
                names.append(list->item(i)->text());
        }
    };
    collect(m_types, state.typeChoice, state.checkedTypes, state.undefinedTypeChecked);
    collect(m_categories, state.categoryChoice, state.checkedCategories, state.noCategoriesChecked);
    return state;
}

void CFilterEditDlg::accept()
{
    const FilterEditState state = Gather();
    const FilterEditCheck check = CheckFilterEdit(state, m_workingNames, m_index);
    if (check.error != FilterEditError::None) {
        ShowWarningText(check.message, this);
        switch (check.focus) {
        case FilterEditField::Name:
            m_name->setFocus();
            break;
        case FilterEditField::TypeList:
            m_types->setFocus();
            break;
        case FilterEditField::CategoryList:
            m_categories->setFocus();
            break;
        case FilterEditField::None:
            break;
        }
        return;
    }
    ApplyFilterEdit(state, m_filter);
    QDialog::accept();
}
