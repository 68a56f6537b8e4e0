// CItemLoadingVisitors: the four visitors with which every container fills its view (and its
// print view) from the data file. Each is called once per record id by the document's
// enumeration and returns 0 to go on or the code that stops it. Only the leading block of a
// record is read for an item outside the period; the whole item is read once it passes.
#pragma once

#include "core/system/ResultCode.h"

#include <cstdint>

class CViewContainer;

class CItemLoadingVisitors
{
  public:
    // What the screen task visitor does with each task.
    struct TaskLoad
    {
        bool alreadyLoaded = false; // read the whole task at once, no range test
        bool addToView = true;
        bool addToTaskPad = false; // kinds 1 to 4 only
    };

    // The screen visitors: events into the view (and their busy days into the Date Navigator
    // while the side pane shows), tasks into the view and the TaskPad.
    static HRESULT ScreenEvent(CViewContainer &container, std::uint32_t recordId);
    static HRESULT ScreenTask(CViewContainer &container, const TaskLoad &how, std::uint32_t recordId);
    // The print visitors, into the print job's view and its TaskPad column.
    static HRESULT PrintEvent(CViewContainer &container, std::uint32_t recordId);
    static HRESULT PrintTask(CViewContainer &container, std::uint32_t recordId);

    // One enumeration of the container's data source with each visitor; S_OK without a source.
    static HRESULT LoadScreenEvents(CViewContainer &container);
    static HRESULT LoadScreenTasks(CViewContainer &container, const TaskLoad &how);
    static HRESULT LoadPrintEvents(CViewContainer &container);
    static HRESULT LoadPrintTasks(CViewContainer &container);

    // The add mode of the print visitors for the job's style.
    static int PrintEventMode(int styleId);
    static int PrintTaskMode(int styleId);
};
