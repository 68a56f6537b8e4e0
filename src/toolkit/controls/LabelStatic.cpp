// The group heading's painting.
#include "toolkit/controls/LabelStatic.h"

#include "toolkit/controls/ControlPainting.h"
#include "toolkit/controls/LabelRule.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QPainter>

CLabelStatic::CLabelStatic(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void CLabelStatic::SetOnTab(bool on)
{
    m_onTab = on;
    update();
}

int CLabelStatic::MeasuredTextWidth() const
{
    return QFontMetrics(font()).horizontalAdvance(CLabelRule::MeasuredText(text()));
}

void CLabelStatic::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    const QRect client = rect();
    if (!m_onTab)
        p.fillRect(client, ToQColor(look.buttonFace));
    p.setFont(font());
    const QString shown = CLabelRule::ShownText(text());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (isEnabled()) {
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(client, flags, shown);
    } else {
        DrawEmbossedText(p, client, flags, shown, look.buttonHighlight, look.buttonShadow);
    }

    const CLabelRule::Lines rule = CLabelRule::Rule(MeasuredTextWidth(), client);
    if (rule.empty)
        return;
    p.setPen(ToQColor(look.buttonShadow));
    p.drawLine(rule.shadow);
    p.setPen(ToQColor(look.buttonHighlight));
    p.drawLine(rule.highlight);
    p.drawLine(rule.highlightEnd);
}
