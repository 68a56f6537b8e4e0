// Result codes to texts and the message boxes of the program.
#include "core/system/Messages.h"

#include "core/system/ConstStrings.h"
#include "core/system/StringTable.h"

#include <QtGlobal>
#include <algorithm>
#include <iterator>
#include <utility>

namespace {
IMessagePort *g_port = nullptr;
std::function<bool()> g_isDataFileOpen;
std::function<void(bool)> g_enableReminderWindows;
int g_reminderHoldNesting = 0;
std::function<QObject *()> g_defaultOwner;
std::function<void()> g_closeMainWindow;
int g_messageBoxNesting = 0;
HRESULT g_exitCode = S_OK;

constexpr HRESULT kNoHintCode = 0x80040508;

// The own codes and their texts. A null text is a silent code; %s takes the support address.
struct OwnText
{
    HRESULT code;
    const char *text;
};

constexpr const char *kItemLoadText = "Cannot load an item. It could be deleted by another user.\n\n"
                                      "Use View | Refresh menu item to update the events.";
constexpr const char *kIcalFormatText = "iCalendar Import failed.  The input file is not properly formatted.";

constexpr OwnText kOwnTexts[] = {
    {0x80040501, nullptr},
    {0x80040502, nullptr},
    {0x80040503, nullptr},
    {0x80040504, nullptr},
    {0x80040509, kItemLoadText},
    {0x8004050A, "Not enough resources in system.\nProgram will be unloaded."},
    {0x8004050B, nullptr},
    {0x8004050C, "The data file is corrupted. The specified data type is invalid."},
    {0x8004050D, "Internal application error."},
    {0x8004050E, "Function not implemented."},
    {0x8004050F, nullptr},
    {0x80040513, "You cannot open a backup file. Please use the Restore command."},
    {0x80040514, "Please select a backup file to restore. (*.QBF)"},
    {0x80040517, nullptr},
    {0x80040520, "Data file is not loaded."},
    {0x80040521, "Unexpected file format."},
    {0x80040522, "The data file is corrupted. Please contact %s"},
    {0x80040523, "Invalid data file version."},
    {0x80040524, "The data file has been created by using new version of Tessivo."},
    {0x80040525, "The data file is full.\nPlease delete unused events."},
    {0x80040526, "The data file is corrupted."},
    {0x80040527, "Unexpected data file format."},
    {0x8004052E, "You have already tried to convert the data file to the new format.\n"
                 "The process was not successfull.\n\nPlease contact %s"},
    {0x80040530, "The \"vadov.dll\" file could not be found.\nReinstall software."},
    {0x80040532, "Reinstall Wendalink for Palm."},
    {0x80040534, "The \"impqv.dll\" file could not be found.\nReinstall software."},
    {0x80040535, "The \"libical.dll\" file could not be found or incompatible version of the file.\n"
                 "Reinstall software."},
    {0x80040536, kIcalFormatText},
    {0x80040537, kIcalFormatText},
    {0x80040539, "Incompatible version of Wendalink for Pocket PC.\n\nUpdate the program or contact %s"},
};

static_assert(std::is_sorted(std::begin(kOwnTexts), std::end(kOwnTexts),
                             [](const OwnText &a, const OwnText &b) { return a.code < b.code; }),
              "own code table must stay sorted");

// Texts for the system codes the program produces (see SystemCodeFromErrno).
struct SystemText
{
    std::uint32_t code;
    const char *text;
};

constexpr SystemText kSystemTexts[] = {
    {2, "The file cannot be found."},
    {3, "The path cannot be found."},
    {5, "Access is denied."},
    {8, "There is not enough memory to process this command."},
    {14, "There is not enough memory to complete this operation."},
    {32, "The file is in use by another process."},
    {33, "Another process has locked a portion of the file."},
    {38, "The end of the file has been reached."},
    {80, "The file already exists."},
    {87, "A parameter is incorrect."},
    {112, "There is not enough space on the disk."},
    {123, "The file name, folder name or volume label is incorrect."},
    {126, "The module cannot be found."},
    {127, "The procedure cannot be found."},
    {183, "The file cannot be created because it already exists."},
    {1117, "The request failed because of an I/O device error."},
};

static_assert(std::is_sorted(std::begin(kSystemTexts), std::end(kSystemTexts),
                             [](const SystemText &a, const SystemText &b) { return a.code < b.code; }),
              "system text table must stay sorted");

QString SupportAddress()
{
    return GetConstString(ConstName::SupportAddress);
}

QString UnknownErrorText(HRESULT code)
{
    return QString::asprintf(
        "Unknown error has occurred: %#08x.\nPlease send a copy of this information to %s",
        static_cast<unsigned>(code), SupportAddress().toUtf8().constData());
}

int DismissedResult(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageResult::Ok;
    case MessageButtons::YesNo:
        return MessageResult::No;
    default:
        return MessageResult::Cancel;
    }
}

// Counts a modal error or warning box for as long as it is up.
class NestingGuard
{
  public:
    NestingGuard() { ++g_messageBoxNesting; }
    ~NestingGuard() { --g_messageBoxNesting; }
    NestingGuard(const NestingGuard &) = delete;
    NestingGuard &operator=(const NestingGuard &) = delete;
};
} // namespace

void SetMessagePort(IMessagePort *port)
{
    g_port = port;
}
IMessagePort *GetMessagePort()
{
    return g_port;
}

void SetDataFileOpenQuery(std::function<bool()> isOpen)
{
    g_isDataFileOpen = std::move(isOpen);
}
void SetReminderWindowsEnabler(std::function<void(bool)> enable)
{
    g_enableReminderWindows = std::move(enable);
}
void SetDefaultOwnerProvider(std::function<QObject *()> provider)
{
    g_defaultOwner = std::move(provider);
}
void SetMainWindowCloser(std::function<void()> close)
{
    g_closeMainWindow = std::move(close);
}

