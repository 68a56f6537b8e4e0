// The notification record a control sends to its owner (a view to its container), and the
// receiving side.
#pragma once

class QWidget;

// Notification codes between the views and their containers.
inline constexpr int kNotifyKillFocus = -8;
inline constexpr int kNotifyFocusGained = -7;
inline constexpr int kNotifyKeyDown = -15;
inline constexpr int kNotifySelectionChanged = -10001;

struct CNotifyRecord
{
    QWidget *sender = nullptr;
    int controlId = 0;
    int code = 0;
    int key = 0;   // kNotifyKeyDown: the key
    int flags = 0; // kNotifyKeyDown: the modifier flags
};

class INotifyTarget
{
  public:
    virtual ~INotifyTarget() = default;
    // The target's answer; for a key-down a nonzero answer consumes the key.
    virtual int OnNotify(const CNotifyRecord &record) = 0;
};
