// The task bar of the preview pane.
#include "containers/preview/TaskPreviewBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CTaskPreviewBar::CTaskPreviewBar(QWidget *parent) : CPreviewBar(parent)
{
    setObjectName(QStringLiteral("TaskPreviewBar"));
    QGridLayout *grid = Grid();
    grid->addWidget(AddLabel(tr("Due date:")), 2, 0);
    grid->addWidget(AddField(kDueDateId), 2, 1, 1, 2);
    grid->addWidget(AddLabel(tr("Priority:")), 2, 3);
    grid->addWidget(AddField(kPriorityId), 2, 4, 1, 2);
    grid->addWidget(AddLabel(tr("Status:")), 3, 0);
    grid->addWidget(AddField(kStatusId), 3, 1, 1, 2);
    grid->addWidget(AddLabel(tr("% Complete:")), 3, 3);
    grid->addWidget(AddField(kPercentId), 3, 4, 1, 2);
    grid->addWidget(AddLabel(tr("Date completed:")), 4, 0);
    grid->addWidget(AddField(kCompletedId), 4, 1, 1, 2);
    grid->addWidget(AddLabel(tr("Reminder:")), 4, 3);
    grid->addWidget(AddField(kReminderId), 4, 4, 1, 2);
    FinishLayout(2, 3);
}

void CTaskPreviewBar::Fill(const TaskPreviewFields &f)
{
    SetCommon(f.icon, f.itemType, f.subject, f.notes, f.categories);
    const std::pair<int, QString> values[] = {
        {kDueDateId, f.dueDate}, {kPriorityId, f.priority},   {kStatusId, f.status},
        {kPercentId, f.percent}, {kCompletedId, f.completed}, {kReminderId, f.reminder},
    };
    for (const auto &[id, text] : values) {
        QLineEdit *field = Field(id);
        field->setText(text);
        field->setCursorPosition(0);
    }
}
