// IMainBaseTaskPad: what the main base window asks of the TaskPad it puts under the Date
// Navigator: its window, the container it works for, and refreshing.
#pragma once

class IMainBaseContainer;
class QWidget;

class IMainBaseTaskPad
{
  public:
    virtual ~IMainBaseTaskPad() = default;
    virtual QWidget *Widget() = 0;
    // The container whose items and commands the TaskPad follows (null: none).
    virtual void SetOwner(IMainBaseContainer *owner) = 0;
    virtual void RefreshRows() = 0;
    virtual void ReloadOptions() = 0;
};
