// Widgets the event and task editors share: the item type choices with their icons and colours,
// the one-line rich subject field and the buttons of the editors' small toolbars.
#pragma once

#include <QStyle>

class CNotesEdit;
class IItemTypeCatalog;
class QAction;
class QComboBox;
class QToolBar;
class QWidget;

namespace EditorWidgets {
// One row per item type with its small icon, and the type's own colours on the row as the views
// draw its items in them. A type without an icon keeps the icon's room so the names line up.
void FillTypeChoices(QComboBox &combo, const IItemTypeCatalog &types);
// A one-line rich field for the subject: the notes field's behaviour at the height of a line.
CNotesEdit *MakeSubjectField(QWidget *parent, int maxLength);
QAction *ToolAction(QToolBar *bar, const QString &text, QStyle::StandardPixmap icon, const char *name,
                    bool checkable);
} // namespace EditorWidgets
