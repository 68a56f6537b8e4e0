// The band above the active view: the view's title in large bold type, a "Filter" drop-down
// naming the active filter, and a small toolbar (hidden items, previous, today, next, Date
// Navigator, find).
#pragma once

#include <QFont>
#include <QWidget>

class CCommandTable;
class CMenuEx;
class CToolBarEx;
class QLabel;
class QToolButton;

class CCaptionBar : public QWidget
{
    Q_OBJECT
  public:
    // Commands of the bar and its filter menus.
    static constexpr int kCmdFilter = 32895; // the filter button; in the menus "Show ALL"
    static constexpr int kCmdHiddenItems = 32911;
    static constexpr int kCmdPrevious = 34733;
    static constexpr int kCmdToday = 32805;
    static constexpr int kCmdNext = 34734;
    static constexpr int kCmdNavigatorBar = 32814;
    static constexpr int kCmdFind = 34730;
    static constexpr int kCmdIncludePast = 34861;
    static constexpr int kCmdDefineFilters = 34732;
    static constexpr int kCmdActiveTasks = 34753;
    static constexpr int kCmdOverdueTasks = 34755;
    static constexpr int kCmdCompletedTasks = 34756;
    static constexpr int kCmdAllTasks = 34757;

    enum Mode
    {
        CalendarMode = 1, // view kinds 1 to 5
        TasksMode = 2,    // view kind 7
        OtherMode = 3,
    };

    // Adds the bar's commands to the table where the table has none of its own.
    static void AddDefaultCommands(CCommandTable &table);

    explicit CCaptionBar(CCommandTable &table, QWidget *parent = nullptr);

    void SetTitle(const QString &text);
    // A non-empty text names the filter on its button; an empty text hides the button.
    void SetToolButtonText(const QString &text);
    // Maps a view kind to the bar's mode; outside calendar mode the navigation buttons hide.
    void SetViewMode(int viewKind);
    Mode GetMode() const { return m_mode; }

    // The filter menu of the present mode, as the filter button opens it.
    CMenuEx *FilterMenu() const;
    QToolButton *FilterButton() const;
    CToolBarEx *ViewToolbar() const { return m_viewToolbar; }
    QLabel *TitleLabel() const { return m_title; }
    // Lays the parts out again for the present size.
    void Relayout();

  signals:
    // The filter menu is about to show: the owner fills in the item types, categories and filters.
    void filterMenuAboutToShow(CMenuEx *menu);

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    CMenuEx *BuildFilterMenu(bool tasks);

    CCommandTable &m_table;
    QLabel *m_title = nullptr;
    CToolBarEx *m_filterToolbar = nullptr;
    CToolBarEx *m_viewToolbar = nullptr;
    QAction *m_filterAction = nullptr;
    CMenuEx *m_filterMenu = nullptr;
    CMenuEx *m_tasksMenu = nullptr;
    Mode m_mode = CalendarMode;
};
