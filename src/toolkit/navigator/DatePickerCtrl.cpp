#include "toolkit/navigator/DatePickerCtrl.h"

#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/system/Profile.h"
#include "toolkit/navigator/DateDropDown.h"
#include "toolkit/navigator/DropButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace {

QDate ToQDate(const CDateTime &d) { return QDate(d.GetYear(), d.GetMonth(), d.GetDay()); }

bool InCalendarRange(const CDateTime &d)
{
    return d.IsValid() && d.DatePart() >= DateRange::Min() && d.DatePart() <= DateRange::Max();
}

} // namespace

CDatePickerCtrl::CDatePickerCtrl(QWidget *parent, bool showNone) : QWidget(parent), m_showNone(showNone)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (showNone) {
        m_none = new QCheckBox(this);
        m_none->setChecked(true);
        layout->addWidget(m_none);
        connect(m_none, &QCheckBox::toggled, this, [this](bool) {
            UpdateEditEnabled();
            if (!m_settingDate)
                emit dateChanged();
        });
    }
    m_edit = new QDateEdit(this);
    m_edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_edit->setCalendarPopup(false);
    m_edit->setDateRange(QDate(1753, 1, 1), QDate(4000, 12, 31));
    m_edit->setDate(ToQDate(DateOnly(GetNow())));
    m_edit->installEventFilter(this);
    layout->addWidget(m_edit, 1);
    m_button = new DropButton(this);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);
    connect(m_edit, &QDateEdit::dateChanged, this, [this] {
        if (!m_settingDate)
            emit dateChanged();
    });
    connect(m_button, &DropButton::dropRequested, this, &CDatePickerCtrl::OpenDropDown);
    ApplyLocaleFormat();
}

CDatePickerCtrl::~CDatePickerCtrl() = default;

bool CDatePickerCtrl::SetDateTime(const CDateTime &date)
{
    if (m_showNone && date.IsNull()) {
        m_settingDate = true;
        m_none->setChecked(false);
        m_settingDate = false;
        m_committed = true;
        return true;
    }
    if (!InCalendarRange(date))
        return false;
    m_settingDate = true;
    if (m_none)
        m_none->setChecked(true);
    m_edit->setDate(ToQDate(DateOnly(date)));
    m_settingDate = false;
    m_committed = true;
    emit dateChanged();
    return true;
}

bool CDatePickerCtrl::GetDateTime(CDateTime &out) const
{
    if (m_none && !m_none->isChecked()) {
        out = CDateTime::Null();
        return true;
    }
    const QDate d = m_edit->date();
    if (!d.isValid())
        return false;
    out = CDateTime(d.year(), d.month(), d.day());
    return out.IsValid();
}

QString CDatePickerCtrl::DisplayFormatFor(const QString &picture)
{
    QString format = picture.left(81);
    if (!format.contains(QStringLiteral("ddd")))
        format.prepend(QStringLiteral("ddd "));
    return format;
}

void CDatePickerCtrl::ApplyLocaleFormat()
{
    const QString picture = GetLocaleDateData().shortDatePicture;
    if (!picture.isEmpty())
        m_edit->setDisplayFormat(DisplayFormatFor(picture));
    // The button-less edit asks only for its current text's width: reserve room for the widest
    // day and month names in two-digit days so no date of the format is cut off.
    int widest = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 22; day <= 28; ++day) {
            const QString text = m_edit->locale().toString(QDate(2000, month, day), m_edit->displayFormat());
            widest = std::max(widest, m_edit->fontMetrics().horizontalAdvance(text));
        }
    }
    m_edit->setMinimumWidth(widest + 2 * m_edit->style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth) + 8);
}

void CDatePickerCtrl::UpdateEditEnabled()
{
    m_edit->setEnabled(!m_none || m_none->isChecked());
}

QPoint CDatePickerCtrl::PlaceDropDown(const QRect &b, const QSize &popup, const QRect &bounds)
{
    const int bottom = b.y() + b.height(), right = b.x() + b.width();
    const int boundsBottom = bounds.y() + bounds.height();
    const int top = bottom + popup.height() < boundsBottom ? bottom + 1 : b.y() - popup.height() - 1;
    const int left = right - popup.width() > bounds.x() ? right - popup.width() : bounds.x() + 1;
    return QPoint(left, top);
}

void CDatePickerCtrl::OpenDropDown()
{
    CDateTime start;
    if (!GetDateTime(start) || !start.IsValid())
        start = GetNow();
    start = DateOnly(start);
    if (!m_dropDown) {
        m_dropDown = new CDateDropDown(this);
        const bool weekNumbers = GetProfileInt(QStringLiteral("Calendar"), QStringLiteral("SWN"), 1) != 0;
        if (!m_dropDown->Create(kDropDownId, weekNumbers,
                                [this](const NavigatorNotification &n) { return OnDropDownNotify(n); })) {
            delete m_dropDown;
            m_dropDown = nullptr;
            return;
        }
    }
    if (!m_dropDown->SetDate(start))
        return;
    const QRect button(m_button->mapToGlobal(QPoint(0, 0)), m_button->size());
    QRect bounds;
    const QScreen *screen = QGuiApplication::screenAt(button.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        bounds = screen->availableGeometry();
    else
        bounds = QRect(0, 0, 1 << 20, 1 << 20);
    m_dropDown->ShowAt(PlaceDropDown(button, m_dropDown->size(), bounds));
}

int CDatePickerCtrl::OnDropDownNotify(const NavigatorNotification &n)
{
    if (n.code == CDateNavigator::NotifyDateMoved) {
        // The field follows the highlight unless it may hold no date.
        if (!m_showNone)
            SetDateTime(n.date);
        return 1;
    }
    m_dropDown->Hide();
    if (!(n.code == CDateNavigator::NotifyCancelled && m_showNone))
        SetDateTime(n.date);
    if (n.code == CDateNavigator::NotifyDateChosen)
        emit dateCommitted();
    m_button->SetIgnoreNextPress(true);
    m_edit->setFocus(Qt::OtherFocusReason);
    return 1;
}

bool CDatePickerCtrl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool keypad = key->modifiers() & Qt::KeypadModifier;
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
            OpenDropDown();
            return true;
        }
        switch (key->key()) {
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Up:
        case Qt::Key_Down:
            m_committed = false;
            break;
        case Qt::Key_Plus:
        case Qt::Key_Minus:
            if (keypad)
                m_committed = false;
            break;
        default:
            if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9 && !keypad)
                m_committed = false;
            break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        auto *focus = static_cast<QFocusEvent *>(event);
        if (focus->reason() != Qt::PopupFocusReason && !m_committed) {
            m_committed = true;
            emit dateCommitted();
        }
    }
    return QWidget::eventFilter(watched, event);
}
