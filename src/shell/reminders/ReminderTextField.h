// CReminderTextField: the read-only subject line and notes of a reminder window: the notes
// field's link marking and opening (only web and mail addresses ever open: notes may come from
// imported files), without a frame and in the item type's colours.
#pragma once

#include "editing/base/NotesEdit.h"

class CReminderTextField : public CNotesEdit
{
    Q_OBJECT
  public:
    CReminderTextField(bool singleLine, QWidget *parent = nullptr);

    // Text and background colours; the system's when `own` is off.
    void SetColors(bool own, const QColor &text, const QColor &background);
};
