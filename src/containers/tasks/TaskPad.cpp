#include "containers/tasks/TaskPad.h"

#include "containers/base/ContainerStrings.h"
#include "containers/base/ViewContainer.h"
#include "containers/mainbase/MainBaseContainer.h"
#include "containers/tasks/TaskListWnd.h"
#include "containers/tasks/TaskPadDeleteRule.h"
#include "core/document/MessagePort.h"
#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "views/base/CustomWnd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
constexpr int kConvertQuestion = 58022;
} // namespace

CTaskPad::CTaskPad(QWidget *parent)
{
    m_window = new CTaskListWnd(m_ctrl, parent);
    m_window->setObjectName(QStringLiteral("TaskPad"));
    m_window->SetCommandTarget(this);
    m_ctrl.SetCommandTarget(this);
}

CTaskPad::~CTaskPad()
{
    QObject::disconnect(m_ownerWatch);
    // The window belongs to the pad even while the Date Navigator bar holds it.
    delete m_window.data();
}

void CTaskPad::SetContainer(CViewContainer *container)
{
    QObject::disconnect(m_ownerWatch);
    m_ctrl.SetOwner(container);
    // A container that goes first takes itself out of the pad.
    if (container && m_window)
        m_ownerWatch = QObject::connect(container, &QObject::destroyed, m_window.data(),
                                        [this] { m_ctrl.SetOwner(nullptr); });
}

// ---- ITaskPadPort ----

bool CTaskPad::IsShown() const
{
    return m_window && m_window->isVisible();
}

QWidget *CTaskPad::GetWidget() const
{
    return m_window.data();
}

CCalendarViewCtrl *CTaskPad::GetListView() const
{
    return const_cast<CTaskPadCtrl *>(&m_ctrl);
}

ICommandTarget *CTaskPad::GetCommandTarget() const
{
    return const_cast<CTaskPad *>(this);
}

const CDisplayItem *CTaskPad::GetFocusedEntry() const
{
    return m_ctrl.GetEntry(m_ctrl.GetFocusedEntry());
}

bool CTaskPad::RemoveTask(std::uint32_t recordId)
{
    const int before = m_ctrl.GetEntryCount();
    m_ctrl.RemoveEntriesOfRecord(recordId);
    return m_ctrl.GetEntryCount() != before;
}

bool CTaskPad::RemoveMarked()
{
    const int before = m_ctrl.GetEntryCount();
    m_ctrl.RemoveEntriesMatching(CDisplayItem::StateRemoved);
    return m_ctrl.GetEntryCount() != before;
}

void CTaskPad::Refresh(bool notifyFocus)
{
    if (IsShown())
        m_ctrl.ReloadRows();
    else
        m_ctrl.Refresh(true);
    m_ctrl.InvalidateAll();
    if (notifyFocus)
        m_ctrl.NotifyContainer(kNotifySelectionChanged);
}

void CTaskPad::ReloadOptions()
{
    m_ctrl.LoadOptions();
    if (m_window)
        m_window->update();
}

void CTaskPad::TakeFocus()
{
    if (m_window)
        m_window->setFocus();
}

// ---- IMainBaseTaskPad ----

void CTaskPad::SetOwner(IMainBaseContainer *owner)
{
    SetContainer(dynamic_cast<CViewContainer *>(owner));
}

void CTaskPad::RefreshRows()
{
    m_ctrl.ReloadRows();
    if (m_window)
        m_window->update();
}

// ---- Commands ----

std::vector<std::unique_ptr<CDisplayItem>> CTaskPad::SelectedCopies() const
{
    std::vector<std::unique_ptr<CDisplayItem>> copies;
    m_ctrl.GetSelectedItems(copies);
    return copies;
}

std::vector<CDisplayItem *> CTaskPad::Pointers(const std::vector<std::unique_ptr<CDisplayItem>> &copies)
{
    std::vector<CDisplayItem *> out;
    for (const auto &c : copies)
        out.push_back(c.get());
    return out;
}

bool CTaskPad::IsWritable() const
{
    const CViewContainer *c = GetContainer();
    return c && !c->IsDataReadOnly();
}

void CTaskPad::ReloadContainer()
{
    if (CViewContainer *c = GetContainer())
        c->Reload(true);
    else
        m_ctrl.ReloadRows();
}

