// CCalendarViewWnd: the window that shows a CCalendarViewCtrl: it forwards input to it, paints
// what it computed and carries its in-place edit.
#pragma once

#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"
#include "views/base/ViewDropTarget.h"
#include "views/base/ViewPorts.h"

#include <QElapsedTimer>
#include <QTimer>

class QAction;
class QLineEdit;
class QMenu;

class CCalendarViewWnd : public CCustomWnd, public IViewHost
{
  public:
    explicit CCalendarViewWnd(CCalendarViewCtrl &view, QWidget *parent = nullptr);
    ~CCalendarViewWnd() override;

    CCalendarViewCtrl &GetView() const { return m_view; }
    QLineEdit *GetEdit() const { return m_edit; }

    // IViewHost
    QRect ClientRect() const override { return rect(); }
    void Invalidate(const QRect &r) override;
    void UpdateWindow() override;
    void SetCapture(bool on) override;
    bool HasCapture() const override { return m_capture; }
    void SetCursorShape(ViewCursor cursor) override;
    void TakeFocus() override;
    void Beep() override;
    QPoint MapToScreen(const QPoint &client) const override { return mapToGlobal(client); }
    QPoint MapFromScreen(const QPoint &screen) const override { return mapFromGlobal(screen); }
    void ShowContextMenu(int popupIndex, const QPoint &screenPoint) override;
    int StartOleDrag(int allowedEffects, const QRect &screenStartRect) override;
    void ShowWarning(int stringId) override;
    void ReportError(HRESULT code) override;
    void ShowInfoText(const QString &text) override;
    void ShowEdit(const QRect &rect, const QString &text, bool multiLine) override;
    void HideEdit() override;
    bool IsEditVisible() const override;
    QString EditText() const override;
    bool IsEditModified() const override;
    void FocusEdit() override;
    void SendCharToEdit(QChar ch) override;
    HRESULT PasteFromDataObject(const QMimeData *data, const QPoint &point) override;

    // The clipboard formats and paste handlers are the view's.
    QByteArray RenderSelectionText() override { return m_view.RenderSelectionText(); }
    QByteArray SerializeSelection() override { return m_view.SerializeSelection(); }
    QByteArray RenderInternalFormat() override { return m_view.RenderInternalFormat(); }
    HRESULT PasteText(const QMimeData &data, const QPoint &dropPoint) override
    {
        return m_view.PasteText(data, dropPoint);
    }
    HRESULT PasteItems(const QMimeData &data, const QPoint &dropPoint) override
    {
        return m_view.PasteItems(data, dropPoint);
    }

    // Drop callbacks go to the view's logic.
    int OnDragEnter(const QMimeData *data, int keyState, const QPoint &point) override;
    int OnDragOver(const QMimeData *data, int keyState, const QPoint &point) override;
    int OnDropEx(const QMimeData *data, int effect, int effectList, const QPoint &point) override;
    void OnDragLeave() override;
    int OnDragScroll(int keyState, const QPoint &point) override;
    // Scrolling asked by the drop target's border rule goes to the view.
    bool OnScrollBy(std::uint16_t scrollCode, bool doScroll) override;
    CViewDropTarget &GetDropTarget() { return m_dropTarget; }

  protected:
    CCalendarViewCtrl *GetDragOwnerView() override { return &m_view; }
    // Runs the context menu and returns the chosen action (null when none); separate so that
    // tests can choose without a menu loop.
    virtual QAction *ExecMenu(QMenu &menu, const QPoint &screenPoint);
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

  private:
    CCalendarViewCtrl &m_view;
    QLineEdit *m_edit = nullptr;
    bool m_capture = false;
    CViewDropTarget m_dropTarget{*this};
    // Qt reports a drag only when it moves; a drag resting in the border strip keeps
    // scrolling through this timer.
    QTimer m_dragScrollTimer;
    QElapsedTimer m_dragClock;
    const QMimeData *m_dragData = nullptr;
    int m_dragKeyState = 0;
    QPoint m_dragPoint;
};

// Key-state bits of the drop callbacks from Qt's buttons and modifiers.
int DropKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The modifier flags of the view logic from Qt's.
int ViewModifiers(Qt::KeyboardModifiers modifiers);
