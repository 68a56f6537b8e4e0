// The item type editor's window.
#include "editing/types/EditItemTypeDlg.h"

#include "core/system/Messages.h"
#include "editing/base/DialogSupport.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/EditorFields.h"
#include "editing/base/SectionHeading.h"
#include "editing/types/ChangeIconDlg.h"
#include "toolkit/controls/ColorButton.h"
#include "toolkit/controls/DurationComboBox.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

CEditItemTypeDlg::SoundDialogFn &SoundDialog()
{
    static CEditItemTypeDlg::SoundDialogFn dialog;
    return dialog;
}

QFont FontOfRecord(const LogFont &lf, int dpi)
{
    QFont font;
    if (!lf.FaceName().isEmpty())
        font.setFamily(lf.FaceName());
    font.setPointSize(std::max(1, FontPointsFromHeight(lf.height, dpi)));
    font.setWeight(lf.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.italic != 0);
    font.setUnderline(lf.underline != 0);
    font.setStrikeOut(lf.strikeOut != 0);
    return font;
}

LogFont RecordOfFont(const QFont &font, int dpi, const LogFont &before)
{
    LogFont lf = before;
    // The font dialog offers 6 to 24 points.
    const int points = std::clamp(font.pointSize() > 0 ? font.pointSize() : 9, 6, 24);
    lf.height = FontHeightFromPoints(points, dpi);
    lf.width = 0;
    lf.weight = font.bold() ? 700 : 400;
    lf.italic = font.italic() ? 1 : 0;
    lf.underline = font.underline() ? 1 : 0;
    lf.strikeOut = font.strikeOut() ? 1 : 0;
    lf.SetFaceName(font.family());
    return lf;
}

} // namespace

void CEditItemTypeDlg::SetSoundDialog(SoundDialogFn dialog)
{
    SoundDialog() = std::move(dialog);
}

CEditItemTypeDlg::CEditItemTypeDlg(const QStringList &typeNames, const CItemType &type, int index,
                                   const ImagePixels &smallIcon, const ImagePixels &largeIcon,
                                   QWidget *parent)
    : QDialog(parent), m_editor(typeNames, type, index), m_small(smallIcon), m_large(largeIcon)
{
    setObjectName(QStringLiteral("EditItemTypeDlg"));
    setWindowTitle(tr("Edit Item Type"));
    ApplyReadingOrder(this);
    BuildForm();
}

int CEditItemTypeDlg::Dpi() const
{
    return logicalDpiY() > 0 ? logicalDpiY() : 96;
}