void CTaskPad::SetView(int view)
{
    m_ctrl.Filter().view = view;
    m_ctrl.ReloadRows();
    ReloadContainer();
}

void CTaskPad::ToggleInclude(bool noDue)
{
    CTaskPadFilter &f = m_ctrl.Filter();
    if (noDue)
        f.includeNoDue = !f.includeNoDue;
    else
        f.includeCompleted = !f.includeCompleted;
    m_ctrl.ReloadRows();
    ReloadContainer();
}

bool CTaskPad::CopySelection() const
{
    return CViewContainer::CopyViewSelection(m_ctrl);
}

void CTaskPad::Paste()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !IsWritable())
        return;
    HRESULT hr = QV_E_REFUSED;
    if (data->hasFormat(TransferFormatMimeType()))
        hr = m_ctrl.PasteItems(*data, QPoint(-1, -1));
    if (hr == QV_E_REFUSED && data->hasFormat(QString::fromLatin1(kTextMimeType)))
        m_ctrl.PasteText(*data, QPoint(-1, -1));
    ReloadContainer();
}

void CTaskPad::Customize()
{
    CViewContainer *c = GetContainer();
    IContainerMainWindow *main = c ? c->Context().mainWindow : nullptr;
    if (!main)
        return;
    const bool usedFilter = m_ctrl.IsUsingFilter();
    bool reload = false;
    if (!main->CustomizeView(ConstName::TaskPad, reload))
        return;
    ReloadOptions();
    if (m_ctrl.IsUsingFilter() != usedFilter) {
        m_ctrl.ReloadRows();
        ReloadContainer();
    }
}

void CTaskPad::DeleteSelected()
{
    CViewContainer *c = GetContainer();
    auto copies = SelectedCopies();
    if (!c || copies.empty())
        return;
    std::vector<const CDisplayItem *> tasks;
    for (const auto &e : copies)
        tasks.push_back(e.get());
    QString text;
    switch (CTaskPadDeleteRule::Decide(tasks, ProgramSettings().confirmDelete != 0, text)) {
    case CTaskPadDeleteRule::Step::Refuse:
        ContainerText::Warn(text, m_window);
        return;
    case CTaskPadDeleteRule::Step::Ask:
        if (ContainerText::Ask(text, m_window) != MessageResult::Yes)
            return;
        break;
    case CTaskPadDeleteRule::Step::Delete:
        break;
    }
    c->DeleteItems(Pointers(copies), true, true, m_window);
}

bool CTaskPad::OnCommand(int id)
{
    CViewContainer *c = GetContainer();
    if (IsItemTypeCommand(id)) {
        auto copies = SelectedCopies();
        if (c && !copies.empty())
            c->ChangeItemsType(id - ContainerCmd::SetTypeFirst, Pointers(copies), true, m_window);
        return true;
    }
    switch (id) {
    case ContainerCmd::OpenItem:
    case ContainerCmd::Properties: {
        const CDisplayItem *focused = GetFocusedEntry();
        if (!focused || !c) {
            if (IMessagePort *port = GetMessagePort())
                port->Beep();
            return true;
        }
        // A copy: opening may change the rows.
        const std::unique_ptr<CDisplayItem> copy = focused->Clone();
        if (id == ContainerCmd::OpenItem)
            c->OpenItem(*copy);
        else
            c->ShowItemProperties(*copy);
        return true;
    }
    case CmdPrint: {
        std::vector<const CDisplayItem *> keys;
        for (const auto &row : m_ctrl.GetEntries())
            if (row->HasState(CDisplayItem::StateSelected) && !row->HasState(CDisplayItem::StateRemoved))
                keys.push_back(row.get());
        if (c && !keys.empty())
            c->PrintItems(keys);
        return true;
    }
    case ContainerCmd::Copy:
        CopySelection();
        return true;
    case ContainerCmd::Cut: {
        auto copies = SelectedCopies();
        if (c && !copies.empty() && IsWritable() && CopySelection())
            c->DeleteItems(Pointers(copies), true, false, m_window);
        return true;
    }
    case ContainerCmd::Paste:
        Paste();
        return true;
    case ContainerCmd::Delete:
        DeleteSelected();
        return true;
    case CmdSelectAll:
        for (const auto &row : m_ctrl.GetEntries())
            row->SetState(row->GetState() | CDisplayItem::StateSelected);
        m_ctrl.InvalidateAll();
        m_ctrl.NotifyContainer(kNotifySelectionChanged);
        return true;
    case ContainerCmd::CompleteTasks: {
        auto copies = SelectedCopies();
        if (c && !copies.empty())
            c->CompleteTasks(Pointers(copies), m_window);
        return true;
    }
    case ContainerCmd::ConvertToEvent: {
        auto copies = SelectedCopies();
        if (!c || copies.empty())
            return true;
        if (copies.size() == 1 &&
            ContainerText::Ask(ContainerText::Load(kConvertQuestion), m_window) != MessageResult::Yes)
            return true;
        c->ConvertTasksToEvents(Pointers(copies), true, true, m_window);
        return true;
    }
    case ContainerCmd::Lock:
    case ContainerCmd::Unlock: {
        auto copies = SelectedCopies();
        if (c && !copies.empty())
            c->SetItemsLocked(Pointers(copies), id == ContainerCmd::Lock, true, true, m_window);
        return true;
    }
    case CmdCustomize:
        Customize();
        return true;
    case CmdToday:
        SetView(CTaskPadFilter::ViewToday);
        return true;
    case CmdSelectedDays:
        SetView(CTaskPadFilter::ViewSelectedDays);
        return true;
    case CmdCompletedOnDays:
        SetView(CTaskPadFilter::ViewCompletedOnDays);
        return true;
    case CmdOverdue:
        SetView(CTaskPadFilter::ViewOverdue);
        return true;
    case CmdAll:
        SetView(CTaskPadFilter::ViewAll);
        return true;
    case CmdIncludeNoDue:
    case CmdIncludeCompleted:
        if (m_ctrl.Filter().IncludeCommandsEnabled())
            ToggleInclude(id == CmdIncludeNoDue);
        return true;
    default:
        return false;
    }
}

