// The Properties window.
#include "editing/properties/PropertiesDlg.h"

#include "core/dates/DateRules.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "editing/base/DialogSupport.h"
#include "editing/properties/PropertiesModel.h"
#include "editing/types/IconSource.h"
#include "toolkit/drawing/ImagePixelsQt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel *Value(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

// The item type's small icon beside the subject.
QLabel *TypeIcon(const QString &typeName, QWidget *parent)
{
    auto *icon = new QLabel(parent);
    icon->setObjectName(QStringLiteral("typeIcon"));
    icon->setFixedSize(CIconSource::kSmall + 4, CIconSource::kSmall + 4);
    const auto *list = dynamic_cast<const CItemTypeList *>(GetItemTypeCatalog());
    if (list) {
        ImagePixels large, small;
        const int index = list->FindType(typeName);
        if (index >= 0 && list->GetTypeIcons(index, large, small))
            icon->setPixmap(PixmapFromPixels(small, list->GetSmallImages().GetImageWidth(),
                                             list->GetSmallImages().GetImageHeight()));
    }
    return icon;
}

QWidget *SubjectRow(const QString &typeName, const QString &subject, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TypeIcon(typeName, row));
    auto *text = Value(subject, row);
    text->setObjectName(QStringLiteral("subject"));
    QFont bold = text->font();
    bold.setBold(true);
    text->setFont(bold);
    layout->addWidget(text, 1);
    return row;
}

} // namespace

CPropertiesDlg::CPropertiesDlg(std::unique_ptr<CItemRef> holder, QWidget *parent)
    : CDialogEx(parent), m_holder(std::move(holder))
{
    setObjectName(QStringLiteral("PropertiesDlg"));
    ApplyReadingOrder(this);
    const CPropertiesModel model(*m_holder);
    setWindowTitle(model.GetTitle());
    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages);
    if (model.HasEventGeneral())
        m_pages->addTab(BuildEventGeneral(), tr("General"));
    if (model.HasExceptions())
        m_pages->addTab(BuildExceptions(), tr("Exceptions"));
    if (model.HasTaskGeneral())
        m_pages->addTab(BuildTaskGeneral(), tr("General"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropertiesDlg::reject);
    layout->addWidget(buttons);
    resize(360, 380);
}

CPropertiesDlg::~CPropertiesDlg() = default;

QWidget *CPropertiesDlg::BuildEventGeneral()
{
    const CPropertiesModel model(*m_holder);
    const EventProperties p = model.GetEventProperties(GetNow());
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->addRow(SubjectRow(model.GetItemTypeName(), p.subject, page));
    form->addRow(tr("Created:"), Value(p.created, page));
    form->addRow(tr("Modified:"), Value(p.modified, page));
    form->addRow(tr("Start:"), Value(p.start, page));
    form->addRow(tr("Duration:"), Value(p.duration, page));
    form->addRow(tr("Previous reminder:"), Value(p.previousReminder, page));
    form->addRow(tr("Next reminder:"), Value(p.nextReminder, page));
    if (!p.recurrence.isEmpty()) {
        auto *recurrence = Value(p.recurrence, page);
        recurrence->setObjectName(QStringLiteral("recurrence"));
        form->addRow(tr("Recurrence:"), recurrence);
    }
    return page;
}

QWidget *CPropertiesDlg::BuildTaskGeneral()
{
    const CPropertiesModel model(*m_holder);
    const TaskProperties p = model.GetTaskProperties();
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->addRow(SubjectRow(model.GetItemTypeName(), p.subject, page));
    form->addRow(tr("Created:"), Value(p.created, page));
    form->addRow(tr("Modified:"), Value(p.modified, page));
    form->addRow(tr("Due date:"), Value(p.due, page));
    form->addRow(tr("Start date:"), Value(p.start, page));
    form->addRow(tr("Reminder:"), Value(p.reminder, page));
    form->addRow(tr("Status:"), Value(p.status, page));
    form->addRow(tr("% Complete:"), Value(p.percent, page));
    form->addRow(tr("Date completed:"), Value(p.completed, page));
    form->addRow(tr("Categories:"), Value(p.categories, page));
    form->addRow(tr("Priority:"), Value(p.priority, page));
    return page;
}

QWidget *CPropertiesDlg::BuildExceptions()
{
    const CPropertiesModel model(*m_holder);
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    m_exceptions = new QTreeWidget(page);
    m_exceptions->setObjectName(QStringLiteral("exceptions"));
    m_exceptions->setRootIsDecorated(false);
    m_exceptions->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_exceptions->setHeaderLabels({tr("Date"), tr("Status/New Date")});
    m_exceptions->header()->resizeSection(0, 140);
    m_exceptions->header()->resizeSection(1, 140);
    for (const ExceptionRow &row : model.GetExceptionRows()) {
        auto *item = new QTreeWidgetItem(m_exceptions, {row.date, row.status});
        item->setData(0, Qt::UserRole, row.index);
    }
    layout->addWidget(m_exceptions);
    return page;
}

int ShowPropertiesDialog(std::unique_ptr<CItemRef> holder, QWidget *parent)
{
    if (!holder || !holder->GetItem())
        return 0;
    if (parent) {
        CPropertiesDlg dialog(std::move(holder), parent);
        return dialog.RunModal(true);
    }
    auto *dialog = new CPropertiesDlg(std::move(holder), nullptr);
    dialog->CreateModeless();
    return 0;
}
