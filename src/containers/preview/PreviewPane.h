// CPreviewPane: the details pane under the views. It shows the item focused in the active view,
// read-only, in the event bar or the task bar, inside a 4-pixel frame. Links in its subject and
// notes open through the one link opener (web and mail addresses only, whole).
#pragma once

#include "containers/preview/PreviewKey.h"

#include <QWidget>
#include <functional>

class CEventPreviewBar;
class CItemRef;
class CTaskPreviewBar;
class INotifyTarget;

class CPreviewPane : public QWidget
{
  public:
    static constexpr int kControlId = 809;
    static constexpr int kFrame = 4;
    static constexpr int kDefaultHeight = 201;

    explicit CPreviewPane(QWidget *parent = nullptr);
    ~CPreviewPane() override;

    // Kind 1 fills and shows the event bar, kind 2 the task bar; a holder without an item does
    // nothing; null forgets what is shown and hides both bars.
    void ShowItem(const CItemRef *ref);
    // Whether the holder names the item now shown (so that a container need not fill it again).
    bool IsItemShown(const CItemRef &ref) const;
    // Either bar is visible.
    bool IsShowingItem() const;
    const CPreviewKey &GetShownKey() const { return m_key; }
    // "Details"/"CY": the height written and read back across a restart.
    void SaveHeight() const;
    static int GetStoredHeight();

    CEventPreviewBar *EventBar() const { return m_eventBar; }
    CTaskPreviewBar *TaskBar() const { return m_taskBar; }

    // Who hears Ctrl+Tab in a field (the active container), and who remembers the focused field.
    void SetKeyTarget(std::function<INotifyTarget *()> target) { m_keyTarget = std::move(target); }
    void SetFocusChildHandler(std::function<void(QWidget *)> handler) { m_onFocusChild = std::move(handler); }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void PlaceBars();
    void Watch(QWidget *bar, const QList<QWidget *> &fields);

    CPreviewKey m_key;
    CEventPreviewBar *m_eventBar = nullptr;
    CTaskPreviewBar *m_taskBar = nullptr;
    std::function<INotifyTarget *()> m_keyTarget;
    std::function<void(QWidget *)> m_onFocusChild;
};
