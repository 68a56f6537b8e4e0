// A drop-down list of colours with a "Default" entry and, optionally, a "Custom..." entry that
// opens the colour dialog. Each entry shows its colour as a swatch (or, split, the colour and its
// soft shade side by side).
#pragma once

#include "core/lists/ColorRules.h"
#include "toolkit/controls/ColorEntryList.h"

#include <QComboBox>
#include <array>
#include <functional>
#include <optional>

class CColorComboBox : public QComboBox
{
    Q_OBJECT
  public:
    // The 16 custom colours the colour dialog offers, shared with the caller.
    using CustomColors = std::array<COLORREF, 16>;
    // Runs the colour dialog: the start colour and the custom colours in, the chosen colour out
    // (none when cancelled). Tests give a scripted one.
    using ColorChooser = std::function<std::optional<COLORREF>(COLORREF start, CustomColors *custom)>;

    explicit CColorComboBox(QWidget *parent = nullptr);

    // Resets the list: the colours (none when null), "Default" painted in the default colour and
    // text colour, and "Custom..." when allowed; `split` shows each colour with its soft shade.
    void FillColors(const COLORREF *colours, int count, COLORREF defaultColor, COLORREF defaultText,
                    CustomColors *customColors, bool customAllowed, bool split);
    // Selects the colour's entry; a colour not in the list shows as "Custom..." when custom colours
    // are allowed, else as "Default".
    void SelectColor(COLORREF colour);
    // The selected colour; 0xFF000000 for "Default", the window colour when nothing is selected.
    COLORREF GetColor() const;

    void SetColorChooser(ColorChooser chooser) { m_chooser = std::move(chooser); }
    const CColorEntryList &Entries() const { return m_entries; }
    bool IsSplit() const { return m_split; }
    COLORREF DefaultColor() const { return m_defaultColor; }
    COLORREF DefaultTextColor() const { return m_defaultText; }

    // Item height: 18 pixels at 120 logical pixels per inch, else 16.
    static int ItemHeightForDpi(int dpi) { return dpi == 120 ? 18 : 16; }
    // Paints entry `index` (-1: no entry) in `rect`; the list and the closed box share it.
    void DrawItem(QPainter &painter, const QRect &rect, int index, bool selected, bool enabled) const;

  signals:
    // The user chose an entry (after the colour dialog, for "Custom...").
    void colorChosen(COLORREF colour);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    void OnActivated(int index);
    void Rebuild();

    CColorEntryList m_entries;
    COLORREF m_defaultColor = 0;
    COLORREF m_defaultText = 0;
    CustomColors *m_customColors = nullptr;
    bool m_split = false;
    ColorChooser m_chooser;
};