bool IsDataFileOpen()
{
    return g_isDataFileOpen && g_isDataFileOpen();
}

void EnableReminderWindows(bool enable)
{
    if (g_enableReminderWindows)
        g_enableReminderWindows(enable);
}

void EnterReminderWindowsHold()
{
    if (g_reminderHoldNesting++ == 0)
        EnableReminderWindows(false);
}

void LeaveReminderWindowsHold()
{
    if (g_reminderHoldNesting == 0)
        return; // unbalanced: never enable twice
    if (--g_reminderHoldNesting == 0)
        EnableReminderWindows(true);
}

int GetReminderWindowsHoldNesting()
{
    return g_reminderHoldNesting;
}

QObject *GetMainActivePopup()
{
    return g_defaultOwner ? g_defaultOwner() : nullptr;
}

QString SystemErrorText(std::uint32_t systemCode)
{
    const auto it = std::lower_bound(std::begin(kSystemTexts), std::end(kSystemTexts), systemCode,
                                     [](const SystemText &e, std::uint32_t key) { return e.code < key; });
    if (it == std::end(kSystemTexts) || it->code != systemCode)
        return {};
    return QString::fromUtf8(it->text);
}

QString ErrorCodeToText(HRESULT code)
{
    if (code == S_OK || code == S_FALSE)
        return {};

    if (IsOwnCode(code)) {
        const auto it = std::lower_bound(std::begin(kOwnTexts), std::end(kOwnTexts), code,
                                         [](const OwnText &e, HRESULT key) { return e.code < key; });
        if (it != std::end(kOwnTexts) && it->code == code) {
            if (!it->text)
                return {};
            QString text = QString::fromUtf8(it->text);
            if (text.contains(QLatin1String("%s")))
                text.replace(QLatin1String("%s"), SupportAddress());
            return text;
        }
        if (g_port)
            g_port->Beep();
        return UnknownErrorText(code);
    }

    // A system error either wrapped (0x80070000 + code) or bare.
    std::uint32_t systemCode = code;
    if ((code & 0xFFFF0000u) == 0x80070000u)
        systemCode = code & 0xFFFFu;
    QString text = systemCode <= 0xFFFFu ? SystemErrorText(systemCode) : QString();
    if (text.isEmpty())
        text = UnknownErrorText(code);
    return text;
}

int ShowMessageBox(QObject *owner, bool disableReminders, const QString &text, MessageIcon icon,
                   MessageButtons buttons, int defaultButton, bool topmost, int helpContext)
{
    MessageBoxRequest request;
    request.owner = owner;
    request.caption = GetConstString(ConstName::ProgramName);
    request.text = text;
    request.icon = icon;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    request.topmost = topmost;
    request.helpContext = helpContext;

    if (!g_port) {
        qWarning("%s: %s", qUtf8Printable(request.caption), qUtf8Printable(text));
        return DismissedResult(buttons);
    }
    if (disableReminders)
        EnterReminderWindowsHold();
    const int result = g_port->ShowMessageBox(request);
    if (disableReminders)
        LeaveReminderWindowsHold();
    return result;
}

int ShowError(int stringId, QObject *owner)
{
    return ShowErrorText(LoadResString(stringId), owner);
}
int ShowInfo(int stringId, QObject *owner)
{
    return ShowInfoText(LoadResString(stringId), owner);
}
int ShowWarning(int stringId, QObject *owner)
{
    return ShowWarningText(LoadResString(stringId), owner);
}

int ShowErrorText(const QString &text, QObject *owner)
{
    return ShowMessageBox(owner, false, text, MessageIcon::Error, MessageButtons::Ok, 0, true);
}

int ShowInfoText(const QString &text, QObject *owner)
{
    return ShowMessageBox(owner, false, text, MessageIcon::Information, MessageButtons::Ok, 0, true);
}

int ShowWarningText(const QString &text, QObject *owner)
{
    return ShowMessageBox(owner, false, text, MessageIcon::Warning, MessageButtons::Ok, 0, true);
}

int AskQuestion(const QString &text, QObject *owner, MessageButtons buttons, int defaultButton)
{
    return ShowMessageBox(owner ? owner : GetMainActivePopup(), true, text, MessageIcon::Question, buttons,
                          defaultButton);
}

int ShowErrorTextModal(const QString &text, QObject *owner, bool disableReminders)
{
    NestingGuard counted;
    return ShowMessageBox(owner ? owner : GetMainActivePopup(), disableReminders, text, MessageIcon::Error);
}

int ShowWarningTextModal(const QString &text, QObject *owner, bool disableReminders)
{
    NestingGuard counted;
    return ShowMessageBox(owner ? owner : GetMainActivePopup(), disableReminders, text, MessageIcon::Warning);
}

int GetMessageBoxNesting()
{
    return g_messageBoxNesting;
}

HRESULT ReportError(HRESULT code, QObject *owner, bool disableReminders)
{
    QString text = ErrorCodeToText(code);
    if (text.isEmpty())
        return code;
    if (code != kNoHintCode && !IsDataFileOpen())
        text += GetConstString(ConstName::ClosedFileHint);
    ShowErrorTextModal(text, owner, disableReminders);
    return code;
}

void QuitWithCode(HRESULT code, bool silent)
{
    g_exitCode = code;
    if (!silent)
        ReportError(code);
    if (g_closeMainWindow)
        g_closeMainWindow();
}

HRESULT GetExitCode()
{
    return g_exitCode;
}
