// CFramedViewContainer: the shape the Month, Week and Year containers share: one view control in
// a bordered frame that fills the container, the view's Page Up and Page Down notifications
// turned into period steps, and the steps after a reload that the three containers make alike.
#pragma once

#include "containers/base/MainViewContainer.h"

class CBorderWnd;
class CCalendarViewWnd;

class CFramedViewContainer : public CMainViewContainer
{
  public:
    // The modifier word of a key notification that asks for a single step (one week).
    static constexpr int kSingleStepFlags = -1;

    explicit CFramedViewContainer(QWidget *parent = nullptr);
    ~CFramedViewContainer() override;

    CBorderWnd *GetFrame() const { return m_frame; }
    CCalendarViewWnd *GetViewWindow() const { return m_viewWnd; }
    CCalendarViewCtrl *GetViewCtrl() const override { return m_view; }
    QString GetCaptionText() const override;
    int OnNotify(const CNotifyRecord &record) override;

    // A period step asked by a key; single steps are the Month container's.
    virtual void StepByKey(bool forward, bool singleStep);

  protected:
    // The wait cursor for the whole of a load.
    class CWaitCursor
    {
      public:
        explicit CWaitCursor(IContainerPrompts *prompts);
        ~CWaitCursor();
        CWaitCursor(const CWaitCursor &) = delete;
        CWaitCursor &operator=(const CWaitCursor &) = delete;

      private:
        IContainerPrompts *m_prompts;
    };

    // A date a container can go to: valid and not the zero date that stands for none.
    static bool IsUsable(const CDateTime &date) { return date.IsValid() && date.Value() != 0.0; }
    // Puts the view in the frame, the container as its owner, the section on both, and loads its
    // options (the view's late initialisation); the pane settings default to the kind's own.
    // Called once by the derived constructor.
    void AttachView(CCalendarViewCtrl &view, int kind, int frameId, int viewId, bool sidePaneDefault,
                    bool detailsDefault);
    void resizeEvent(QResizeEvent *event) override;
    // After a reload: a result that is no success goes to the session error handling.
    static void CheckReload(HRESULT hr);
    // The TaskPad and the Date Navigator follow a reload of a view with a TaskPad beside it.
    void SyncSidePanes(const CDateTime &date, const CDateTime &selectionStart, int unit, int days);
    // Repaints the Date Navigator and the TaskPad when the side pane shows.
    void RepaintSidePanes();
    // Lays out and repaints the view, titles the information bar and, unless kept, counts.
    void FinishLoad(bool keepStatus);

  private:
    CCalendarViewCtrl *m_view = nullptr;
    CBorderWnd *m_frame = nullptr;
    CCalendarViewWnd *m_viewWnd = nullptr;
};
