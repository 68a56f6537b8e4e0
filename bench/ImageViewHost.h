// A window-less view host the size of an offscreen image, for the view benchmarks: the view lays
// out and paints as in a window of that size and every window request is a no-op.
#pragma once

#include "views/base/ViewPorts.h"

#include <QMimeData>
#include <QRect>
#include <QSize>

class ImageViewHost : public IViewHost
{
  public:
    explicit ImageViewHost(QSize size) : m_size(size) {}

    QRect ClientRect() const override { return QRect(QPoint(0, 0), m_size); }
    void Invalidate(const QRect &) override {}
    void UpdateWindow() override {}
    void SetCapture(bool) override {}
    bool HasCapture() const override { return false; }
    void SetCursorShape(ViewCursor) override {}
    void TakeFocus() override {}
    void Beep() override {}
    QPoint MapToScreen(const QPoint &p) const override { return p; }
    QPoint MapFromScreen(const QPoint &p) const override { return p; }
    void ShowContextMenu(int, const QPoint &) override {}
    int StartOleDrag(int, const QRect &) override { return 0; }
    void ShowWarning(int) override {}
    void ReportError(HRESULT) override {}
    void ShowEdit(const QRect &, const QString &, bool) override {}
    void HideEdit() override {}
    bool IsEditVisible() const override { return false; }
    QString EditText() const override { return {}; }
    bool IsEditModified() const override { return false; }
    void FocusEdit() override {}
    HRESULT PasteFromDataObject(const QMimeData *, const QPoint &) override { return S_OK; }

  private:
    QSize m_size;
};
