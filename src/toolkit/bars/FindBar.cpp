// The find bar.
#include "toolkit/bars/FindBar.h"

#include "core/system/Profile.h"
#include "toolkit/bars/DateFieldFactory.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

CFindBar::CFindBar(QWidget *parent) : QWidget(parent)
{
    m_lookForLabel = new QLabel(QStringLiteral("Look for:"), this);
    m_combo = new QComboBox(this);
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setMinimumContentsLength(24);
    m_startLabel = new QLabel(QStringLiteral("Start:"), this);
    m_start = CreateDateField(this);
    m_endLabel = new QLabel(QStringLiteral("End:"), this);
    m_end = CreateDateField(this);
    m_findNow = new QPushButton(QStringLiteral("Find Now"), this);
    m_findNow->setDefault(true);
    m_close = new QPushButton(QStringLiteral("Close"), this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(6);
    layout->addWidget(m_lookForLabel);
    layout->addWidget(m_combo, 1);
    layout->addSpacing(6);
    layout->addWidget(m_startLabel);
    layout->addWidget(m_start);
    layout->addWidget(m_endLabel);
    layout->addWidget(m_end);
    layout->addSpacing(6);
    layout->addWidget(m_findNow);
    layout->addWidget(m_close);
    setFocusProxy(nullptr);
    setFocusPolicy(Qt::StrongFocus);

    connect(m_findNow, &QPushButton::clicked, this, [this] { emit commandRequested(kCmdFindNow); });
    connect(m_close, &QPushButton::clicked, this, [this] { emit commandRequested(kCmdClose); });
    connect(m_combo, &QComboBox::editTextChanged, this, [this] { MarkChanged(m_lookForLabel); });
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this] { MarkChanged(m_lookForLabel); });
    OnDateFieldChanged(m_start, [this] { MarkChanged(m_startLabel); });
    OnDateFieldChanged(m_end, [this] { MarkChanged(m_endLabel); });
    for (QWidget *w : {static_cast<QWidget *>(m_combo), static_cast<QWidget *>(m_findNow),
                       static_cast<QWidget *>(m_close), m_start, m_end})
        w->installEventFilter(this);
    // The focus and the keys go to the parts of a date field, not to the field itself.
    for (QWidget *field : {m_start, m_end})
        for (QWidget *part : field->findChildren<QWidget *>())
            part->installEventFilter(this);
    if (m_combo->lineEdit())
        m_combo->lineEdit()->installEventFilter(this);
    m_focus = m_combo;
}

CFindBar::~CFindBar()
{
    if (m_loaded)
        m_history.Save(CProfile::Instance());
}

void CFindBar::InitControls()
{
    const QFont base = font();
    m_regular = base;
    m_regular.setPointSize(8);
    m_regular.setWeight(QFont::Normal);
    m_bold = base;
    m_bold.setPointSize(10);
    m_bold.setWeight(QFont::Bold);
    m_boldItalic = m_bold;
    m_boldItalic.setItalic(true);
    m_combo->setFont(m_regular);
    SetLabelFonts();
    SetDateFieldValue(m_start, CDateTime::Null());
    SetDateFieldValue(m_end, CDateTime::Null());
    if (m_combo->lineEdit())
        m_combo->lineEdit()->setMaxLength(kMaxTextLength);
    m_history.Load(CProfile::Instance());
    m_loaded = true;
    FillList(-1);
    SetLabelFonts();
}

void CFindBar::SetLabelFonts()
{
    const QColor text = ToQColor(CMenuLook::Instance().GetColors().buttonShadow);
    for (QLabel *label : {m_lookForLabel, m_startLabel, m_endLabel}) {
        label->setFont(m_bold);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, text);
        label->setPalette(palette);
    }
}

void CFindBar::MarkChanged(QLabel *label)
{
    label->setFont(m_boldItalic);
}

void CFindBar::FocusSearchText()
{
    m_combo->setFocus(Qt::OtherFocusReason);
}

void CFindBar::FillList(int selectRow)
{
    const QString text = m_combo->currentText();
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    m_combo->addItems(m_history.ListRows());
    if (selectRow >= 0 && selectRow < m_combo->count())
        m_combo->setCurrentIndex(selectRow);
    else
        m_combo->setEditText(text);
}

void CFindBar::AddToHistory(const QString &text)
{
    FillList(m_history.Add(text.left(kMaxTextLength)));
}

QString CFindBar::GetSearchCriteria(CDateTime &start, CDateTime &end) const
{
    start = DateFieldValue(m_start);
    end = DateFieldValue(m_end);
    return m_combo->currentText();
}

QLabel *CFindBar::Label(int id) const
{
    switch (id) {
    case kLookForLabel:
        return m_lookForLabel;
    case kStartLabel:
        return m_startLabel;
    case kEndLabel:
        return m_endLabel;
    default:
        return nullptr;
    }
}

bool CFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget == m_combo->lineEdit())
            widget = m_combo;
        for (QWidget *field : {m_start, m_end})
            if (field->isAncestorOf(widget))
                widget = field;
        m_focus = widget;
        if (widget == m_combo || widget == m_findNow || widget == m_close)
            emit focusTaken();
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && ((key->modifiers() & Qt::ControlModifier) || watched == m_close)) {
            emit tabbedOut(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == m_close) {
        // "Close" does not keep the default frame once the focus has left it.
        m_close->setDefault(false);
        m_findNow->setDefault(true);
    }
    return QWidget::eventFilter(watched, event);
}

void CFindBar::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_focus)
        m_focus->setFocus(event->reason());
}

void CFindBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Two frames in the outer border colour, then two in the inner one.
    const auto &c = CMenuLook::Instance().GetColors();
    QRect r = rect().adjusted(0, 0, -1, -1);
    for (int i = 0; i < 4; ++i) {
        painter.setPen(ToQColor(i < 2 ? c.frame : c.grid));
        painter.drawRect(r);
        r.adjust(1, 1, -1, -1);
    }
}
