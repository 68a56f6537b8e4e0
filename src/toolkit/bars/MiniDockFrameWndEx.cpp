// The floating frame of a torn-off bar.
#include "toolkit/bars/MiniDockFrameWndEx.h"

#include "toolkit/drawing/DrawHelpers.h"

#include <QCloseEvent>
#include <QPainter>

CMiniDockFrameWndEx::CMiniDockFrameWndEx(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    // No close button: the system menu's Close is greyed as well.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
}

void CMiniDockFrameWndEx::SetBar(QWidget *bar)
{
    m_bar = bar;
    if (!bar)
        return;
    bar->setParent(this);
    bar->move(0, 0);
    setWindowTitle(bar->windowTitle());
    setMinimumWidth(bar->minimumSizeHint().width());
    const QSize hint = bar->sizeHint();
    resize(hint.width(), bar->hasHeightForWidth() ? bar->heightForWidth(hint.width()) : hint.height());
    bar->resize(size());
    bar->show();
}

void CMiniDockFrameWndEx::FitWidth(int width)
{
    // Never narrower than the bar's narrowest layout.
    if (m_bar)
        width = std::max(width, m_bar->minimumSizeHint().width());
    const int height = m_bar && m_bar->hasHeightForWidth() ? m_bar->heightForWidth(width) : this->height();
    resize(width, std::max(1, height));
}

void CMiniDockFrameWndEx::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void CMiniDockFrameWndEx::resizeEvent(QResizeEvent *)
{
    if (!m_bar)
        return;
    m_bar->setGeometry(rect());
    // A width that asks for other rows gives the frame the height of those rows.
    if (m_bar->hasHeightForWidth()) {
        const int height = std::max(1, m_bar->heightForWidth(width()));
        if (height != this->height())
            resize(width(), height);
    }
}

void CMiniDockFrameWndEx::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), GetBarBackgroundBrush());
}
