// The caption static's colours and its etched disabled text.
#include "toolkit/controls/CaptionStatic.h"

#include "toolkit/controls/ControlPainting.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QEvent>
#include <QPainter>

CCaptionStatic::CCaptionStatic(const QString &text, QWidget *parent)
    : QLabel(text, parent), m_colors(CControlColors::System(CControlColors::SystemText::Window))
{
}

void CCaptionStatic::SetColors(COLORREF face, COLORREF text)
{
    m_colors = CControlColors::FromFace(face, text);
    ApplyPalette();
    update();
}

void CCaptionStatic::ResetColors()
{
    m_colors = CControlColors::System(CControlColors::SystemText::Window);
    setAutoFillBackground(false);
    setPalette(QPalette());
    update();
}

void CCaptionStatic::SetSkinActive(bool on)
{
    m_skinActive = on;
    update();
}

void CCaptionStatic::ApplyPalette()
{
    // Enabled, the label paints itself as any label, in the given colours.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ToQColor(m_colors.text));
    pal.setColor(QPalette::Window, ToQColor(m_colors.face));
    setPalette(pal);
    setAutoFillBackground(true);
}

void CCaptionStatic::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && m_colors.custom)
        update();
}

void CCaptionStatic::paintEvent(QPaintEvent *event)
{
    if (!m_colors.custom || isEnabled()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.fillRect(rect(), ToQColor(m_colors.face));
    p.setFont(font());
    const int flags = int(alignment()) | Qt::TextSingleLine;
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    DrawEmbossedText(p, r, flags, text(), m_colors.highlight, m_colors.shadow, !m_skinActive);
}
