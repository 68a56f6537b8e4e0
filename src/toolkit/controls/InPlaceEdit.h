// CInPlaceEdit: the edit box a view places over an item to type its subject. Tab, Enter and
// Escape are reported to the owner instead of being acted on, as is the loss of the focus.
#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>

class QWidget;

class CInPlaceEdit : public QObject
{
    Q_OBJECT
  public:
    static constexpr int kKeyCode = -15;      // a key the control does not act on
    static constexpr int kKillFocusCode = -8; // focus lost
    // The key codes reported.
    static constexpr int kVirtualTab = 9;
    static constexpr int kVirtualReturn = 13;
    static constexpr int kVirtualEscape = 27;
    // Key flag: the key was already down (an auto-repeat).
    static constexpr unsigned kRepeatFlag = 0x40000000;

    explicit CInPlaceEdit(QObject *parent = nullptr);
    ~CInPlaceEdit() override;

    // Creates the edit as a hidden child of `parent`: multi-line (wrapping, scrolling down) or
    // single-line (scrolling sideways). An edit of the requested kind already there is kept; one of
    // the other kind is destroyed first. The caller places and shows it. False only when no
    // edit could be made.
    bool CreateEditWindow(bool multiLine, QWidget *parent, int controlId, const QFont &font);

    // The edit (a QLineEdit or a QPlainTextEdit), or null before creation.
    QWidget *Window() const { return m_window; }
    bool IsMultiLine() const { return m_multiLine; }
    int ControlId() const { return m_controlId; }
    QString Text() const;
    void SetText(const QString &text);

  signals:
    // Tab, Enter or Escape was pressed: the key code (9, 13 or 27) and the key flags.
    void keyNotify(int virtualKey, unsigned flags);
    // The edit lost the focus (after its own handling).
    void focusLost();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QPointer<QWidget> m_window;
    bool m_multiLine = false;
    int m_controlId = 0;
    bool m_forwarding = false;
};
