// Widgets the event and task editors share: the item type choices with their icons and colours,
// the one-line rich subject field, the notes and categories rows, the reminder and item toolbars
// and the small dialogs the editors open the same way.
#pragma once

#include <QAction>
#include <QStyle>

#include <functional>
#include <optional>

class CCalendarItem;
class CDialogEx;
class CMasterList;
class CNotesEdit;
class IFixedObjectStore;
class IItemTypeCatalog;
class QBoxLayout;
class QColor;
class QComboBox;
class QDialog;
class QHBoxLayout;
class QIcon;
class QLineEdit;
class QPixmap;
class QPushButton;
class QToolBar;
class QWidget;

namespace EditorWidgets {
// One row per item type with its small icon, and the type's own colours on the row as the views
// draw its items in them. A type without an icon keeps the icon's room so the names line up.
void FillTypeChoices(QComboBox &combo, const IItemTypeCatalog &types);
// The window icon of an item type: its small icon for the title bar, its large one for the task
// switcher; null when the type has no icons.
QIcon TypeWindowIcon(const IItemTypeCatalog &types, int index);
// The mark of one changed occurrence, as the views draw it on such an item.
QPixmap OccurrenceGlyph(const QColor &colour);
// A one-line rich field for the subject: the notes field's behaviour at the height of a line.
CNotesEdit *MakeSubjectField(QWidget *parent, int maxLength);
QAction *ToolAction(QToolBar *bar, const QString &text, QStyle::StandardPixmap icon, const char *name,
                    bool checkable);

// The buttons of the item toolbar at the foot of an editor.
struct ItemActions
{
    QAction *print = nullptr;
    QAction *remove = nullptr;
    QAction *hidden = nullptr;
    QAction *locked = nullptr;
};
// The foot of an editor: the item toolbar (Print, Delete | Hidden, Locked) and, at the right,
// OK and Cancel, which go to the dialog's accept and reject.
QHBoxLayout *MakeFootRow(QDialog *dialog, ItemActions &actions, QPushButton *&ok);
// The small toolbar of the reminder row; its first button makes the reminder window topmost.
QToolBar *MakeReminderBar(QWidget *parent, QAction *&topmost);
// The Notes heading and its field, which takes the room left over.
CNotesEdit *AddNotesSection(QWidget *parent, QBoxLayout *layout, int maxLength);
// "Categories..." beside the categories field.
void AddCategoriesRow(QWidget *parent, QBoxLayout *layout, int maxLength, QPushButton *&button,
                      QLineEdit *&field);
// "Recurrence..." and "Modify the series".
void MakeSeriesButtons(QWidget *parent, QPushButton *&recurrence, QPushButton *&modifySeries);

// A checkable action tells `apply` its state, except while the form is being filled.
template <class Apply>
void ForwardToggle(QAction *action, QObject *receiver, const bool &filling, Apply apply)
{
    QObject::connect(action, &QAction::toggled, receiver, [&filling, apply](bool on) {
        if (!filling)
            apply(on);
    });
}

// An item that keeps its editor size opens the window at that size.
void RestoreKeptSize(QWidget &window, const CCalendarItem &item);
// The categories dialog over the field's text: the chosen text after OK (also put in the field),
// nothing after Cancel.
std::optional<QString> ChooseCategories(QWidget *parent, CMasterList *masterList, IFixedObjectStore *file,
                                        QLineEdit *field);
// Asks before a delete: for one occurrence (`promptKind` 1 event, 2 task) whether it goes alone
// (`oneOccurrence`) or with its series, else whether the item goes. False: keep it.
bool ConfirmDelete(QWidget *parent, const QString &subject, bool occurrence, int promptKind,
                   bool &oneOccurrence);
// Runs an editor modal (its result) or as a window of its own (0, with a minimize button), on top
// when `topmost`; `openRecurrence`, when given, runs once the window is up.
int RunEditorWindow(CDialogEx &dialog, bool modal, bool topmost, const std::function<void()> &openRecurrence);
// The same for an editor with an OnRecurrence slot, opened first when `openRecurrence`.
template <class Editor>
int RunEditor(Editor &editor, bool modal, bool topmost, bool openRecurrence)
{
    std::function<void()> recurrence;
    if (openRecurrence)
        recurrence = [&editor] { editor.OnRecurrence(); };
    return RunEditorWindow(editor, modal, topmost, recurrence);
}
} // namespace EditorWidgets

