// Messages and error reporting: result codes to texts, message boxes captioned with the
// program name through the message port, the error report with its closed-file hint, and the
// orderly quit with an exit code. These functions end every failure path and never fail.
#pragma once

#include "core/document/MessagePort.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <cstdint>
#include <functional>

class QObject;

// The port that shows the boxes; null (the default) shows nothing and answers as if the box
// were dismissed (Ok for a plain box, No or Cancel for a question).
void SetMessagePort(IMessagePort *port);
IMessagePort *GetMessagePort();

// Hooks that the document and the shell set: whether a data file is open (default: none),
// the enabling of the open reminder windows around modal boxes, the default owner of a box
// (the last active popup of the main window) and the closing of the main window on quit.
void SetDataFileOpenQuery(std::function<bool()> isOpen);
void SetReminderWindowsEnabler(std::function<void(bool enable)> enable);
void SetDefaultOwnerProvider(std::function<QObject *()> provider);
void SetMainWindowCloser(std::function<void()> close);

bool IsDataFileOpen();
void EnableReminderWindows(bool enable);

// One nesting count over everything that keeps the open reminder windows disabled while it
// runs (message boxes here, the editing dialogs through their gate): the first to enter
// disables them, the last to leave enables them again, so a box that closes over an open
// dialog leaves them disabled.
void EnterReminderWindowsHold();
void LeaveReminderWindowsHold();
int GetReminderWindowsHoldNesting();
QObject *GetMainActivePopup();

// The text of a result code: empty for 0, 1 and the silent codes; the program's own codes
// from their table; system codes (0x80070000 + code, or the bare code) from our table of
// system texts; anything else the unknown-error text with the code. An unknown own code
// also sounds the error beep.
QString ErrorCodeToText(HRESULT code);
// Our text for a system error code; empty when there is none.
QString SystemErrorText(std::uint32_t systemCode);

// Shows the code's text in an error box (nothing for an empty text), adding the closed-file
// hint when no data file is open, except for 0x80040508. Returns the code.
HRESULT ReportError(HRESULT code, QObject *owner = nullptr, bool disableReminders = true);

// One box captioned with the program name. With disableReminders the open reminder windows
// are disabled while it is up. Returns the pressed button (MessageResult).
int ShowMessageBox(QObject *owner, bool disableReminders, const QString &text, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok, int defaultButton = 0, bool topmost = false,
                   int helpContext = 0);

int ShowError(int stringId, QObject *owner = nullptr);
int ShowInfo(int stringId, QObject *owner = nullptr);
int ShowWarning(int stringId, QObject *owner = nullptr);
int ShowErrorText(const QString &text, QObject *owner = nullptr);
int ShowInfoText(const QString &text, QObject *owner = nullptr);
int ShowWarningText(const QString &text, QObject *owner = nullptr);
// A question; returns MessageResult::Yes, No or Cancel as the buttons allow.
int AskQuestion(const QString &text, QObject *owner = nullptr, MessageButtons buttons = MessageButtons::YesNo,
                int defaultButton = 0);

// Error and warning boxes that count as open message boxes while they are up (the tray does
// nothing meanwhile); a null owner takes GetMainActivePopup().
int ShowErrorTextModal(const QString &text, QObject *owner = nullptr, bool disableReminders = true);
int ShowWarningTextModal(const QString &text, QObject *owner = nullptr, bool disableReminders = true);
// How many of those boxes are open now.
int GetMessageBoxNesting();

// Stores the exit code, reports it unless silent, then closes the main window.
void QuitWithCode(HRESULT code, bool silent = false);
// The stored exit code; 0 until QuitWithCode is called.
HRESULT GetExitCode();
