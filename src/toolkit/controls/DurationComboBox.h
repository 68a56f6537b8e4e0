// CDurationComboBox: the editable field of a reminder lead or snooze time: fixed durations from
// 5 minutes to 7 days and "Other...", typed durations read on leaving the field, and a report
// whenever a valid duration was picked or typed.
#pragma once

#include "toolkit/controls/BitmapComboBox.h"
#include "toolkit/controls/DurationComboModel.h"

class CDurationComboBox : public CBitmapComboBox
{
    Q_OBJECT
  public:
    explicit CDurationComboBox(QWidget *parent = nullptr);

    // Fills the list, with a "0 minutes" entry when zero is allowed, and selects the first entry.
    void FillList(bool zeroAllowed);
    // Shows the span's duration text and stores it as valid; no report.
    void SetDuration(const CDateSpan &span);
    // False while the field holds no valid duration.
    bool GetDuration(CDateSpan &span) const { return m_model.GetDuration(span); }

    // Reads typed text now, as leaving the field does (Enter calls it too).
    void CommitText();

    const CDurationComboModel &Model() const { return m_model; }

  signals:
    // A valid duration was picked or typed; the span in days.
    void durationChanged(double spanDays);

  protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void Picked(int index);

    CDurationComboModel m_model;
};
