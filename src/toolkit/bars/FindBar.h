// The bar across the top of the search view: "Look for:" with the last 15 search texts,
// optional "Start:" and "End:" dates, "Find Now" and "Close". It runs no search itself: its
// commands go to the window that holds it.
#pragma once

#include "core/dates/DateTime.h"
#include "toolkit/bars/FindHistory.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

class CFindBar : public QWidget
{
    Q_OBJECT
  public:
    // Control ids, kept as the commands and names the container knows.
    static constexpr int kLookForLabel = 1402;
    static constexpr int kLookFor = 1006;
    static constexpr int kStartLabel = 1289;
    static constexpr int kStart = 1400;
    static constexpr int kEndLabel = 1290;
    static constexpr int kEnd = 1242;
    static constexpr int kCmdFindNow = 32910;
    static constexpr int kCmdClose = 34778;
    static constexpr int kMaxTextLength = 255;

    explicit CFindBar(QWidget *parent = nullptr);
    // Saves the history.
    ~CFindBar() override;

    // Fonts, no dates, the text limit and the history from the settings.
    void InitControls();
    // All three labels back to the plain bold font.
    void SetLabelFonts();
    void FocusSearchText();
    void AddToHistory(const QString &text);
    // The search text; each date with its time of day cleared, or null when the field shows none.
    QString GetSearchCriteria(CDateTime &start, CDateTime &end) const;

    QComboBox *SearchCombo() const { return m_combo; }
    QWidget *StartField() const { return m_start; }
    QWidget *EndField() const { return m_end; }
    QPushButton *FindNowButton() const { return m_findNow; }
    QPushButton *CloseButton() const { return m_close; }
    QLabel *Label(int id) const;
    const CFindHistory &History() const { return m_history; }

  signals:
    // "Find Now", "Close": handled by the window that holds the bar.
    void commandRequested(int id);
    // The search text or a button took the focus.
    void focusTaken();
    // Tab left the bar (from "Close", or with Ctrl held).
    void tabbedOut(bool backwards);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    void FillList(int selectRow);
    void MarkChanged(QLabel *label);

    QLabel *m_lookForLabel = nullptr;
    QLabel *m_startLabel = nullptr;
    QLabel *m_endLabel = nullptr;
    QComboBox *m_combo = nullptr;
    QWidget *m_start = nullptr;
    QWidget *m_end = nullptr;
    QPushButton *m_findNow = nullptr;
    QPushButton *m_close = nullptr;
    QPointer<QWidget> m_focus;
    QFont m_bold, m_boldItalic, m_regular;
    CFindHistory m_history;
    bool m_loaded = false;
};
