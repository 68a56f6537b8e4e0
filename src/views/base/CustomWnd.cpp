// The window bases of the views and containers.
#include "views/base/CustomWnd.h"

#include "core/document/TransferFormat.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "views/base/ViewDropTarget.h"

#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>
#include <new>

QString TransferFormatMimeType()
{
    return QString::fromLatin1(Transfer::ItemsMimeType);
}

QString InternalFormatMimeType()
{
    return QString::fromLatin1(Transfer::MarkerMimeType);
}

CCustomWnd::CCustomWnd(QWidget *parent) : QWidget(parent) {}

CCustomWnd::~CCustomWnd() = default;

int CCustomWnd::OnDragEnter(const QMimeData *, int, const QPoint &)
{
    return kDropEffectNone;
}

int CCustomWnd::OnDragOver(const QMimeData *, int, const QPoint &)
{
    return kDropEffectNone;
}

int CCustomWnd::OnDrop(const QMimeData *, int, const QPoint &)
{
    return kDropEffectNone;
}

int CCustomWnd::OnDropEx(const QMimeData *, int, int, const QPoint &)
{
    return kDropEffectNone;
}

void CCustomWnd::OnDragLeave() {}

int CCustomWnd::OnDragScroll(int, const QPoint &)
{
    return 0;
}

bool CCustomWnd::OnScrollBy(std::uint16_t, bool)
{
    return false;
}

QByteArray CCustomWnd::RenderSelectionText()
{
    return {};
}

QByteArray CCustomWnd::SerializeSelection()
{
    return {};
}

QByteArray CCustomWnd::RenderInternalFormat()
{
    return {};
}

HRESULT CCustomWnd::PasteText(const QMimeData &, const QPoint &)
{
    return QV_E_REFUSED;
}

HRESULT CCustomWnd::PasteItems(const QMimeData &, const QPoint &)
{
    return QV_E_REFUSED;
}

std::unique_ptr<QMimeData> CCustomWnd::CreateDataSource(bool internalOnly)
{
    auto data = std::make_unique<QMimeData>();
    if (internalOnly) {
        QByteArray marker = RenderInternalFormat();
        if (marker.isNull())
            return nullptr;
        data->setData(InternalFormatMimeType(), marker);
        return data;
    }
    QByteArray text = RenderSelectionText();
    QByteArray items = SerializeSelection();
    if (text.isNull() && items.isNull())
        return nullptr;
    if (!text.isNull())
        data->setData(QString::fromLatin1(kTextMimeType), text);
    if (!items.isNull())
        data->setData(TransferFormatMimeType(), items);
    return data;
}

HRESULT CCustomWnd::PasteFromDataObject(const QMimeData *data, const QPoint &dropPoint)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    HRESULT hr = QV_E_REFUSED;
    try {
        if (!data)
            data = QGuiApplication::clipboard()->mimeData();
        if (data) {
            if (data->hasFormat(TransferFormatMimeType()))
                hr = PasteItems(*data, dropPoint);
            if (hr == QV_E_REFUSED && data->hasFormat(QString::fromLatin1(kTextMimeType)))
                hr = PasteText(*data, dropPoint);
        }
    } catch (const std::exception &) {
        hr = QV_E_NO_RESOURCES;
    }
    QGuiApplication::restoreOverrideCursor();
    return hr;
}

int CCustomWnd::NotifyKeyDown(QWidget *sender, int senderId, INotifyTarget *target, int key, int flags)
{
    if (!target)
        return 0;
    CNotifyRecord record;
    record.sender = sender;
    record.controlId = senderId;
    record.code = kNotifyKeyDown;
    record.key = key;
    record.flags = flags;
    return target->OnNotify(record);
}

int CCustomWnd::StartOleDrag(int allowedEffects, const QRect &screenStartRect)
{
    std::unique_ptr<QMimeData> data = CreateDataSource(true);
    if (!data)
        return kDropEffectNone;
    return RunDragLoop(std::move(data), allowedEffects, screenStartRect);
}

int CCustomWnd::RunDragLoop(std::unique_ptr<QMimeData> data, int allowedEffects, const QRect &)
{
    CViewDropSource source;
    source.SetOwnerView(GetDragOwnerView());
    auto *drag = new QDrag(this);
    drag->setMimeData(data.release());
    // The drop source is asked while the drag runs; it may call the drag off.
    bool cancelled = false;
    QTimer poll;
    poll.setInterval(CViewDropSource::kPollIntervalMs);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const CViewDropSource::Answer answer =
            source.Poll(QGuiApplication::mouseButtons(), QGuiApplication::queryKeyboardModifiers());
        if (answer == CViewDropSource::Answer::Cancel && !cancelled) {
            cancelled = true;
            QDrag::cancel();
        }
    });
    poll.start();
    const Qt::DropAction action = drag->exec(DropActionsFromEffects(allowedEffects), Qt::MoveAction);
    poll.stop();
    return cancelled ? kDropEffectNone : DropEffectFromAction(action);
}

void CCustomWnd::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), ToQColor(CMenuLook::Instance().GetColors().face));
}

CBorderWnd::CBorderWnd(QWidget *parent) : CCustomWnd(parent)
{
    setContentsMargins(kBorder, kBorder, kBorder, kBorder);
}

void CBorderWnd::paintEvent(QPaintEvent *event)
{
    CCustomWnd::paintEvent(event);
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    QPainter painter(this);
    QRect r = rect();
    const COLORREF rings[kBorder] = {colors.frame, colors.frame, colors.viewBackground,
                                     colors.viewBackground};
    for (COLORREF ring : rings) {
        if (r.width() <= 0 || r.height() <= 0)
            break;
        painter.setPen(ToQColor(ring));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
}

void CBorderWnd::resizeEvent(QResizeEvent *event)
{
    CCustomWnd::resizeEvent(event);
    const QSize size = event->size();
    if (size.width() == 0 || size.height() == 0 || !m_child)
        return;
    m_child->setGeometry(contentsRect());
    m_child->update();
}
