// CFontSampleRow: the font line of the customise dialogs: a sample label "%s (%d pt.)" drawn in
// the chosen font and the button that opens the font dialog (sizes kept in the dialog's range).
#pragma once

#include <QWidget>
#include <functional>

class CFontChoice;
class QLabel;
class QPushButton;

class CFontSampleRow : public QWidget
{
  public:
    // Runs the font dialog on the choice; true when a font was chosen. Tests put their own in.
    using Chooser = std::function<bool(CFontChoice &font, QWidget *parent)>;

    CFontSampleRow(CFontChoice &font, const QString &buttonText, QWidget *parent);
    // Shows the choice again (after it was read or changed).
    void Refresh();
    // Opens the chooser as the button does.
    void Choose();
    QLabel *Sample() const { return m_sample; }

    static void SetChooser(Chooser chooser);

  private:
    CFontChoice &m_font;
    QLabel *m_sample = nullptr;
    QPushButton *m_button = nullptr;
};
