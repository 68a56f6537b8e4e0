// CCustomWnd and CBorderWnd: the base window of the views and containers, with the default
// drag-and-drop and clipboard entry points, and a window with a double border around one child.
#pragma once

#include "core/system/ResultCode.h"
#include "views/base/NotifyTarget.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class CCalendarViewCtrl;
class QMimeData;

// Drop effects as the drag loop reports them.
inline constexpr int kDropEffectNone = 0;
inline constexpr int kDropEffectCopy = 1;
inline constexpr int kDropEffectMove = 2;

// Key-state bits passed to the drop callbacks.
inline constexpr int kKeyStateLeftButton = 0x01;
inline constexpr int kKeyStateShift = 0x04;
inline constexpr int kKeyStateControl = 0x08;

// MIME types of the two private formats and of plain text.
QString TransferFormatMimeType(); // the private item format (copies and pastes)
QString InternalFormatMimeType(); // the marker of a drag between the program's own views
inline const char *kTextMimeType = "text/plain";

class CCustomWnd : public QWidget
{
  public:
    explicit CCustomWnd(QWidget *parent = nullptr);
    ~CCustomWnd() override;

    // Index into the fixed name table of the section holding the window's settings.
    int GetSectionIndex() const { return m_sectionIndex; }
    void SetSectionIndex(int index) { m_sectionIndex = index; }

    // Drop callbacks, called by the view's drop target; the defaults accept nothing.
    virtual int OnDragEnter(const QMimeData *data, int keyState, const QPoint &point);
    virtual int OnDragOver(const QMimeData *data, int keyState, const QPoint &point);
    virtual int OnDrop(const QMimeData *data, int effect, const QPoint &point);
    virtual int OnDropEx(const QMimeData *data, int effect, int effectList, const QPoint &point);
    virtual void OnDragLeave();
    virtual int OnDragScroll(int keyState, const QPoint &point);
    // Whether the window can scroll by the combined scroll code (low byte horizontal, high byte
    // vertical, 0 up or left, 1 down or right, 0xFF none), and with doScroll one step of it;
    // the default cannot scroll.
    virtual bool OnScrollBy(std::uint16_t scrollCode, bool doScroll);

    // The selection as plain text, in the private format and as the drag marker; a null array
    // when there is nothing to offer.
    virtual QByteArray RenderSelectionText();
    virtual QByteArray SerializeSelection();
    virtual QByteArray RenderInternalFormat();
    // Paste handlers: S_OK, QV_E_REFUSED when the format is not handled here, or another code.
    virtual HRESULT PasteText(const QMimeData &data, const QPoint &dropPoint);
    virtual HRESULT PasteItems(const QMimeData &data, const QPoint &dropPoint);

    // A data source with the internal marker alone, or with the text and the private format;
    // null when there is nothing to offer.
    virtual std::unique_ptr<QMimeData> CreateDataSource(bool internalOnly);
    // Pastes from the data object, or from the clipboard when none is given: the private format
    // first, the text only when the private handler declines it.
    virtual HRESULT PasteFromDataObject(const QMimeData *data, const QPoint &dropPoint);

    // Sends a key-down notification to the target; its answer, 0 without a target.
    static int NotifyKeyDown(QWidget *sender, int senderId, INotifyTarget *target, int key, int flags);

    // Runs a drag of the internal marker with the allowed effects; the effect the drag ended
    // with, kDropEffectNone when there was nothing to drag.
    int StartOleDrag(int allowedEffects, const QRect &screenStartRect);

  protected:
    // The view that hears of a drag's progress while this window's drag runs; none by default.
    virtual CCalendarViewCtrl *GetDragOwnerView() { return nullptr; }
    // The drag loop itself; separate so that tests can stand in for it.
    virtual int RunDragLoop(std::unique_ptr<QMimeData> data, int allowedEffects,
                            const QRect &screenStartRect);
    void paintEvent(QPaintEvent *event) override;

  private:
    int m_sectionIndex = 33;
};

// A window with a 4-pixel double border (frame colour outside, view background inside) whose
// one child fills the rest.
class CBorderWnd : public CCustomWnd
{
  public:
    static constexpr int kBorder = 4;

    explicit CBorderWnd(QWidget *parent = nullptr);

    QWidget *GetChild() const { return m_child; }
    void SetChild(QWidget *child) { m_child = child; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    QWidget *m_child = nullptr;
};
