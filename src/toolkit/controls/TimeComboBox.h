// CTimeComboBox: the editable time-of-day field of the editors and dialogs: every half hour in
// the list, typed times read by our own parser, and, where the owner allows it, relative
// entries such as "+1 hour" or ">30 minutes". Every accepted input is reported as the change it
// makes, so the owner can move other times along with it.
#pragma once

#include "toolkit/controls/TimeComboModel.h"

#include <QComboBox>

class CTimeComboBox : public QComboBox
{
    Q_OBJECT
  public:
    // With `endOfDay` the list ends with an extra 23:59 entry.
    explicit CTimeComboBox(QWidget *parent = nullptr, bool endOfDay = false);

    void SetRelativeInput(bool on) { m_model.SetRelativeInput(on); }
    // Relative entries may then reach 3655 days instead of 336.
    void SetMaxDuration() { m_model.SetMaxDuration(); }
    // Shows and stores the time's hour and minute; no report.
    void SetTime(const CDateTime &time);
    // False while the field holds text that is not (yet) a time.
    bool GetTime(CDateTime &time) const { return m_model.GetTime(time); }

    // Reads typed text now, as leaving the field does (Enter calls it too).
    void CommitText();

    const CTimeComboModel &Model() const { return m_model; }

    // Opening the list snaps the field to the entry at or before its time.
    void showPopup() override;

  signals:
    // kind: CTimeComboModel::ChangeKind; span in days (new minus old for a time of day, the
    // typed duration, negative after "-" or "<", for the relative kinds).
    void timeChanged(int kind, double spanDays);

  protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void FillTimes();
    void ShowStored();
    void Report(const std::optional<CTimeComboModel::Change> &change);

    CTimeComboModel m_model;
};
