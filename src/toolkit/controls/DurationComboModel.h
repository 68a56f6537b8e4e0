// CDurationComboModel: what the duration combo box does, without a window: the list of fixed
// durations, the stored duration with its parse state and valid flag, and what picking, typing
// and leaving the field change and report.
#pragma once

#include "core/dates/DateTime.h"

#include <QList>
#include <QString>
#include <cstdint>

class CDurationComboModel
{
  public:
    // The notification code of a chosen duration, as the owner sees it.
    static constexpr int kDurationChangedCode = 3;
    static constexpr long kMaxMinutes = 483840; // 336 days

    enum ParseState : int
    {
        kValid = 0,
        kTooLong = 1,
        kNotADuration = 2, // or being edited
    };
    enum Unit : int
    {
        kMinutes = 0,
        kHours = 1,
        kDays = 2,
    };

    struct Entry
    {
        QString text;
        std::uint32_t data = 0; // value | unit << 16; 0 for "Other..."
    };

    // What leaving the field decided: whether to report, and the text to show (empty: keep).
    struct LeaveResult
    {
        bool report = false;
        QString text;
    };

    static std::uint32_t EntryData(int value, Unit unit)
    {
        return std::uint32_t(value) | std::uint32_t(unit) << 16;
    }
    static QString OtherText();

    CDurationComboModel();

    // Fills the list: "0 minutes" only with `zeroAllowed`, then 5 minutes to 7 days, then
    // "Other..."; entry 0 is the one to select.
    const QList<Entry> &FillList(bool zeroAllowed);
    const QList<Entry> &Entries() const { return m_entries; }
    bool ZeroAllowed() const { return m_zeroAllowed; }

    // Stores the span as valid and returns the text to show.
    QString SetDuration(const CDateSpan &span);
    // The valid flag; when set, `span` gets the stored duration.
    bool GetDuration(CDateSpan &span) const;
    const CDateSpan &Duration() const { return m_duration; }
    int State() const { return m_state; }
    bool IsValid() const { return m_valid; }

    // The user picked entry `index`; true when a duration was chosen and is to be reported.
    bool Pick(int index);
    // The user changed the text.
    void Edit();
    // The field lost the focus with `text` in it (read only when the value is not valid).
    LeaveResult Leave(const QString &text);

  private:
    QList<Entry> m_entries;
    int m_state = kValid;
    bool m_valid = true;
    bool m_zeroAllowed = false;
    CDateSpan m_duration;
};
