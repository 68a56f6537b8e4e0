// CControlColors: the four colours of the program's coloured controls (text, face, highlight,
// shadow): given by a face and a text colour with the other two derived from the face, or the
// system's own.
#pragma once

#include "core/lists/ColorRules.h"

class CControlColors
{
  public:
    // Which system colour a control's text takes when the colours are reset.
    enum class SystemText
    {
        Button, // push buttons
        Window, // check boxes, combo boxes and statics
    };

    COLORREF text = 0;
    COLORREF face = 0;
    COLORREF highlight = 0;
    COLORREF shadow = 0;
    bool custom = false; // set by FromFace, clear for the system colours

    // Face and text given; highlight = the face with its HLS lightness raised halfway to full,
    // shadow = the face with its lightness cut to two thirds.
    static CControlColors FromFace(COLORREF face, COLORREF text);
    // The system's button face, highlight and shadow with the button or window text colour.
    static CControlColors System(SystemText textKind);

    bool operator==(const CControlColors &) const = default;
};
