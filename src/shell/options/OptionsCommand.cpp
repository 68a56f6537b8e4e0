// The Options command.
#include "shell/options/OptionsCommand.h"

#include "core/document/CalendarDocument.h"
#include "core/system/ProgramPaths.h"
#include "editing/lists/NamedListDlg.h"
#include "editing/types/EditItemTypeDlg.h"
#include "shell/MainFrame.h"
#include "shell/MainWnd.h"
#include "shell/options/MainWndOptionsTarget.h"
#include "shell/options/OptionsDlg.h"
#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QScreen>

namespace {

// The program's item-type editor; tests put their own in its place.
bool EditItemTypeInDialog(QWidget *parent, ItemTypeEditRequest &request, const ItemTypeArray &types)
{
    QStringList names;
    for (const auto &type : types)
        names << (type ? type->GetName() : QString());
    CEditItemTypeDlg dialog(names, request.type, request.index, request.smallIcon, request.largeIcon,
                            parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request.type = dialog.GetItemType();
    request.smallIcon = dialog.GetSmallIcon();
    request.largeIcon = dialog.GetLargeIcon();
    return true;
}

ItemTypeEditorPort &ItemTypeEditor()
{
    static ItemTypeEditorPort editor = EditItemTypeInDialog;
    return editor;
}

} // namespace

void SetOptionsItemTypeEditor(ItemTypeEditorPort editor)
{
    ItemTypeEditor() = std::move(editor);
}

OptionsEnvironment MakeOptionsEnvironment(CCalendarDocument &document, CMainFrame &frame)
{
    OptionsEnvironment env;
    env.document = &document;
    env.hotKeys = &frame.HotKeys();
    env.target = std::make_shared<CMainWndOptionsTarget>(frame);
    env.programPath = GetProgramFilePath();
    env.editItemType = ItemTypeEditor();
    env.editLocations = [&document](QWidget *parent) {
        if (!document.IsOpen())
            return;
        CNamedListDlg dialog(CNamedListEditor::Kind::Locations, document.GetLocationList(),
                             document.GetDataFile(), parent);
        dialog.exec();
    };
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 24;
    env.displayColors = depth >= 24 ? (1 << 24) : (1 << std::clamp(depth, 1, 23));
    env.screenCount = int(QGuiApplication::screens().size());
    const CMenuLook &look = CMenuLook::Instance();
    env.livePaneBackground = look.GetColor(30);
    env.livePaneText = look.GetColor(31);
    return env;
}

int RunOptionsCommand(CCalendarDocument &document, CMainFrame &frame)
{
    // One Options dialog at a time: one already open on its own comes to the front.
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *open = qobject_cast<COptionsDlg *>(widget); open && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return 0;
        }
    return ShowOptionsDialog(frame.GetMainWnd(), true, MakeOptionsEnvironment(document, frame));
}
