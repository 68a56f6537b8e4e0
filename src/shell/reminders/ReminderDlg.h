// CReminderDlg: the window of one due reminder. It draws its own caption band (type colours,
// icon, text and four caption buttons) and frame in a frameless window, moved and resized
// through the window system, and shows the item's subject, notes and mark with Snooze, Accept
// (Complete for a task), Open and Delete, a caption menu with Print, Convert, Stop Sound,
// Collapse, Always on Top and Properties, and plays the reminder sound. Its answers go to the
// document; it closes itself once the document took one.
#pragma once

#include "core/document/ReminderWindowHost.h"
#include "core/system/ResultCode.h"
#include "shell/reminders/ReminderCaption.h"
#include "shell/reminders/ReminderContent.h"

#include <QIcon>
#include <QWidget>
#include <memory>

class CCaptionStatic;
class CColorSwatch;
class CDurationComboBox;
class CFlatButton;
class CLinkButton;
class CReminderTextField;
class CReminderWindows;
class CSoundPlayer;
class QAction;
class QMenu;

class CReminderDlg : public QWidget, public IReminderWindow
{
    Q_OBJECT
  public:
    explicit CReminderDlg(CReminderWindows &windows);
    ~CReminderDlg() override;

    // Fills, places and shows the window for the held item; false without an event or task.
    bool CreateReminder(CItemRef &holder);

    // IReminderWindow
    std::uint32_t GetRecordId() const override { return m_content.recordId; }
    bool IsMinimised() const override { return isMinimized(); }
    void Enable(bool enable) override { EnableReminder(enable); }
    int TimeTick(const CDateTime &now) override { return CheckExpired(now); }
    // Hides the window at once and deletes it later; it leaves the list of windows now.
    void Close() override;

    int GetKind() const { return m_content.kind; }
    const CReminderContent &Content() const { return m_content; }
    bool IsClosing() const { return m_closing; }

    // A modal dialog opens (false) or closes (true).
    void EnableReminder(bool enable);
    // The item's editor holds the window disabled while it runs.
    void SetHeldByEditor(bool held);
    bool IsHeldByEditor() const { return m_heldByEditor; }
    // The automatic dismissal; the document's result (non-zero stops the walk over the windows).
    HRESULT CheckExpired(const CDateTime &now);
    bool IsWholeEnabled() const { return m_wholeEnabled; }

    // The answers (the buttons and the caption menu run these).
    void DoAccept();
    void DoSnooze();
    void DoDelete();
    void DoOpen();
    void DoConvert();
    void DoProperties();
    void DoPrint();
    void StopSound();
    void ToggleCollapse();
    void ToggleTopmost();
    // Runs a caption-menu or caption-button command.
    void RunCommand(int command);

    bool IsCollapsed() const { return m_collapsedHeight != 0; }
    bool IsTopmost() const { return m_topmost; }
    bool IsSoundPlaying() const { return m_soundPlaying; }
    QSize InitialSize() const { return m_initialSize; }
    // The restored size (the window's own when not collapsed).
    QSize NormalSize() const;
    const CReminderCaption &Caption() const { return m_caption; }
    // The caption band's text as drawn.
    const QString &BandText() const { return m_bandText; }

    // The caption menu, its entries' states brought up to date.
    QMenu *CaptionMenu();
    QAction *MenuAction(int command) const;

    CSoundPlayer &Player() { return *m_player; }
    CDurationComboBox *SnoozeCombo() const { return m_snoozeCombo; }
    CLinkButton *BeforeStartBox() const { return m_beforeStart; }
    CFlatButton *AcceptButton() const { return m_accept; }
    CFlatButton *SnoozeButton() const { return m_snooze; }
    CFlatButton *OpenButton() const { return m_open; }
    CFlatButton *DeleteButton() const { return m_delete; }
    CReminderTextField *SubjectField() const { return m_subject; }
    CReminderTextField *NotesField() const { return m_notes; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void BuildControls();
    void Fill(const CCalendarItem &item);
    void ApplyColors();
    void BuildMenu();
    void UpdateMenu();
    void Place();
    void ShowInZOrder();
    void CloseAndActivateNext(bool activate);
    void SetWholeEnabled(bool enabled);
    void SetCommandsEnabled(bool enabled);
    std::unique_ptr<CItemRef> LoadHolder(bool forEditor, bool &newException, HRESULT &hr);
    void PaintFrame(QPainter &painter);
    void PaintCaptionBand(QPainter &painter);
    void PaintGlyph(QPainter &painter, int glyph, const QRect &rect, const QColor &colour);
    QColor BandFill() const;
    QColor BandTextColour() const;
    Qt::Edges EdgesOf(int hit) const;

    CReminderWindows &m_windows;
    CReminderContent m_content;
    CReminderCaption m_caption;
    std::unique_ptr<CSoundPlayer> m_player;
    QSize m_initialSize;
    int m_collapsedHeight = 0; // the height before collapsing, 0 while expanded
    QString m_bandText;
    QIcon m_smallIcon;
    bool m_topmost = false;
    bool m_soundPlaying = false;
    bool m_closing = false;
    bool m_heldByEditor = false;
    bool m_wholeEnabled = true;
    bool m_commandsEnabled = true;
    bool m_active = false;
    bool m_keepMark = false; // a delete keeps the record, marked deleted

    QWidget *m_body = nullptr;
    CReminderTextField *m_subject = nullptr;
    CReminderTextField *m_notes = nullptr;
    CColorSwatch *m_upperLine = nullptr;
    CColorSwatch *m_lowerLine = nullptr;
    CCaptionStatic *m_label = nullptr;
    CDurationComboBox *m_snoozeCombo = nullptr;
    CLinkButton *m_beforeStart = nullptr;
    CFlatButton *m_snooze = nullptr;
    CFlatButton *m_accept = nullptr;
    CFlatButton *m_open = nullptr;
    CFlatButton *m_delete = nullptr;
    std::unique_ptr<QMenu> m_menu;
};
