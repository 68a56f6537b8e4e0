// The preview pane.
#include "containers/preview/PreviewPane.h"

#include "containers/preview/EventPreviewBar.h"
#include "containers/preview/PreviewFields.h"
#include "containers/preview/TaskPreviewBar.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/Profile.h"
#include "editing/base/NotesEdit.h"
#include "toolkit/style/MenuLook.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/NotifyTarget.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace {

QColor FromColorRef(COLORREF c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
} // namespace

CPreviewPane::CPreviewPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPane"));
    setFocusPolicy(Qt::StrongFocus);
    m_eventBar = new CEventPreviewBar(this);
    m_taskBar = new CTaskPreviewBar(this);
    Watch(m_eventBar, m_eventBar->FocusFields());
    Watch(m_taskBar, m_taskBar->FocusFields());
    m_eventBar->hide();
    m_taskBar->hide();
    resize(width(), GetStoredHeight());
}

CPreviewPane::~CPreviewPane() = default;

void CPreviewPane::Watch(QWidget *, const QList<QWidget *> &fields)
{
    for (QWidget *field : fields)
        field->installEventFilter(this);
}

int CPreviewPane::GetStoredHeight()
{
    return GetProfileInt(QStringLiteral("Details"), QStringLiteral("CY"), kDefaultHeight);
}

void CPreviewPane::SaveHeight() const
{
    WriteProfileInt(QStringLiteral("Details"), QStringLiteral("CY"), height());
}

void CPreviewPane::ShowItem(const CItemRef *ref)
{
    if (!ref) {
        if (IsShowingItem() || !m_key.IsEmpty()) {
            m_key = CPreviewKey();
            m_eventBar->hide();
            m_taskBar->hide();
        }
        return;
    }
    if (const CEventItem *event = ref->GetEvent()) {
        m_key = CPreviewKey::From(*ref);
        m_eventBar->Fill(CPreviewFields::ForEvent(*event, ref->GetOccurrenceDate()));
        m_taskBar->hide();
        m_eventBar->show();
    } else if (const CTaskItem *task = ref->GetTask()) {
        m_key = CPreviewKey::From(*ref);
        m_taskBar->Fill(CPreviewFields::ForTask(*task));
        m_eventBar->hide();
        m_taskBar->show();
    }
}

bool CPreviewPane::IsItemShown(const CItemRef &ref) const { return m_key.Names(ref); }

bool CPreviewPane::IsShowingItem() const { return !m_eventBar->isHidden() || !m_taskBar->isHidden(); }

void CPreviewPane::PlaceBars()
{
    const QRect inner = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    // A pane smaller than what a bar needs keeps the bar at its least size, clipped, rather than
    // squeezing its fields over each other.
    for (QWidget *bar : {static_cast<QWidget *>(m_eventBar), static_cast<QWidget *>(m_taskBar)}) {
        const QSize least = bar->minimumSizeHint();
        bar->setGeometry(inner.x(), inner.y(), std::max(inner.width(), least.width()),
                         std::max(inner.height(), least.height()));
    }
}

void CPreviewPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (width() > 0 && height() > 0)
        PlaceBars();
}

void CPreviewPane::paintEvent(QPaintEvent *)
{
    // Two rings in the window-frame colour outside two in the window colour.
    QPainter painter(this);
    const CMenuLook &look = CMenuLook::Instance();
    const QColor frame = FromColorRef(look.GetColor(34));
    const QColor window = FromColorRef(look.GetColor(33));
    QRect r = rect();
    for (int ring = 0; ring < kFrame; ++ring) {
        painter.setPen(ring < 2 ? frame : window);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    painter.fillRect(r, palette().color(QPalette::Button));
}

void CPreviewPane::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!m_eventBar->isHidden())
        m_eventBar->Subject()->setFocus();
    else if (!m_taskBar->isHidden())
        m_taskBar->Subject()->setFocus();
}

bool CPreviewPane::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QWidget *>(watched);
    if (field && event->type() == QEvent::FocusIn && isVisible() && m_onFocusChild) {
        m_onFocusChild(field);
    } else if (field && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool ctrlTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                             (key->modifiers() & Qt::ControlModifier);
        if (ctrlTab && m_keyTarget) {
            if (INotifyTarget *target = m_keyTarget()) {
                CNotifyRecord record;
                record.sender = this;
                record.controlId = kControlId;
                record.code = kNotifyKeyDown;
                record.key = key->key();
                record.flags = kModCtrl | ((key->modifiers() & Qt::ShiftModifier) ? kModShift : 0);
                if (target->OnNotify(record) != 0)
                    return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
