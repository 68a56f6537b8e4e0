// The Customize dialog of the calendar views.
#include "containers/customize/CustomizeCalendarViewDlg.h"

#include "containers/customize/CustomizeDateNavigatorDlg.h"
#include "containers/customize/CustomizeParts.h"
#include "containers/customize/FontSampleRow.h"
#include "toolkit/controls/ColorComboBox.h"
#include "toolkit/controls/LabelStatic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

using Kind = CCalendarViewSettings::Kind;

namespace {
// A box that depends on the one above it, set in under it.
QHBoxLayout *Indented(QWidget *box)
{
    auto *row = new QHBoxLayout;
    row->addSpacing(20);
    row->addWidget(box);
    return row;
}
} // namespace

CCalendarViewSettings::Kind CCustomizeCalendarViewDlg::KindOf(int sectionIndex)
{
    Kind kind = Kind::Day;
    CCalendarViewSettings::KindForSection(sectionIndex, kind);
    return kind;
}

CCustomizeCalendarViewDlg::CCustomizeCalendarViewDlg(int sectionIndex, QWidget *parent)
    : QDialog(parent), m_settings(KindOf(sectionIndex))
{
    m_settings.Load();
    setWindowTitle(tr("Customize ") + m_settings.TitleSuffix());
    auto *top = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(18);
    top->addLayout(columns);

    // The view column.
    auto *left = new QVBoxLayout;
    columns->addLayout(left, 1);
    left->addWidget(CCustomizeParts::Heading(tr("View"), this));
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    left->addLayout(form);
    m_fontRow = new CFontSampleRow(m_settings.font, tr("&Font..."), this);
    form->addRow(tr("Font:"), m_fontRow);
    m_background = new CColorComboBox(this);
    CCustomizeParts::FillBackground(*m_background, true, m_settings.GetKind() != Kind::Week, &m_settings.customColors,
                                    m_settings.background);
    form->addRow(tr("&Background:"), m_background);

    m_textMode = new QComboBox(this);
    m_textMode->addItems(CCalendarViewSettings::TextModeEntries());
    form->addRow(tr("Text mode:"), m_textMode);
    if (m_settings.UsesTimeScale()) {
        m_timeScale = new QComboBox(this);
        m_timeScale->addItems(CCalendarViewSettings::TimeScaleEntries());
        form->addRow(tr("Ti&me scale:"), m_timeScale);
        m_showAs = new QComboBox(this);
        m_showAs->addItems(m_settings.ShowAsEntries());
        m_showAs->setEnabled(m_settings.ShowAsEnabled());
        form->addRow(tr("Sho&w as:"), m_showAs);
    }
    if (m_settings.UsesMonthOptions()) {
        m_monthShowAs = new QComboBox(this);
        m_monthShowAs->addItems(CCalendarViewSettings::MonthShowAsEntries());
        form->addRow(tr("Sho&w as:"), m_monthShowAs);
        m_display = new QComboBox(this);
        m_display->addItems(CCalendarViewSettings::DisplayEntries());
        form->addRow(tr("Display:"), m_display);
    }
    auto *viewBoxes = new QVBoxLayout;
    viewBoxes->setSpacing(4);
    left->addLayout(viewBoxes);
    if (m_settings.UsesTimeScale())
        viewBoxes->addWidget(AddBox(tr("Display working time only"), "WTO"));
    if (m_settings.UsesWeekOptions()) {
        viewBoxes->addWidget(AddBox(tr("Start &week from Monday"), "WE"));
        viewBoxes->addWidget(AddBox(tr("Shade weekends"), "SWD"));
    }
    if (m_settings.UsesMonthOptions())
        viewBoxes->addWidget(AddBox(tr("Shade weekends"), "SWD"));
    viewBoxes->addWidget(AddBox(tr("Remember selected &filter"), "SF"));
    left->addStretch(1);

    // The items column.
    auto *right = new QVBoxLayout;
    right->setSpacing(4);
    columns->addLayout(right, 1);
    right->addWidget(CCustomizeParts::Heading(tr("Items"), this));
    right->addWidget(AddBox(tr("Include tasks with due date"), "STDD"));
    right->addLayout(Indented(AddBox(tr("Include completed tasks"), "STC")));
    right->addWidget(AddBox(tr("Show &icons"), "SI"));
    right->addWidget(AddBox(tr("Show &symbols"), "SS"));
    right->addWidget(AddBox(tr("Show start &time"), "ST"));
    right->addLayout(Indented(AddBox(tr("Show &end time"), "ET")));
    right->addWidget(AddBox(tr("Show item t&ypes"), "IT"));
    right->addWidget(AddBox(tr("Show categories"), "CG"));
    right->addWidget(AddBox(tr("Show &notes"), "SN"));
    right->addStretch(1);

    auto *buttons = CCustomizeParts::AddOkCancel(this, top);
    m_navigatorButton = buttons->addButton(tr("Date Navigat&or..."), QDialogButtonBox::ResetRole);
    connect(m_navigatorButton, &QPushButton::clicked, this, [this] {
        CCustomizeDateNavigatorDlg dialog(this);
        dialog.exec();
    });

    ShowValues();
    connect(m_textMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_settings.SetTextMode(index);
        Box("SN")->setChecked(m_settings.showNotes);
        UpdateEnabling();
    });
    connect(Box("STDD"), &QCheckBox::toggled, this, [this](bool on) {
        m_settings.SetIncludeDueTasks(on);
        Box("STC")->setChecked(m_settings.includeCompletedTasks);
        UpdateEnabling();
    });
    connect(Box("ST"), &QCheckBox::toggled, this, [this](bool on) {
        m_settings.SetShowStartTime(on);
        Box("ET")->setChecked(m_settings.showEndTime);
        UpdateEnabling();
    });
}

