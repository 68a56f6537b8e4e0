// CSectionHeading: the bold section headings of the editors ("Event", "Time", "Reminder", "Notes").
#pragma once

#include <QString>

class QLabel;
class QWidget;

class CSectionHeading
{
  public:
    static QLabel *Create(const QString &text, QWidget *parent);
};
