// Shared pieces of the customise dialogs.
#include "containers/customize/CustomizeParts.h"
#include "containers/customize/FontSampleRow.h"

#include "editing/base/ReminderWindowsGate.h"
#include "toolkit/controls/ColorComboBox.h"
#include "toolkit/controls/LabelStatic.h"
#include "toolkit/style/MenuLook.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace {
CCustomizeParts::ColorChooser &CurrentChooser()
{
    static CCustomizeParts::ColorChooser chooser;
    return chooser;
}

QColor ToQ(COLORREF c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
COLORREF FromQ(const QColor &c) { return COLORREF(c.red()) | COLORREF(c.green()) << 8 | COLORREF(c.blue()) << 16; }
} // namespace

CLabelStatic *CCustomizeParts::Heading(const QString &text, QWidget *parent)
{
    auto *label = new CLabelStatic(text, parent);
    QFont font = label->font();
    font.setWeight(QFont::Bold);
    label->setFont(font);
    return label;
}

void CCustomizeParts::FillBackground(CColorComboBox &combo, bool palette, bool split, CCustomColors::Colors *custom,
                                     COLORREF colour)
{
    const CMenuLook &look = CMenuLook::Instance();
    const COLORREF window = look.GetColor(33), text = look.GetColor(35);
    if (palette)
        combo.FillColors(CMenuLook::kViewPalette.data(), int(CMenuLook::kViewPalette.size()), window, text, custom,
                         true, split);
    else
        combo.FillColors(nullptr, 0, window, text, custom, false, false);
    combo.SelectColor(colour);
}

void CCustomizeParts::SetColorChooser(ColorChooser chooser) { CurrentChooser() = std::move(chooser); }

std::optional<COLORREF> CCustomizeParts::ChooseColor(QWidget *parent, COLORREF start, CCustomColors::Colors *custom)
{
    if (const ColorChooser &chooser = CurrentChooser())
        return chooser(start, custom);
    CReminderWindowsGate::Hold gate;
    for (int i = 0; custom && i < 16 && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, ToQ((*custom)[std::size_t(i)]));
    QColorDialog dialog(ToQ(start), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    for (int i = 0; custom && i < 16 && i < QColorDialog::customCount(); ++i)
        (*custom)[std::size_t(i)] = FromQ(QColorDialog::customColor(i));
    return FromQ(dialog.selectedColor());
}

COLORREF CCustomizeParts::LookColor(int n) { return CMenuLook::Instance().GetColor(n); }

QFormLayout *CCustomizeParts::AddViewGroup(QDialog *dialog, QVBoxLayout *top, CFontChoice &font,
                                           CCustomColors::Colors *custom, COLORREF background,
                                           CFontSampleRow *&fontRow, CColorComboBox *&backgroundCombo)
{
    top->addWidget(Heading(QDialog::tr("View"), dialog));
    auto *form = new QFormLayout;
    top->addLayout(form);
    fontRow = new CFontSampleRow(font, QDialog::tr("&Font..."), dialog);
    form->addRow(QDialog::tr("Font:"), fontRow);
    backgroundCombo = new CColorComboBox(dialog);
    FillBackground(*backgroundCombo, false, false, custom, background);
    form->addRow(QDialog::tr("&Background:"), backgroundCombo);
    return form;
}

QDialogButtonBox *CCustomizeParts::AddOkCancel(QDialog *dialog, QVBoxLayout *top)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    top->addSpacing(6);
    top->addWidget(buttons);
    return buttons;
}
