// CDatePickerCtrl: the date field of the editors and dialogs: an optional "none" check box, the
// date field (without Qt's own calendar pop-up), and a drop button that opens the program's
// drop-down calendar. Dates run from 1 January 1753 to 31 December 4000. The control says when the
// user has committed a date: a choice in the drop-down, or a typed change when the field loses
// the focus.
#pragma once

#include "core/dates/DateTime.h"
#include "toolkit/navigator/DateNavigator.h"

#include <QWidget>

class CDateDropDown;
class DropButton;
class QCheckBox;
class QDateEdit;

class CDatePickerCtrl : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int kDropDownId = 794;

    // With showNone the field may hold no date (its check box cleared).
    explicit CDatePickerCtrl(QWidget *parent = nullptr, bool showNone = false);
    ~CDatePickerCtrl() override;

    // Sets the date without its time of day; a null date clears the check box of a field that
    // may hold none. False, nothing changed, for a date outside the calendar's range.
    bool SetDateTime(const CDateTime &date);
    // The date at 00:00, or a null date when the field shows none.
    bool GetDateTime(CDateTime &out) const;
    // The user's short date with the short day name before it when it has none.
    void ApplyLocaleFormat();
    static QString DisplayFormatFor(const QString &shortDatePicture);
    bool HasShowNone() const { return m_showNone; }
    bool IsCommitted() const { return m_committed; }

    // Opens the drop-down under (or above) the drop button on the field's date, today when the
    // field holds none.
    void OpenDropDown();
    // Where a pop-up of `popup` size goes for a button at `button` (screen) inside `bounds`:
    // under the button with right edges aligned, above it when there is no room below, moved
    // right to the bounds' left edge when it would leave them.
    static QPoint PlaceDropDown(const QRect &button, const QSize &popup, const QRect &bounds);

    QDateEdit *DateEdit() const { return m_edit; }
    DropButton *Button() const { return m_button; }
    QCheckBox *NoneBox() const { return m_none; }
    CDateDropDown *DropDown() const { return m_dropDown; }

  signals:
    // The user committed a date.
    void dateCommitted();
    // The field's value changed, by any means.
    void dateChanged();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    int OnDropDownNotify(const NavigatorNotification &n);
    void UpdateEditEnabled();

    bool m_showNone = false;
    bool m_committed = true;
    bool m_settingDate = false;
    QCheckBox *m_none = nullptr;
    QDateEdit *m_edit = nullptr;
    DropButton *m_button = nullptr;
    CDateDropDown *m_dropDown = nullptr;
};
