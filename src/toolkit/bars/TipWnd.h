// The balloon-like window by the tray icon: the date and time, "Today's upcoming reminders:"
// and one line per pending reminder of today that has no reminder window open, overdue ones in
// red. The document keeps it in step while it is visible.
#pragma once

#include "core/dates/DateTime.h"
#include "core/document/TipWindowSink.h"

#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <functional>

class CTipWnd : public QWidget, public ITipWindowSink
{
    Q_OBJECT
  public:
    struct Entry
    {
        int kind = 1; // 1 event, 2 task
        std::uint32_t itemId = 0;
        bool overdue = false;
        int itemTypeIndex = 0;
        CDateTime time;
        QString subject;
    };

    CTipWnd();

    // Where the tip opens next to; an empty rectangle: the screen corner nearest the pointer.
    void SetAnchor(const QRect &trayIcon) { m_anchor = trayIcon; }
    // What the tip asks its owner.
    void SetClock(std::function<CDateTime()> now) { m_now = std::move(now); }
    void SetHasReminderWindow(std::function<bool(std::uint32_t)> test) { m_hasWindow = std::move(test); }
    void SetTypeIcon(std::function<QPixmap(int typeIndex, int kind)> icon) { m_typeIcon = std::move(icon); }
    void SetTrayIcon(const QPixmap &icon) { m_trayIcon = icon; }
    void SetRemindersOn(bool on) { m_remindersOn = on; }
    void SetReadOnly(bool on) { m_readOnly = on; }

    // Only while hidden: adds every pending reminder without a window, then lays out.
    void FillIfHidden(const std::vector<std::unique_ptr<CReminderEntry>> &queue);
    void HideAndClear();
    const QList<Entry> &Entries() const { return m_entries; }
    // The second line as shown.
    QString SecondLine() const;
    QString Title() const { return m_title; }

    // The document's side.
    bool IsVisible() const override { return isVisible(); }
    void AddEntry(const CReminderEntry &entry) override;
    void RemoveEntry(std::uint32_t recordId) override;
    void Refill(const std::vector<std::unique_ptr<CReminderEntry>> &queue) override;

    // Lays out (title, size, position) and shows the tip.
    void ShowTip();

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    void Insert(const CReminderEntry &entry);
    void Layout(bool repaint);
    CDateTime Now() const;

    QRect m_anchor;
    std::function<CDateTime()> m_now;
    std::function<bool(std::uint32_t)> m_hasWindow;
    std::function<QPixmap(int, int)> m_typeIcon;
    QPixmap m_trayIcon;
    bool m_remindersOn = true;
    bool m_readOnly = false;
    QString m_title;
    QFont m_normal, m_bold;
    QList<Entry> m_entries; // by time, earliest first
};