void CEditItemTypeDlg::BuildForm()
{
    const CItemType &type = m_editor.Type();
    const ItemTypeChecks checks = m_editor.ChecksFromFlags();
    auto *layout = new QVBoxLayout(this);

    // Name and icon.
    auto *top = new QGridLayout;
    auto *nameLabel = new QLabel(tr("&Name:"), this);
    m_name = new QLineEdit(type.GetName(), this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(CItemType::kMaxNameLength);
    nameLabel->setBuddy(m_name);
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("icon"));
    m_icon->setFixedSize(CIconSource::kLarge, CIconSource::kLarge);
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setPixmap(QPixmap::fromImage(IconImage(m_small, CIconSource::kSmall)));
    auto *changeIcon = new QPushButton(tr("Change &Icon..."), this);
    changeIcon->setObjectName(QStringLiteral("changeIcon"));
    top->addWidget(nameLabel, 0, 0);
    top->addWidget(m_name, 0, 1, 1, 3);
    top->addWidget(m_icon, 1, 1);
    top->addWidget(changeIcon, 1, 2);
    top->setColumnStretch(3, 1);
    layout->addLayout(top);

    // Reminder.
    layout->addWidget(CSectionHeading::Create(tr("Reminder"), this));
    auto *reminderRow = new QHBoxLayout;
    auto *leadLabel = new QLabel(tr("Default &reminder:"), this);
    m_lead = CEditorFields::CreateDurationField(this, QStringLiteral("reminderLead"), true);
    m_lead->setMinimumContentsLength(12);
    CEditorFields::SetDuration(m_lead, type.GetReminderLead());
    leadLabel->setBuddy(m_lead);
    reminderRow->addWidget(leadLabel);
    reminderRow->addWidget(m_lead);
    reminderRow->addWidget(new QLabel(tr("before"), this));
    reminderRow->addStretch();
    layout->addLayout(reminderRow);
    m_noWindowAfter = new QCheckBox(tr("Do not show the reminder when the item's &time is over"), this);
    m_noWindowAfter->setObjectName(QStringLiteral("noWindowAfter"));
    m_noWindowAfter->setChecked(checks.noWindowAfterTime);
    m_synchronise = new QCheckBox(tr("Synchronise with &handheld"), this);
    m_synchronise->setObjectName(QStringLiteral("synchronise"));
    m_synchronise->setChecked(checks.synchronise);
    m_busyDays = new QCheckBox(tr("Display items in the Date &Navigator"), this);
    m_busyDays->setObjectName(QStringLiteral("busyDays"));
    m_busyDays->setChecked(checks.busyDays);
    layout->addWidget(m_noWindowAfter);
    layout->addWidget(m_synchronise);
    layout->addWidget(m_busyDays);

    // Reminder window look.
    layout->addWidget(CSectionHeading::Create(tr("Reminder window"), this));
    auto *look = new QGridLayout;
    m_ownColors = new QCheckBox(tr("Use custom &colours"), this);
    m_ownColors->setObjectName(QStringLiteral("ownColors"));
    m_ownColors->setChecked(checks.ownColors);
    m_textLabel = new QLabel(tr("Te&xt:"), this);
    m_textColor = new CColorButton(this);
    m_textColor->setObjectName(QStringLiteral("textColor"));
    m_textColor->SetColor(type.GetTextColor());
    m_textLabel->setBuddy(m_textColor);
    m_backLabel = new QLabel(tr("&Background:"), this);
    m_backColor = new CColorButton(this);
    m_backColor->setObjectName(QStringLiteral("backColor"));
    m_backColor->SetColor(type.GetFillColor());
    m_backLabel->setBuddy(m_backColor);
    m_ownFont = new QCheckBox(tr("Use custom &font"), this);
    m_ownFont->setObjectName(QStringLiteral("ownFont"));
    m_ownFont->setChecked(checks.ownFont);
    m_fontButton = new QPushButton(tr("Change f&ont..."), this);
    m_fontButton->setObjectName(QStringLiteral("changeFont"));
    look->addWidget(m_ownColors, 0, 0);
    look->addWidget(m_textLabel, 0, 1);
    look->addWidget(m_textColor, 0, 2);
    look->addWidget(m_backLabel, 0, 3);
    look->addWidget(m_backColor, 0, 4);
    look->addWidget(m_ownFont, 1, 0);
    look->addWidget(m_fontButton, 1, 1, 1, 2);
    look->setColumnStretch(5, 1);
    layout->addLayout(look);
    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAutoFillBackground(true);
    m_sample->setMinimumHeight(48);
    layout->addWidget(m_sample);

    // Sound.
    auto *soundRow = new QHBoxLayout;
    auto *soundLabel = new QLabel(tr("Sound:"), this);
    m_sound = new QLineEdit(CItemTypeEditor::SoundText(type.GetSound()), this);
    m_sound->setObjectName(QStringLiteral("sound"));
    m_sound->setReadOnly(true);
    auto *soundButton = new QPushButton(tr("&Sound..."), this);
    soundButton->setObjectName(QStringLiteral("soundButton"));
    soundRow->addWidget(soundLabel);
    soundRow->addWidget(m_sound, 1);
    soundRow->addWidget(soundButton);
    layout->addLayout(soundRow);

    layout->addWidget(MakeOkCancel(this));

    connect(changeIcon, &QPushButton::clicked, this, &CEditItemTypeDlg::ChangeIcon);
    connect(m_textColor, &QPushButton::clicked, this, [this] { ChooseColor(false); });
    connect(m_backColor, &QPushButton::clicked, this, [this] { ChooseColor(true); });
    connect(m_fontButton, &QPushButton::clicked, this, &CEditItemTypeDlg::ChangeFont);
    connect(soundButton, &QPushButton::clicked, this, &CEditItemTypeDlg::ChangeSound);
    connect(m_ownColors, &QCheckBox::toggled, this, [this] {
        RefreshStates();
        RefreshSample();
    });
    connect(m_ownFont, &QCheckBox::toggled, this, [this] {
        RefreshStates();
        RefreshSample();
    });
    RefreshStates();
    RefreshSample();
}

void CEditItemTypeDlg::RefreshStates()
{
    const bool colors = m_ownColors->isChecked();
    m_textColor->setEnabled(colors);
    m_backColor->setEnabled(colors);
    m_textLabel->setEnabled(colors);
    m_backLabel->setEnabled(colors);
    m_fontButton->setEnabled(m_ownFont->isChecked());
}

QFont CEditItemTypeDlg::SampleFont() const
{
    return m_ownFont->isChecked() ? FontOfRecord(m_editor.Type().GetFont(), Dpi()) : font();
}

QString CEditItemTypeDlg::SampleText() const
{
    if (m_ownFont->isChecked())
        return CItemTypeEditor::FontSampleText(m_editor.Type().GetFont(), Dpi());
    LogFont dialogFont = RecordOfFont(font(), Dpi(), LogFont());
    return CItemTypeEditor::FontSampleText(dialogFont, Dpi());
}

