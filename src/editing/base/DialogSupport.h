// Helpers every dialog of the editing library shares: the reading order, modal runs that
// disable the reminder windows, the slow-down after a wrong password, and applying a verdict.
#pragma once

#include "editing/datafile/DataFileDialogRules.h"

#include <functional>

class QDialog;
class QDialogButtonBox;
class QGridLayout;
class QLineEdit;
class QString;
class QWidget;

// Right-to-left reading order for the dialog and its fields when the program's switch is on.
void ApplyReadingOrder(QWidget *dialog);

// Runs a dialog modally with the reminder windows disabled meanwhile; returns its result.
int RunModalDialog(QDialog &dialog);

// The wait after a wrong password. By default the wait cursor for kWrongPasswordWaitMs; a
// test puts in its own. Returns the one it replaces; null goes back to the default.
using WrongPasswordWaitFn = std::function<void()>;
WrongPasswordWaitFn SetWrongPasswordWait(WrongPasswordWaitFn wait);
void WaitAfterWrongPassword();

// The fields a verdict acts on; a field the dialog lacks stays null.
struct VerdictFields
{
    QLineEdit *name = nullptr;
    QLineEdit *oldPassword = nullptr;
    QLineEdit *newPassword = nullptr;
    QLineEdit *confirmPassword = nullptr;
};

// Carries out a verdict on a dialog: wait, empty, focus, the message box, then ends the dialog
// when the verdict says so. Returns true when the dialog ended.
bool ApplyVerdict(QDialog &dialog, const DialogVerdict &verdict, const VerdictFields &fields);

// Building blocks of the small dialogs.
enum class EditKind
{
    Plain,
    Password,
    ReadOnly,
};
// A label (with its mnemonic bound to the edit) and an edit in one row of a grid.
QLineEdit *AddEditRow(QGridLayout *grid, int row, const QString &label, const QString &objectName,
                      EditKind kind);
// OK and Cancel wired to the dialog's accept and reject.
QDialogButtonBox *MakeOkCancel(QDialog *dialog);
