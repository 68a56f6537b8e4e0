// The event bar of the preview pane.
#include "containers/preview/EventPreviewBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CEventPreviewBar::CEventPreviewBar(QWidget *parent) : CPreviewBar(parent)
{
    setObjectName(QStringLiteral("EventPreviewBar"));
    QGridLayout *grid = Grid();
    grid->addWidget(AddLabel(tr("Location:")), 2, 0);
    grid->addWidget(AddField(kLocationId), 2, 1, 1, 5);
    grid->addWidget(AddLabel(tr("Start time:")), 3, 0);
    grid->addWidget(AddField(kStartDateId), 3, 1);
    grid->addWidget(AddField(kStartTimeId), 3, 2);
    grid->addWidget(AddLabel(tr("Duration:")), 3, 3);
    grid->addWidget(AddField(kDurationId), 3, 4, 1, 2);
    grid->addWidget(AddLabel(tr("End time:")), 4, 0);
    grid->addWidget(AddField(kEndDateId), 4, 1);
    grid->addWidget(AddField(kEndTimeId), 4, 2);
    grid->addWidget(AddLabel(tr("Reminder:")), 4, 3);
    grid->addWidget(AddField(kReminderId), 4, 4, 1, 2);
    for (int id : {kStartDateId, kEndDateId})
        Field(id)->setMaximumWidth(Field(id)->fontMetrics().horizontalAdvance(QStringLiteral("Wednesday, 00/00/0000")) + 16);
    for (int id : {kStartTimeId, kEndTimeId})
        Field(id)->setMaximumWidth(Field(id)->fontMetrics().horizontalAdvance(QStringLiteral("00:00 PM")) + 24);
    FinishLayout(2, 3);
}

void CEventPreviewBar::Fill(const EventPreviewFields &f)
{
    SetCommon(f.icon, f.itemType, f.subject, f.notes, f.categories);
    const std::pair<int, QString> values[] = {
        {kLocationId, f.location}, {kStartDateId, f.startDate}, {kStartTimeId, f.startTime},
        {kEndDateId, f.endDate},   {kEndTimeId, f.endTime},     {kDurationId, f.duration},
        {kReminderId, f.reminder},
    };
    for (const auto &[id, text] : values) {
        QLineEdit *field = Field(id);
        field->setText(text);
        field->setCursorPosition(0);
    }
}
