// CDialogEx: the dialog base of the editors. Runs modal under a live parent or modeless without
// one, keeps the result (1 after OK, 0 after Cancel) for the caller, holds the reminder-windows
// gate while it runs and is the program's current dialog meanwhile.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <QRect>

class CDialogEx : public QDialog
{
    Q_OBJECT
  public:
    static constexpr int kMaxToolTip = 80;

    explicit CDialogEx(QWidget *parent = nullptr);
    ~CDialogEx() override;

    // 1 after OK, 0 after Cancel or any other close.
    int GetResult() const { return m_result; }
    bool IsModeless() const { return m_modeless; }

    // Runs the dialog modally; with disableReminders the reminder windows are disabled meanwhile.
    // Returns the result field.
    int RunModal(bool disableReminders = true);
    // Shows the dialog as a window of its own that deletes itself when closed; the reminder
    // windows stay disabled until then.
    bool CreateModeless();

    // The dialog's own small and large icon. Without one a modal dialog keeps the window's
    // default, and a modeless one (a window of its own) shows the program's icon.
    void SetDialogIcon(const QIcon &icon);
    const QIcon &GetDialogIcon() const { return m_icon; }

    // The dialog running now (the last one started), or null.
    static QDialog *GetCurrentDialog();

    // Centres the dialog on the work area of the screen of `window`, pushed inside it.
    void CenterOnMonitorOf(const QWidget *window);
    // The placement arithmetic: the rectangle centred on the area, then moved inside it (left
    // and top edges win when the rectangle is larger than the area).
    static QRect CenterInWorkArea(const QRect &dialog, const QRect &workArea);
    // The tip of a command string ("prompt\ntip"): the part after the first line break, at most
    // 80 characters; empty when there is none.
    static QString ToolTipOfCommandString(const QString &commandString);

    // OK and Cancel: the result is set, then the dialog closes. Derived dialogs validate first.
    void accept() override;
    void reject() override;

  protected:
    void SetResult(int result) { m_result = result; }

  private:
    void CloseDialog();

    int m_result = 0;
    QIcon m_icon;
    bool m_modeless = false;
    bool m_holdsGate = false;
    QPointer<QDialog> m_previousCurrent;
};
