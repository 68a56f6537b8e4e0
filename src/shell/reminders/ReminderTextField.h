// CReminderTextField: the read-only subject line and notes of a reminder window: the notes
// field's link marking, with a click on a link opened through the toolkit's link opener, so
// that only web and mail addresses ever open (notes may come from imported files).
#pragma once

#include "editing/base/NotesEdit.h"

class CReminderTextField : public CNotesEdit
{
    Q_OBJECT
  public:
    CReminderTextField(bool singleLine, QWidget *parent = nullptr);

    // Text and background colours; the system's when `own` is off.
    void SetColors(bool own, const QColor &text, const QColor &background);
    // The link at the point, opened when it may be; false when there is none or it may not.
    bool OpenLinkAt(const QPoint &point);

  protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
