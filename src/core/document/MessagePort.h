// The message port: how the core shows a message box or asks a yes/no question without
// knowing about windows. The GUI implements it with QMessageBox; tests fake it.
#pragma once

#include <QString>

class QObject;

enum class MessageIcon
{
    None,
    Error,
    Warning,
    Information,
    Question
};
enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    RetryCancel
};

// Box results, numbered as the system's button ids so that stored and compared values agree.
namespace MessageResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MessageResult

struct MessageBoxRequest
{
    QObject *owner = nullptr; // the window the box belongs to; null lets the GUI choose
    QString caption;          // always the program name
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    int defaultButton = 0; // index of the default button, 0 the first
    bool topmost = false;
    int helpContext = 0; // help topic that F1 opens while the box is up; 0 none
};

class IMessagePort
{
  public:
    virtual ~IMessagePort() = default;
    // Runs the box modally and returns the pressed button (MessageResult).
    virtual int ShowMessageBox(const MessageBoxRequest &request) = 0;
    // The system's error sound.
    virtual void Beep() = 0;
};
