// COptionsDlg: the Options dialog: the General, Item Types, Appearance, Other and Advanced pages
// on a sheet. OK lets the front page check its values, applies the pages in order and then has
// the main window, the views and the reminder queue follow the changes.
#pragma once

#include "core/lists/ColorRules.h"
#include "shell/options/ItemTypeEditorPort.h"
#include "shell/options/SheetHostDlg.h"

#include <QString>
#include <functional>
#include <memory>

struct AppSettings;
class CCalendarDocument;
class CHotKeySet;
class COptionsAdvancedPage;
class COptionsColorsPage;
class COptionsGeneralPage;
class COptionsItemTypesPage;
class COptionsOtherPage;
class IFixedObjectStore;
class IOptionsTarget;

// What the dialog works on; what is null is not there.
struct OptionsEnvironment
{
    CCalendarDocument *document = nullptr;
    AppSettings *live = nullptr; // null: the program's settings
    CHotKeySet *hotKeys = nullptr;
    std::shared_ptr<IOptionsTarget> target;
    QString programPath;                          // for the start-up entry
    ItemTypeEditorPort editItemType;              // the item-type editor
    std::function<void(QWidget *)> editLocations; // the Location List dialog
    IFixedObjectStore *itemTypeStore = nullptr;   // null: the document's data file
    int displayColors = 1 << 24;
    int screenCount = 1;
    COLORREF livePaneBackground = 0xFFFFFF;
    COLORREF livePaneText = 0;
};

class COptionsDlg : public CSheetHostDlg
{
    Q_OBJECT
  public:
    // What the main window and the views have to do after the pages were applied.
    struct FollowUp
    {
        bool paneColors = false;
        bool layOut = false;
        bool toolBar = false;
        bool refreshViews = false; // and rescan the reminders
        bool operator==(const FollowUp &) const = default;
    };
    static FollowUp Decide(bool generalLayOut, bool generalRefresh, bool typesApplied, bool colorsApplied,
                           bool paneColorsChanged, bool advancedApplied);

    explicit COptionsDlg(OptionsEnvironment environment, QWidget *parent = nullptr);
    ~COptionsDlg() override;

    COptionsGeneralPage *GeneralPage() const { return m_general; }
    COptionsItemTypesPage *ItemTypesPage() const { return m_itemTypes; }
    COptionsColorsPage *ColorsPage() const { return m_colors; }
    COptionsOtherPage *OtherPage() const { return m_other; }
    COptionsAdvancedPage *AdvancedPage() const { return m_advanced; }

    // OK: a page that refuses or a failed apply keeps the dialog open.
    void accept() override;
    // Cancel; after an OK that failed part-way the views still follow what was applied.
    void reject() override;
    // What the last OK decided.
    const FollowUp &LastFollowUp() const { return m_followUp; }

  private:
    void RunFollowUp(const FollowUp &followUp);

    OptionsEnvironment m_env;
    bool m_generalLayOut = false;
    bool m_generalRefresh = false;
    COptionsGeneralPage *m_general = nullptr;
    COptionsItemTypesPage *m_itemTypes = nullptr;
    COptionsColorsPage *m_colors = nullptr;
    COptionsOtherPage *m_other = nullptr;
    COptionsAdvancedPage *m_advanced = nullptr;
    FollowUp m_followUp;
};

// Runs the dialog modally under `parent` (the result: 1 after OK), or, without a parent, as a
// window of its own that deletes itself when closed (0).
int ShowOptionsDialog(QWidget *parent, bool disableReminders, OptionsEnvironment environment);