QCheckBox *CCustomizeCalendarViewDlg::AddBox(const QString &text, const char *value)
{
    auto *box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(value));
    m_boxes.emplace_back(box, value);
    return box;
}

QCheckBox *CCustomizeCalendarViewDlg::Box(const char *value) const
{
    for (const auto &[box, name] : m_boxes)
        if (std::strcmp(name, value) == 0)
            return box;
    return nullptr;
}

void CCustomizeCalendarViewDlg::ShowValues()
{
    const CCalendarViewSettings &s = m_settings;
    m_textMode->setCurrentIndex(s.textMode);
    m_textMode->setEnabled(s.UsesTextMode());
    if (m_timeScale) {
        m_timeScale->setCurrentIndex(s.timeScale);
        m_showAs->setCurrentIndex(s.GetKind() == Kind::MultiDay ? s.showAs : 0);
    }
    if (m_monthShowAs) {
        m_monthShowAs->setCurrentIndex(s.monthShowAs);
        m_display->setCurrentIndex(s.display);
    }
    const std::pair<const char *, bool> values[] = {
        {"WTO", s.workingTimeOnly}, {"WE", s.weekFromMonday},   {"SWD", s.shadeWeekends},
        {"SF", s.rememberFilter},   {"STDD", s.includeDueTasks}, {"STC", s.includeCompletedTasks},
        {"SI", s.showIcons},        {"SS", s.showSymbols},       {"ST", s.showStartTime},
        {"ET", s.showEndTime},      {"IT", s.showItemTypes},     {"CG", s.showCategories},
        {"SN", s.showNotes},
    };
    for (const auto &[name, on] : values)
        if (QCheckBox *box = Box(name))
            box->setChecked(on);
    UpdateEnabling();
}

void CCustomizeCalendarViewDlg::UpdateEnabling()
{
    if (QCheckBox *we = Box("WE"))
        we->setEnabled(m_settings.WeekFromMondayEnabled());
    Box("STC")->setEnabled(m_settings.CompletedTasksEnabled());
    Box("ET")->setEnabled(m_settings.EndTimeEnabled());
    Box("SN")->setEnabled(m_settings.NotesEnabled());
}

void CCustomizeCalendarViewDlg::TakeValues()
{
    CCalendarViewSettings &s = m_settings;
    s.background = m_background->GetColor();
    s.SetTextMode(m_textMode->currentIndex());
    if (m_timeScale) {
        s.timeScale = m_timeScale->currentIndex();
        if (s.GetKind() == Kind::MultiDay)
            s.showAs = m_showAs->currentIndex();
    }
    if (m_monthShowAs) {
        s.monthShowAs = m_monthShowAs->currentIndex();
        s.display = m_display->currentIndex();
    }
    auto on = [this](const char *name) {
        QCheckBox *box = Box(name);
        return box && box->isChecked();
    };
    s.workingTimeOnly = on("WTO");
    s.weekFromMonday = on("WE");
    s.shadeWeekends = on("SWD");
    s.rememberFilter = on("SF");
    s.includeDueTasks = on("STDD");
    s.includeCompletedTasks = on("STC");
    s.showIcons = on("SI");
    s.showSymbols = on("SS");
    s.showStartTime = on("ST");
    s.showEndTime = on("ET");
    s.showItemTypes = on("IT");
    s.showCategories = on("CG");
    s.showNotes = on("SN");
}

void CCustomizeCalendarViewDlg::accept()
{
    // A choice without a selection keeps the dialog open on it.
    for (QComboBox *combo : {m_textMode, m_timeScale, m_showAs, m_monthShowAs, m_display}) {
        if (combo && combo->isEnabled() && combo->currentIndex() < 0) {
            combo->setFocus();
            return;
        }
    }
    TakeValues();
    m_changed = m_settings.Save();
    QDialog::accept();
}