void CEditItemTypeDlg::RefreshSample()
{
    const CItemType &type = m_editor.Type();
    QPalette palette = m_sample->palette();
    if (m_ownColors->isChecked()) {
        palette.setColor(QPalette::Window, ToQColor(type.GetFillColor()));
        palette.setColor(QPalette::WindowText, ToQColor(type.GetTextColor()));
    } else {
        palette.setColor(QPalette::Window, this->palette().color(QPalette::Button));
        palette.setColor(QPalette::WindowText, this->palette().color(QPalette::WindowText));
    }
    m_sample->setPalette(palette);
    m_sample->setFont(SampleFont());
    m_sample->setText(SampleText());
}

bool CEditItemTypeDlg::TakeIcon(const QString &path, int index)
{
    ImagePixels small, large;
    if (!LoadIconFromFile(path, index, small, large) || small.empty() || large.empty())
        return false;
    m_small = std::move(small);
    m_large = std::move(large);
    m_icon->setPixmap(QPixmap::fromImage(IconImage(m_small, CIconSource::kSmall)));
    return true;
}

void CEditItemTypeDlg::ChangeIcon()
{
    CChangeIconDlg dialog(this);
    if (RunModalDialog(dialog) == QDialog::Accepted)
        TakeIcon(dialog.GetPath(), dialog.GetIndex());
}

void CEditItemTypeDlg::TakeTextColor(COLORREF colour)
{
    CItemType &type = m_editor.Type();
    type.SetTextColor(colour);
    type.SetFlags(type.GetFlags() | CItemType::kFlagOwnColors);
    m_textColor->SetColor(colour);
    m_ownColors->setChecked(true);
    RefreshSample();
}

void CEditItemTypeDlg::TakeBackColor(COLORREF colour)
{
    CItemType &type = m_editor.Type();
    type.SetFillColor(colour);
    type.SetFlags(type.GetFlags() | CItemType::kFlagOwnColors);
    m_backColor->SetColor(colour);
    m_ownColors->setChecked(true);
    RefreshSample();
}

void CEditItemTypeDlg::ChooseColor(bool background)
{
    CItemTypeEditor::CustomColors custom = CItemTypeEditor::LoadCustomColors();
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[std::size_t(i)]));
    const CItemType &type = m_editor.Type();
    const COLORREF start = background ? type.GetFillColor() : type.GetTextColor();
    QColorDialog dialog(ToQColor(start), this);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    for (int i = 0; i < 16; ++i)
        custom[std::size_t(i)] = FromQColor(QColorDialog::customColor(i));
    CItemTypeEditor::SaveCustomColors(custom);
    const COLORREF chosen = FromQColor(dialog.selectedColor());
    if (background)
        TakeBackColor(chosen);
    else
        TakeTextColor(chosen);
}

void CEditItemTypeDlg::TakeFont(const QFont &chosen)
{
    CItemType &type = m_editor.Type();
    type.SetFont(RecordOfFont(chosen, Dpi(), type.GetFont()));
    type.SetFlags(type.GetFlags() | CItemType::kFlagOwnFont);
    m_ownFont->setChecked(true);
    RefreshSample();
}

void CEditItemTypeDlg::ChangeFont()
{
    QFontDialog dialog(SampleFont(), this);
    if (RunModalDialog(dialog) == QDialog::Accepted)
        TakeFont(dialog.selectedFont());
}

void CEditItemTypeDlg::ChangeSound()
{
    CReminderSound sound = m_editor.Type().GetSound();
    bool changed = false;
    if (SoundDialog()) {
        changed = SoundDialog()(sound, this);
    } else {
        const QString file = QFileDialog::getOpenFileName(this, tr("Sound"), QString(), tr("Sounds (*.wav)"));
        if (!file.isEmpty()) {
            sound.SetMode(CReminderSound::SoundFile);
            sound.SetPath(file);
            changed = true;
        }
    }
    if (!changed)
        return;
    m_editor.Type().SetSound(sound);
    m_sound->setText(CItemTypeEditor::SoundText(sound));
}

void CEditItemTypeDlg::accept()
{
    const int problem = m_editor.CheckName(m_name->text());
    if (problem != 0) {
        m_name->setFocus();
        ShowWarningText(EditingText(problem), this);
        return;
    }
    CEditorFields::CommitText(m_lead);
    CDateSpan lead;
    if (!CEditorFields::GetDuration(m_lead, lead)) {
        m_lead->setFocus();
        const auto *box = qobject_cast<const CDurationComboBox *>(m_lead);
        const bool tooLong = box && box->Model().State() == CDurationComboModel::kTooLong;
        ShowWarningText(EditingText(tooLong ? EditText::ShorterDuration : EditText::DurationNotValid), this);
        return;
    }
    ItemTypeChecks checks;
    checks.ownColors = m_ownColors->isChecked();
    checks.ownFont = m_ownFont->isChecked();
    checks.noWindowAfterTime = m_noWindowAfter->isChecked();
    checks.synchronise = m_synchronise->isChecked();
    checks.busyDays = m_busyDays->isChecked();
    m_editor.Apply(m_name->text(), lead, checks);
    QDialog::accept();
}
