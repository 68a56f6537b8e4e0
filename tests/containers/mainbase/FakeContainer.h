// A container for the main base window tests: a plain window that paints its view's name and
// records what the main base window asked of it.
#pragma once

#include "containers/mainbase/MainBaseContainer.h"
#include "core/system/Profile.h"
#include "views/base/NotifyTarget.h"

#include <QPainter>
#include <QWidget>
#include <vector>

class FakeContainer : public QWidget, public IMainBaseContainer, public INotifyTarget
{
  public:
    FakeContainer(int kind, QWidget *parent) : QWidget(parent), m_kind(kind)
    {
        static const char *const sections[] = {"Day", "MDay", "Week", "Month", "Year", "List", "Tasks", "ListF"};
        static const char *const names[] = {"Day", "Multi-day", "Week", "Month", "Year", "Event List", "Tasks",
                                            "Search Results"};
        m_section = QString::fromLatin1(sections[kind - 1]);
        m_name = QString::fromLatin1(names[kind - 1]);
        m_showNavigator = GetProfileInt(m_section, QStringLiteral("SSP"), 1) != 0;
        m_showDetails = GetProfileInt(m_section, QStringLiteral("SDP"), 0) != 0;
        m_dayCount = GetProfileInt(m_section, QStringLiteral("MDN"), 5);
        setFocusPolicy(Qt::StrongFocus);
        setAutoFillBackground(true);
        setPalette(QPalette(Qt::white));
    }

    QWidget *Widget() override { return this; }
    int GetViewKind() const override { return m_kind; }
    QString GetSection() const override { return m_section; }
    void SetDocument(CCalendarDocument *document) override { this->document = document; }
    CDateTime GetShownStart() const override { return shown; }
    CDateTime GetShownDate() const override { return shown; }
    void FinishPendingWork() override { ++finished; }
    HRESULT ResolveFilter() override
    {
        ++filters;
        return filterResult;
    }
    HRESULT Reload(const CDateTime &date) override
    {
        reloads.push_back(date);
        if (reloadResult == S_OK && date.IsValid())
            shown = date;
        update();
        return reloadResult;
    }
    void DropTransientState() override { ++dropped; }
    QString GetFilterText() const override { return QStringLiteral("All items"); }
    void UpdateCountPane() override {}
    void TakeFocus() override { setFocus(); }
    void FocusView() override { setFocus(); }
    void ApplyOptions() override { ++options; }
    void ReloadColors() override { ++colors; }
    void UpdateDetailsPane() override {}
    INotifyTarget *GetNotifyTarget() override { return this; }
    int OnNotify(const CNotifyRecord &) override { return 0; }
    bool GetShowNavigator() const override { return m_showNavigator; }
    void SetShowNavigator(bool on) override { m_showNavigator = on; }
    bool GetShowDetails() const override { return m_showDetails; }
    void SetShowDetails(bool on) override { m_showDetails = on; }
    QWidget *GetFocusChild() const override { return m_focusChild; }
    void SetFocusChild(QWidget *child) override { m_focusChild = child; }
    int GetDayCount() const override { return m_dayCount; }
    bool IsWorkWeek() const override { return m_workWeek; }
    void SetDayCount(int days, bool workWeek) override
    {
        m_dayCount = days;
        m_workWeek = workWeek;
    }
    void SelectTimeRange(const CDateTime &start, const CDateTime &) override { selectedStart = start; }
    void FocusAllDayBanner() override { bannerFocused = true; }
    HRESULT StartEmptySearch() override
    {
        ++searches;
        return S_OK;
    }

    CCalendarDocument *document = nullptr;
    CDateTime shown = CDateTime::Null();
    CDateTime selectedStart = CDateTime::Null();
    bool bannerFocused = false;
    std::vector<CDateTime> reloads;
    HRESULT reloadResult = S_OK;
    HRESULT filterResult = S_OK;
    int finished = 0, filters = 0, dropped = 0, options = 0, colors = 0, searches = 0;

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect(), Qt::AlignCenter,
                   m_name + (m_kind == 2 ? QStringLiteral(" (%1 days%2)").arg(m_dayCount).arg(m_workWeek ? QStringLiteral(", work week") : QString()) : QString()) +
                       (shown.IsValid() ? QStringLiteral("\n") + shown.ToIsoString().left(10) : QString()));
    }

  private:
    int m_kind;
    QString m_section, m_name;
    bool m_showNavigator = true, m_showDetails = false, m_workWeek = false;
    int m_dayCount = 5;
    QWidget *m_focusChild = nullptr;
};
