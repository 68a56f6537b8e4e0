// The colour combo: entries from the entry list, painted as swatches, "Custom..." through the
// colour dialog.
#include "toolkit/controls/ColorComboBox.h"

#include "toolkit/controls/ColorComboDelegate.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {

// The system colour dialog: full, solid colours, with the 16 shared custom colours.
std::optional<COLORREF> RunColorDialog(QWidget *parent, COLORREF start, CColorComboBox::CustomColors *custom)
{
    if (custom) {
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, ToQColor((*custom)[std::size_t(i)]));
    }
    QColorDialog dialog(ToQColor(start), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (custom) {
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i)
            (*custom)[std::size_t(i)] = FromQColor(QColorDialog::customColor(i));
    }
    return FromQColor(dialog.selectedColor());
}

} // namespace

CColorComboBox::CColorComboBox(QWidget *parent) : QComboBox(parent)
{
    setItemDelegate(new CColorComboDelegate(this));
    connect(this, &QComboBox::activated, this, &CColorComboBox::OnActivated);
    const CMenuLook::Colors &c = CMenuLook::Instance().GetColors();
    FillColors(nullptr, 0, c.window, c.windowText, nullptr, false, false);
}

void CColorComboBox::FillColors(const COLORREF *colours, int count, COLORREF defaultColor, COLORREF defaultText,
                                CustomColors *customColors, bool customAllowed, bool split)
{
    m_defaultColor = defaultColor;
    m_defaultText = defaultText;
    m_customColors = customColors;
    m_split = split;
    m_entries.Fill(colours, count, customAllowed, CMenuLook::Instance().GetColors().window);
    Rebuild();
}

void CColorComboBox::Rebuild()
{
    const QSignalBlocker block(this);
    clear();
    for (int i = 0; i < m_entries.Count(); ++i) {
        QString text;
        if (m_entries.IsDefault(i))
            text = tr("Default");
        else if (m_entries.IsCustom(i))
            text = tr("Custom...");
        addItem(text, QVariant::fromValue(uint(m_entries.Data(i))));
    }
    setCurrentIndex(-1);
}

void CColorComboBox::SelectColor(COLORREF colour)
{
    const int index = m_entries.Select(colour);
    if (index >= 0)
        setItemData(index, QVariant::fromValue(uint(m_entries.Data(index))));
    setCurrentIndex(index);
    update();
}

COLORREF CColorComboBox::GetColor() const
{
    return m_entries.ColorAt(currentIndex(), CMenuLook::Instance().GetColors().window);
}

void CColorComboBox::OnActivated(int index)
{
    if (m_entries.IsCustom(index)) {
        const COLORREF start = m_entries.Data(index);
        const std::optional<COLORREF> chosen =
            m_chooser ? m_chooser(start, m_customColors) : RunColorDialog(this, start, m_customColors);
        // Cancelling keeps the previous custom colour.
        if (chosen) {
            m_entries.SetCustomColor(*chosen & 0xFFFFFF);
            setItemData(index, QVariant::fromValue(uint(m_entries.Data(index))));
            update();
        }
    }
    emit colorChosen(GetColor());
}

void CColorComboBox::DrawItem(QPainter &p, const QRect &rect, int index, bool selected, bool enabled) const
{
    const CMenuLook::Colors &c = CMenuLook::Instance().GetColors();
    COLORREF text, back;
    if (!enabled) {
        text = c.buttonShadow;
        back = c.buttonFace;
    } else if (index < 0 || index >= m_entries.Count()) {
        text = c.windowText;
        back = c.window;
    } else if (m_entries.IsDefault(index)) {
        text = m_defaultText;
        back = m_defaultColor;
    } else {
        back = m_entries.Data(index) & 0xFFFFFF;
        text = CColorEntryList::TextColorOn(back);
    }
    QRect r = rect;
    p.fillRect(r, ToQColor(selected ? c.highlight : c.window));
    r.adjust(2, 2, -2, -2);
    if (m_split && enabled && index >= 0 && !m_entries.IsDefault(index)) {
        const int half = r.width() / 2;
        p.fillRect(QRect(r.left(), r.top(), half, r.height()), ToQColor(back));
        p.fillRect(QRect(r.left() + half, r.top(), r.width() - half, r.height()), ToQColor(GetSoftShade(back)));
    } else {
        p.fillRect(r, ToQColor(back));
    }
    const QString label = index >= 0 && index < count() ? itemText(index) : QString();
    if (!label.isEmpty()) {
        // Texts start where "Custom..." would if it were centred, so the two entries line up.
        const QFontMetrics metrics(font());
        const int start = r.left() + std::max(2, (r.width() - metrics.horizontalAdvance(tr("Custom..."))) / 2);
        p.setFont(font());
        p.setPen(ToQColor(text));
        p.drawText(QRect(start, r.top(), r.right() - start + 1, r.height()), Qt::AlignVCenter | Qt::TextSingleLine,
                   label);
    }
}

void CColorComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawItem(p, field, currentIndex(), hasFocus(), isEnabled());
}
