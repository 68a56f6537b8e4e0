// COptionsColorsPage: the Appearance page: the panes' own colours, the task colours and the
// toolbar icon size.
#pragma once

#include "shell/PropertyPage.h"
#include "shell/options/OptionsColorsModel.h"

#include <functional>

class CColorButton;
class QCheckBox;

class COptionsColorsPage : public CPropertyPage
{
    Q_OBJECT
  public:
    // Picks a colour: the current one in, true and the new one out after OK; the custom
    // colours may change meanwhile.
    using ColorChooser =
        std::function<bool(QWidget *parent, COLORREF &colour, COptionsColorsModel::CustomColors &custom)>;

    COptionsColorsPage(COLORREF livePaneBackground, COLORREF livePaneText, QWidget *parent = nullptr);

    COptionsColorsModel &Model() { return m_model; }
    void SetColorChooser(ColorChooser chooser) { m_chooser = std::move(chooser); }

    void OnSetActive() override;
    // Panes in their own colours need two different colours.
    bool OnKillActive() override;

    QCheckBox *CustomPanesBox() const { return m_customPanes; }
    QCheckBox *LargeIconsBox() const { return m_largeIcons; }
    CColorButton *PaneBackgroundButton() const { return m_paneBackground; }
    CColorButton *PaneTextButton() const { return m_paneText; }
    CColorButton *OverdueButton() const { return m_overdue; }
    CColorButton *CompletedButton() const { return m_completed; }

  private:
    void Choose(CColorButton *button, COLORREF &value);

    COptionsColorsModel m_model;
    ColorChooser m_chooser;
    QCheckBox *m_customPanes = nullptr;
    CColorButton *m_paneBackground = nullptr;
    CColorButton *m_paneText = nullptr;
    QCheckBox *m_largeIcons = nullptr;
    CColorButton *m_overdue = nullptr;
    CColorButton *m_completed = nullptr;
};
