// The link bar.
#include "toolkit/bars/LinkBar.h"

#include "toolkit/bars/CaptionBarLayout.h"
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

CLinkBar::CLinkBar(CCommandRouter *router, QWidget *parent) : QWidget(parent), m_router(router)
{
    m_web = new QLabel(QStringLiteral("www.zemblar-software.example"), this);
    m_comment = new QLabel(QStringLiteral("Send a comment"), this);
    for (QLabel *label : {m_web, m_comment}) {
        label->setTextFormat(Qt::PlainText);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->installEventFilter(this);
    }
    InitLinks(true);
    setFixedHeight(2 * (m_web->fontMetrics().height() + 2));
}

void CLinkBar::InitLinks(bool withFont)
{
    for (QLabel *label : {m_web, m_comment}) {
        if (withFont) {
            QFont f = font();
            f.setPointSize(8);
            f.setUnderline(true);
            label->setFont(f);
            label->setCursor(Qt::PointingHandCursor);
        }
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
        label->setPalette(palette);
    }
    Relayout();
}

QLabel *CLinkBar::Link(int command) const
{
    return command == kCmdWebAddress ? m_web : command == kCmdSendComment ? m_comment : nullptr;
}

void CLinkBar::Relayout()
{
    const int rowHeight = height() / 2;
    int row = 0;
    for (QLabel *label : {m_web, m_comment}) {
        label->setGeometry(LayoutLink(QRect(0, row * rowHeight, label->width(), rowHeight),
                                      label->fontMetrics().horizontalAdvance(label->text()), width()));
        ++row;
    }
}

bool CLinkBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const int command = watched == m_web ? kCmdWebAddress : watched == m_comment ? kCmdSendComment : 0;
        if (command) {
            emit linkActivated(command);
            if (m_router)
                m_router->Execute(command);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CLinkBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void CLinkBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setBrushOrigin(-mapTo(window(), QPoint(0, 0)));
    painter.fillRect(rect(), GetBarBackgroundBrush());
}
