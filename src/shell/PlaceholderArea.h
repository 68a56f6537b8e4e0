// CPlaceholderArea: the client area until the main base window arrives: the calendar's name,
// its file, and how many events and tasks it holds, or a hint when no data file is open.
#pragma once

#include "shell/CentralArea.h"

class QLabel;

class CPlaceholderArea : public QWidget, public ICentralArea
{
    Q_OBJECT

  public:
    CPlaceholderArea(CCalendarDocument &document, QWidget *parent);

    QWidget *Widget() override { return this; }
    void AttachDataFile() override;
    void ShowView(int kind, int days, bool workWeek) override;
    int ActiveViewKind() const override { return m_kind; }
    void TimeChanged() override { AttachDataFile(); }

  private:
    CCalendarDocument &m_document;
    int m_kind = 1;
    QLabel *m_title = nullptr;
    QLabel *m_file = nullptr;
    QLabel *m_counts = nullptr;
    QLabel *m_view = nullptr;
};
