// What the Options dialog asks of the main window after OK, so that every change shows at once.
// The dialog asks only while the window exists.
#pragma once

class IOptionsTarget
{
  public:
    virtual ~IOptionsTarget() = default;
    virtual bool HasWindow() const = 0;
    // The pane colours changed: recompute the look's colours and redraw every child.
    virtual void RefreshPaneColors() = 0;
    virtual void LayOutPanes() = 0;
    // The toolbar again, with large or small icons as "Common"/"TLI" says.
    virtual void RebuildToolBar() = 0;
    // Rebind the views to the data and redraw them, keeping their date.
    virtual void RefreshViews() = 0;
};
