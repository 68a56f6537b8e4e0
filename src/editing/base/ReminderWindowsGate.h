// Keeps the open reminder windows disabled while any editing dialog is up: the first dialog to
// open disables them, the last one to close enables them again, however the runs nest.
#pragma once

class CReminderWindowsGate
{
  public:
    static void Enter();
    static void Leave();
    // How many runs (dialogs and message boxes) hold the windows now.
    static int GetNesting();

    // Holds the gate for the life of the object.
    class Hold
    {
      public:
        Hold() { Enter(); }
        ~Hold() { Leave(); }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;
    };
};
