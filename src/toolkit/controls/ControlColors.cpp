// The coloured controls' four colours.
#include "toolkit/controls/ControlColors.h"

#include "toolkit/drawing/DrawHelpers.h"

#include <QApplication>
#include <QPalette>

CControlColors CControlColors::FromFace(COLORREF face, COLORREF text)
{
    CControlColors c;
    c.text = text;
    c.face = face;
    c.highlight = LightenHlsHalfway(face);
    c.shadow = DarkenHlsTwoThirds(face);
    c.custom = true;
    return c;
}

CControlColors CControlColors::System(SystemText textKind)
{
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    CControlColors c;
    c.text = textKind == SystemText::Button ? FromQColor(QApplication::palette().color(QPalette::ButtonText))
                                            : look.windowText;
    c.face = look.buttonFace;
    c.highlight = look.buttonHighlight;
    c.shadow = look.buttonShadow;
    return c;
}