bool CTaskPad::OnUpdateCommand(int id, CCmdUI &ui)
{
    const bool focused = GetFocusedEntry() != nullptr;
    const bool selected = m_ctrl.GetSelectedCount() > 0;
    const bool writable = IsWritable();
    const CTaskPadFilter &f = m_ctrl.Filter();
    if (IsItemTypeCommand(id)) {
        ui.Enable(focused && writable);
        return true;
    }
    switch (id) {
    case ContainerCmd::OpenItem:
    case ContainerCmd::Properties:
        ui.Enable(focused);
        return true;
    case CmdPrint:
    case ContainerCmd::Copy:
    case ContainerCmd::Delete:
        ui.Enable(selected);
        return true;
    case ContainerCmd::Cut:
    case ContainerCmd::CompleteTasks:
    case ContainerCmd::ConvertToEvent:
    case ContainerCmd::Lock:
    case ContainerCmd::Unlock:
        ui.Enable(selected && writable);
        return true;
    case ContainerCmd::Paste: {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
        ui.Enable(writable && data &&
                  (data->hasFormat(QString::fromLatin1(kTextMimeType)) ||
                   data->hasFormat(TransferFormatMimeType())));
        return true;
    }
    case CmdSelectAll:
        ui.Enable(m_ctrl.GetEntryCount() > 0);
        return true;
    case CmdCustomize:
        ui.Enable(IsShown());
        return true;
    case CmdToday:
    case CmdSelectedDays:
    case CmdCompletedOnDays:
    case CmdOverdue:
    case CmdAll: {
        const int view = id == CmdToday             ? CTaskPadFilter::ViewToday
                         : id == CmdSelectedDays    ? CTaskPadFilter::ViewSelectedDays
                         : id == CmdCompletedOnDays ? CTaskPadFilter::ViewCompletedOnDays
                         : id == CmdOverdue         ? CTaskPadFilter::ViewOverdue
                                                    : CTaskPadFilter::ViewAll;
        ui.Enable(IsShown());
        ui.SetCheck(f.view == view);
        return true;
    }
    case CmdIncludeNoDue:
        ui.Enable(IsShown() && f.IncludeCommandsEnabled());
        ui.SetCheck(f.ShowsNoDueChecked());
        return true;
    case CmdIncludeCompleted:
        ui.Enable(IsShown() && f.IncludeCommandsEnabled());
        ui.SetCheck(f.ShowsCompletedChecked());
        return true;
    default:
        return false;
    }
}
