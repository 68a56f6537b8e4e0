// CEventPreviewBar: the preview pane's bar for an event or one occurrence of a series: subject,
// location, item type, start and end, duration, reminder, notes and categories.
#pragma once

#include "containers/preview/PreviewBar.h"

class CEventPreviewBar : public CPreviewBar
{
  public:
    static constexpr int kBarId = 59400;
    static constexpr int kLocationId = 1320;
    static constexpr int kStartDateId = 1383;
    static constexpr int kStartTimeId = 1327;
    static constexpr int kEndDateId = 1384;
    static constexpr int kEndTimeId = 1328;
    static constexpr int kDurationId = 1324;

    explicit CEventPreviewBar(QWidget *parent);
    void Fill(const EventPreviewFields &fields);
};
