// COptionsColorsModel: the Appearance page without its window: the pane colours, the task
// colours, the toolbar icon size and the colour dialog's sixteen custom colours.
#pragma once

#include "core/lists/ColorRules.h"

#include <QByteArray>
#include <array>

class COptionsColorsModel
{
  public:
    static constexpr COLORREF kDefaultOverdue = 0x0000FF;
    static constexpr COLORREF kDefaultCompleted = 0x848484;
    static constexpr int kCustomColorCount = 16;
    using CustomColors = std::array<COLORREF, kCustomColorCount>;

    struct State
    {
        bool customPanes = false; // "CIC"
        COLORREF paneBackground = 0xFFFFFF;
        COLORREF paneText = 0;
        bool largeIcons = true; // "TLI"
        COLORREF overdue = kDefaultOverdue;
        COLORREF completed = kDefaultCompleted;
        CustomColors customColors{};
    };

    // Reads the values; the pane colours default to the live ones the panes show now.
    void Load(COLORREF livePaneBackground, COLORREF livePaneText);
    State &GetState() { return m_state; }
    const State &GetState() const { return m_state; }

    void MarkChanged() { m_changed = true; }
    bool IsChanged() const { return m_changed; }
    // Leaving the page: panes in their own colours need two different ones.
    bool CanLeave() const;

    // "CCS": 64 bytes, four per colour, little-endian; any other length gives sixteen whites.
    static CustomColors DecodeCustomColors(const QByteArray &data);
    static QByteArray EncodeCustomColors(const CustomColors &colors);

    // Writes every value when something changed; true when it wrote. paneColorsChanged tells
    // that "CIC", "ICB" or "ICT" differ from what the panes showed.
    bool Apply();
    bool PaneColorsChanged() const { return m_paneColorsChanged; }
    bool WasApplied() const { return m_applied; }

  private:
    State m_state;
    State m_loaded;
    bool m_changed = false;
    bool m_applied = false;
    bool m_paneColorsChanged = false;
};
