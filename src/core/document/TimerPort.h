// ITimerPort: the frame's timers. The shell arms real timers and calls
// CCalendarDocument::OnTimer with the id when one fires; tests fire them by hand.
#pragma once

class ITimerPort
{
  public:
    virtual ~ITimerPort() = default;
    // Arms (or re-arms) a periodic timer; returns the id OnTimer will be given, 0 on failure.
    virtual int SetTimer(int timerId, int milliseconds) = 0;
    virtual void KillTimer(int id) = 0;
};
