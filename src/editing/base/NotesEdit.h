// CNotesEdit: the notes and subject fields of the editors. A text field with a length limit, an
// optional plain-text paste, links shown and opened on click, Ctrl+Enter for the dialog's OK,
// Ctrl+Shift+D and a context menu entry to insert the date and time, and a notice when it loses
// the focus after a change.
#pragma once

#include <QTextEdit>

class QMenu;

// Which context menu commands a notes field offers.
struct NotesCommandState
{
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool clear = false;
    bool selectAll = true;
    bool insertDateTime = false; // present only in an editable field

    // The enabling rules: a read-only field only copies and selects.
    static NotesCommandState For(bool readOnly, bool hasSelection, bool canPaste, bool canUndo);
};

class CNotesEdit : public QTextEdit
{
    Q_OBJECT
  public:
    explicit CNotesEdit(QWidget *parent = nullptr, int maxLength = 32761);

    void SetPlainTextPaste(bool on) { m_plainPaste = on; }
    void SetMaxLength(int maxLength) { m_maxLength = maxLength; }
    int GetMaxLength() const { return m_maxLength; }
    // The text in the records' form ("\r\n" line ends) and back.
    QString GetStoredText() const;
    void SetStoredText(const QString &text);
    // Marks the links of the text as clickable anchors.
    void UpdateLinks();
    // Runs the Date and Time dialog and puts its text in place of the selection.
    void InsertDateTime();
    // The context menu for the field's state (also what a test looks at).
    QMenu *CreateNotesMenu(QWidget *parent);
    // The link at the point, opened when it may be; false when there is none or it may not.
    bool OpenLinkAt(const QPoint &point);

  signals:
    // The field lost the focus after its text changed.
    void notesChanged();
    void linkActivated(const QUrl &url);

  protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    void EnforceLimit();

    int m_maxLength;
    bool m_plainPaste = false;
    bool m_updating = false;
};
