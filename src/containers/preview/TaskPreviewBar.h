// CTaskPreviewBar: the preview pane's bar for a task: subject, priority, item type, due date,
// completion, status, percent complete, reminder, notes and categories.
#pragma once

#include "containers/preview/PreviewBar.h"

class CTaskPreviewBar : public CPreviewBar
{
  public:
    static constexpr int kBarId = 59401;
    static constexpr int kPriorityId = 1385;
    static constexpr int kDueDateId = 1386;
    static constexpr int kStatusId = 1387;
    static constexpr int kPercentId = 1388;
    static constexpr int kCompletedId = 1390;

    explicit CTaskPreviewBar(QWidget *parent);
    void Fill(const TaskPreviewFields &fields);
};
