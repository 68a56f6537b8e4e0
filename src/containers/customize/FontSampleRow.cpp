// The font line of the customise dialogs.
#include "containers/customize/FontSampleRow.h"

#include "containers/customize/FontChoice.h"
#include "editing/base/ReminderWindowsGate.h"

#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
CFontSampleRow::Chooser &CurrentChooser()
{
    static CFontSampleRow::Chooser chooser;
    return chooser;
}

QFont ToQFont(const CFontChoice &font)
{
    QFont f(font.Face());
    f.setPointSize(font.Points());
    f.setBold(font.IsBold());
    f.setItalic(font.IsItalic());
    return f;
}

// The desktop's font dialog; it has no size range, so the choice is brought into the range.
bool RunFontDialog(CFontChoice &font, QWidget *parent)
{
    bool ok = false;
    CReminderWindowsGate::Hold gate;
    const QFont chosen = QFontDialog::getFont(&ok, ToQFont(font), parent, QString(),
                                              QFontDialog::ScalableFonts | QFontDialog::NonScalableFonts);
    if (!ok)
        return false;
    font.Set(chosen.family(), chosen.pointSize() > 0 ? chosen.pointSize() : font.Points(), chosen.bold(),
             chosen.italic());
    return true;
}
} // namespace

void CFontSampleRow::SetChooser(Chooser chooser) { CurrentChooser() = std::move(chooser); }

CFontSampleRow::CFontSampleRow(CFontChoice &font, const QString &buttonText, QWidget *parent)
    : QWidget(parent), m_font(font)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("fontSample"));
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setFrameShadow(QFrame::Sunken);
    m_sample->setMinimumWidth(170);
    m_sample->setMinimumHeight(28);
    m_sample->setAlignment(Qt::AlignCenter);
    m_button = new QPushButton(buttonText, this);
    row->addWidget(m_sample, 1);
    row->addWidget(m_button);
    connect(m_button, &QPushButton::clicked, this, [this] { Choose(); });
    Refresh();
}

void CFontSampleRow::Refresh()
{
    m_sample->setText(m_font.SampleText());
    m_sample->setFont(ToQFont(m_font));
}

void CFontSampleRow::Choose()
{
    const Chooser &chooser = CurrentChooser();
    if (chooser ? chooser(m_font, this) : RunFontDialog(m_font, this))
        Refresh();
}
