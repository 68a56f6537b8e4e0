// CCustomizeParts: the pieces every customise dialog builds the same way: bold headings, the
// background colour combo and the colour button's colour dialog.
#pragma once

#include "containers/customize/CustomColors.h"

#include <QString>
#include <functional>
#include <optional>

class CColorComboBox;
class CFontChoice;
class CFontSampleRow;
class CLabelStatic;
class QDialog;
class QDialogButtonBox;
class QFormLayout;
class QVBoxLayout;
class QWidget;

class CCustomizeParts
{
  public:
    // Runs the colour dialog for the colour button; tests put their own in.
    using ColorChooser = std::function<std::optional<COLORREF>(COLORREF start, CCustomColors::Colors *custom)>;

    // A group heading in the dialog's font made bold.
    static CLabelStatic *Heading(const QString &text, QWidget *parent);
    // The background combo: with `palette` the view colours before "Default" and "Custom...",
    // otherwise only the window and window-text colours; `split` shows each colour with its
    // soft shade. Selects `colour`.
    static void FillBackground(CColorComboBox &combo, bool palette, bool split, CCustomColors::Colors *custom,
                               COLORREF colour);
    // The "View" heading with the font row and the plain background combo under it; the form,
    // for rows a dialog adds.
    static QFormLayout *AddViewGroup(QDialog *dialog, QVBoxLayout *top, CFontChoice &font,
                                     CCustomColors::Colors *custom, COLORREF background, CFontSampleRow *&fontRow,
                                     CColorComboBox *&backgroundCombo);
    // OK and Cancel at the foot, to the dialog's accept and reject; the box takes extra buttons.
    static QDialogButtonBox *AddOkCancel(QDialog *dialog, QVBoxLayout *top);
    static std::optional<COLORREF> ChooseColor(QWidget *parent, COLORREF start, CCustomColors::Colors *custom);
    static void SetColorChooser(ColorChooser chooser);
    // A colour of the program's look by number (33 window, 35 window text, 42 highlight).
    static COLORREF LookColor(int n);
};
