// The Options dialog.
#include "shell/options/OptionsDlg.h"

#include "core/document/CalendarDocument.h"
#include "core/system/AppSettings.h"
#include "core/system/Messages.h"
#include "core/system/Profile.h"
#include "shell/PropertySheetBase.h"
#include "shell/options/OptionsAdvancedPage.h"
#include "shell/options/OptionsColorsPage.h"
#include "shell/options/OptionsGeneralPage.h"
#include "shell/options/OptionsItemTypesPage.h"
#include "shell/options/OptionsOtherPage.h"
#include "shell/options/OptionsTarget.h"

COptionsDlg::FollowUp COptionsDlg::Decide(bool generalLayOut, bool generalRefresh, bool typesApplied,
                                          bool colorsApplied, bool paneColorsChanged, bool advancedApplied)
{
    FollowUp f;
    f.paneColors = paneColorsChanged;
    f.layOut = generalLayOut || typesApplied || colorsApplied || advancedApplied;
    f.toolBar = colorsApplied;
    f.refreshViews = generalRefresh || typesApplied || colorsApplied || advancedApplied;
    return f;
}

COptionsDlg::COptionsDlg(OptionsEnvironment environment, QWidget *parent)
    : CSheetHostDlg(new CPropertySheetBase, parent), m_env(std::move(environment))
{
    setObjectName(QStringLiteral("optionsDialog"));
    AppSettings &live = m_env.live ? *m_env.live : ProgramSettings();
    m_general = new COptionsGeneralPage(live, m_env.programPath);
    m_itemTypes = new COptionsItemTypesPage(m_env.document, m_env.displayColors);
    m_itemTypes->SetEditor(m_env.editItemType);
    m_colors = new COptionsColorsPage(m_env.livePaneBackground, m_env.livePaneText);
    m_other = new COptionsOtherPage(m_env.editLocations);
    m_advanced = new COptionsAdvancedPage(live, m_env.screenCount);
    for (CPropertyPage *page :
         std::initializer_list<CPropertyPage *>{m_general, m_itemTypes, m_colors, m_other, m_advanced})
        m_sheet->AddPage(page);
    // Wide enough for the longest switch of the Advanced tree.
    m_sheet->setMinimumWidth(600);
    Create();
}

COptionsDlg::~COptionsDlg() = default;

void COptionsDlg::accept()
{
    if (CPropertyPage *page = m_sheet->GetActivePage(); page && !page->OnKillActive())
        return;
    AppSettings &live = m_env.live ? *m_env.live : ProgramSettings();

    COptionsGeneralModel::ApplyResult general;
    if (m_general->WasShown()) {
        general = m_general->Model().Apply(live, m_env.hotKeys, m_env.programPath);
        // The values are live now, even when a later step keeps the dialog open.
        m_generalLayOut = m_generalLayOut || general.layOutAgain;
        m_generalRefresh = m_generalRefresh || general.refreshViews;
        if (!general.ok) {
            m_general->UpdateStartupBox();
            m_sheet->SetActivePage(0);
            // "%#010x": the code as 0x and eight hexadecimal digits.
            ShowErrorText(
                tr("Cannot save the Load program on startup option. Error: %#010x")
                    .replace(QStringLiteral("%#010x"),
                             QStringLiteral("0x%1").arg(general.autostartError, 8, 16, QChar(u'0'))),
                this);
            return;
        }
        if (!general.refusedHotKeys.isEmpty())
            ShowWarningText(
                tr("These keyboard shortcuts could not be registered and were not saved:\n%1\n\nAnother "
                   "program may be using them, or the desktop does not offer global shortcuts.")
                    .arg(general.refusedHotKeys.join(QStringLiteral(", "))),
                this);
    }

    COptionsItemTypesModel &types = m_itemTypes->Model();
    if (types.IsModified() && m_env.document && m_env.document->IsOpen()) {
        IFixedObjectStore &store = m_env.itemTypeStore ? *m_env.itemTypeStore : m_env.document->GetDataFile();
        const HRESULT hr = types.Apply(m_env.document->GetItemTypes(), store);
        if (hr != S_OK) {
            ReportError(hr, this);
            return;
        }
    } else {
        types.ApplySettings();
    }

    const bool colorsApplied = m_colors->Model().Apply();
    const bool advancedApplied = m_advanced->WasShown();
    if (advancedApplied)
        m_advanced->Model().Apply(live);

    m_followUp = Decide(m_generalLayOut, m_generalRefresh,
                        (types.TypesModified() && types.WasApplied()) || types.GradientChanged(),
                        colorsApplied, m_colors->Model().PaneColorsChanged(), advancedApplied);
    RunFollowUp(m_followUp);
    CSheetHostDlg::accept();
}

void COptionsDlg::reject()
{
    // An OK that failed part-way left the General values live: the views still follow them.
    if (m_generalLayOut || m_generalRefresh) {
        m_followUp = Decide(m_generalLayOut, m_generalRefresh, false, false, false, false);
        RunFollowUp(m_followUp);
    }
    CSheetHostDlg::reject();
}

void COptionsDlg::RunFollowUp(const FollowUp &followUp)
{
    CProfile::Instance().Sync();
    IOptionsTarget *target = m_env.target && m_env.target->HasWindow() ? m_env.target.get() : nullptr;
    if (target) {
        if (followUp.paneColors)
            target->RefreshPaneColors();
        if (followUp.layOut)
            target->LayOutPanes();
        if (followUp.toolBar)
            target->RebuildToolBar();
    }
    if (!followUp.refreshViews)
        return;
    if (target)
        target->RefreshViews();
    if (m_env.document && m_env.document->IsOpen()) {
        const HRESULT hr = m_env.document->RescanReminders();
        if (hr != S_OK)
            ReportError(hr, this);
    }
}

int ShowOptionsDialog(QWidget *parent, bool disableReminders, OptionsEnvironment environment)
{
    if (parent) {
        COptionsDlg dialog(std::move(environment), parent);
        return dialog.RunModal(disableReminders);
    }
    auto *dialog = new COptionsDlg(std::move(environment));
    dialog->CreateModeless();
    return 0;
}
