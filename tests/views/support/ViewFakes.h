// Faked host window, document and container for driving calendar views without a window.
#pragma once

#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/DragState.h"
#include "views/base/ViewPorts.h"

#include <QMimeData>
#include <functional>
#include <map>
#include <vector>

struct FakeHost : IViewHost
{
    QRect client = QRect(0, 0, 280, 100);
    bool capture = false;
    int beeps = 0;
    int updates = 0;
    int invalidations = 0;
    std::vector<int> warnings;
    std::vector<HRESULT> errors;
    std::vector<QString> infos;
    int menu = -1;
    bool editVisible = false;
    QRect editRect;
    QString editText;
    bool editMultiLine = false;
    bool editModified = false;
    int dragEffect = 0;
    QPoint screenOffset = QPoint(1000, 1000);

    QRect ClientRect() const override { return client; }
    void Invalidate(const QRect &) override { ++invalidations; }
    void UpdateWindow() override { ++updates; }
    void SetCapture(bool on) override { capture = on; }
    bool HasCapture() const override { return capture; }
    void SetCursorShape(ViewCursor) override {}
    void TakeFocus() override {}
    void Beep() override { ++beeps; }
    QPoint MapToScreen(const QPoint &p) const override { return p + screenOffset; }
    QPoint MapFromScreen(const QPoint &p) const override { return p - screenOffset; }
    void ShowContextMenu(int index, const QPoint &) override { menu = index; }
    // Runs while the drag is under way (drops on the view); its answer is the drag's effect.
    std::function<int()> duringDrag;
    int StartOleDrag(int, const QRect &) override { return duringDrag ? duringDrag() : dragEffect; }
    void ShowWarning(int id) override { warnings.push_back(id); }
    void ReportError(HRESULT code) override { errors.push_back(code); }
    void ShowInfoText(const QString &text) override { infos.push_back(text); }
    void ShowEdit(const QRect &rect, const QString &text, bool multiLine) override
    {
        editVisible = true;
        editRect = rect;
        editText = text;
        editMultiLine = multiLine;
        editModified = false;
    }
    void HideEdit() override { editVisible = false; }
    bool IsEditVisible() const override { return editVisible; }
    QString EditText() const override { return editText; }
    bool IsEditModified() const override { return editModified; }
    void FocusEdit() override {}
    void SendCharToEdit(QChar ch) override
    {
        editText += ch;
        editModified = true;
    }
    HRESULT PasteFromDataObject(const QMimeData *, const QPoint &) override { return QV_E_REFUSED; }
};

// Stored items by record id. A save of an item without a record id gives it the next id. Saves
// fail with `saveResult`, or once `failAfter` saves have succeeded.
struct FakeDocument : IViewDocument
{
    std::map<std::uint32_t, CEventItem> events;
    std::map<std::uint32_t, CTaskItem> tasks;
    std::vector<std::uint32_t> savedOrder;
    std::vector<CEventItem> saved; // copies of the saved events, in order
    std::uint32_t nextId = 100;
    std::uint32_t version = 0x00020005;
    HRESULT saveResult = S_OK;
    int failAfter = -1;
    std::vector<std::uint32_t> toggled; // record ids of ToggleTaskCompleted calls
    HRESULT toggleResult = S_OK;
    std::function<void()> onToggle; // runs inside each ToggleTaskCompleted call

    HRESULT LoadEvent(std::uint32_t id, CItemRef &out) override { return LoadFrom(events, id, out); }
    HRESULT LoadTask(std::uint32_t id, CItemRef &out) override { return LoadFrom(tasks, id, out); }
    // A copy of the stored item as a loaded record.
    template <class Item>
    static HRESULT LoadFrom(const std::map<std::uint32_t, Item> &stored, std::uint32_t id, CItemRef &out)
    {
        auto it = stored.find(id);
        if (it == stored.end())
            return QV_E_ITEM_LOAD;
        out.SetItem(std::make_unique<Item>(it->second));
        out.SetRecordId(id);
        return S_OK;
    }
    HRESULT Save(CItemRef &ref)
    {
        if (saveResult != S_OK)
            return saveResult;
        if (failAfter >= 0 && int(savedOrder.size()) >= failAfter)
            return QV_E_ITEM_LOAD;
        if (ref.GetRecordId() == 0)
            ref.SetRecordId(nextId++);
        const std::uint32_t id = ref.GetRecordId();
        savedOrder.push_back(id);
        if (CEventItem *e = ref.GetEvent()) {
            events.insert_or_assign(id, *e);
            saved.push_back(*e);
        } else if (CTaskItem *t = ref.GetTask()) {
            tasks.insert_or_assign(id, *t);
        }
        return S_OK;
    }
    HRESULT SaveEventRef(CItemRef &ref) override { return Save(ref); }
    HRESULT SaveTaskRef(CItemRef &ref) override { return Save(ref); }
    const IItemTypeCatalog *GetItemTypes() const override { return nullptr; }
    std::uint32_t GetFormatVersion() const override { return version; }
    HRESULT ToggleTaskCompleted(CItemRef &ref) override
    {
        toggled.push_back(ref.GetRecordId());
        if (onToggle)
            onToggle();
        return toggleResult;
    }
};

struct FakeContainer : IViewContainer
{
    FakeDocument doc;
    int kind = 4;
    bool readOnly = false;
    std::vector<int> commands;
    std::vector<int> notifications;
    bool moveAnswer = true;
    std::vector<CDragItem> moved;
    int movedEffect = -1;
    std::vector<std::uint32_t> shown;
    int offered = 0;
    int taskPadRefreshes = 0;
    int refreshes = 0;
    std::unique_ptr<CEventItem> edited;
    bool editedReadOnly = false;
    std::vector<std::pair<CDateTime, int>> goneTo; // dates and modes of GoToDate
    bool zoomListOpen = false;
    // When set: the document the views work on instead of `doc`, and what moving items and
    // showing a stored item again do.
    IViewDocument *document = nullptr;
    std::function<bool(CDragState &, int effect)> onMove;
    std::function<bool(CItemRef &)> onAddItem;

    std::vector<int> keys; // keys of the key-down notifications
    int OnNotify(const CNotifyRecord &r) override
    {
        notifications.push_back(r.code);
        if (r.code == kNotifyKeyDown)
            keys.push_back(r.key);
        return 0;
    }
    IViewDocument *GetDocument() override { return document ? document : &doc; }
    bool IsDataReadOnly() const override { return readOnly; }
    void SendCommand(int id) override { commands.push_back(id); }
    void PostCommand(int id) override { commands.push_back(id); }
    bool MoveItems(CCalendarViewCtrl &, const QMimeData *, int effect, const QPoint &,
                   CDragState &drag) override
    {
        moved = drag.dragItems;
        movedEffect = effect;
        return onMove ? onMove(drag, effect) : moveAnswer;
    }
    bool AddItemToView(CItemRef &ref, int) override
    {
        shown.push_back(ref.GetRecordId());
        return onAddItem ? onAddItem(ref) : true;
    }
    void UpdateCountPane() override {}
    void Refresh() override { ++refreshes; }
    int GetContainerKind() const override { return kind; }
    void OfferTaskToTaskPad(CItemRef &) override { ++offered; }
    void RefreshTaskPad() override { ++taskPadRefreshes; }
    void GoToDate(const CDateTime &date, int mode) override { goneTo.emplace_back(date, mode); }
    bool IsZoomListOpen() const override { return zoomListOpen; }
    void OpenNewEventEditor(CItemRef &ref, bool ro) override
    {
        edited = std::make_unique<CEventItem>(*ref.GetEvent());
        editedReadOnly = ro;
    }
};
