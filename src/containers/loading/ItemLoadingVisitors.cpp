#include "containers/loading/ItemLoadingVisitors.h"

#include "containers/base/ContainerDocument.h"
#include "containers/base/ViewContainer.h"
#include "containers/base/ViewKinds.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/Profile.h"

#include <memory>

namespace {
constexpr int kStyleDetails = 32;
constexpr int kStyleMemo = 64;
constexpr int kViewStyleBit = 0x100;
} // namespace

HRESULT CItemLoadingVisitors::ScreenEvent(CViewContainer &container, std::uint32_t recordId)
{
    IContainerDocument *doc = container.GetDataSource();
    if (!doc)
        return S_OK;
    auto event = std::make_unique<CEventItem>(recordId);
    HRESULT hr = doc->LoadEventSummary(*event);
    if (hr != S_OK)
        return hr;
    bool whole = false;
    CItemRef holder;
    if (container.IsItemInShownRange(*event)) {
        event = std::make_unique<CEventItem>(recordId);
        hr = doc->LoadEvent(*event);
        if (hr != S_OK)
            return hr;
        whole = true;
        holder.SetRecordId(recordId);
        holder.SetItem(std::move(event));
        container.AddItemToView(holder, 1);
    }
    IDateNavigatorPort *navigator = container.Context().navigator;
    if (container.IsSidePaneShown() && navigator) {
        const CEventItem &seen = whole ? *holder.GetEvent() : *event;
        if (navigator->WantsEvent(seen)) {
            if (!whole) {
                auto full = std::make_unique<CEventItem>(recordId);
                hr = doc->LoadEvent(*full);
                if (hr != S_OK)
                    return hr;
                navigator->MarkBusyDays(*full);
            } else {
                navigator->MarkBusyDays(*holder.GetEvent());
            }
        }
    }
    return S_OK;
}

HRESULT CItemLoadingVisitors::ScreenTask(CViewContainer &container, const TaskLoad &how,
                                         std::uint32_t recordId)
{
    IContainerDocument *doc = container.GetDataSource();
    if (!doc)
        return S_OK;
    auto task = std::make_unique<CTaskItem>(recordId);
    bool whole = false;
    HRESULT hr = S_OK;
    if (how.alreadyLoaded) {
        hr = doc->LoadTask(*task);
        if (hr != S_OK)
            return hr;
        whole = true;
    } else {
        hr = doc->LoadTaskSummary(*task);
        if (hr != S_OK)
            return hr;
    }
    const auto loadWhole = [&]() -> HRESULT {
        if (whole)
            return S_OK;
        task = std::make_unique<CTaskItem>(recordId);
        const HRESULT r = doc->LoadTask(*task);
        whole = r == S_OK;
        return r;
    };
    if (how.addToView && (how.alreadyLoaded || container.IsItemInShownRange(*task))) {
        hr = loadWhole();
        if (hr != S_OK)
            return hr;
        CItemRef holder;
        holder.SetRecordId(recordId);
        holder.SetItem(std::make_unique<CTaskItem>(*task));
        container.AddItemToView(holder, 1);
    }
    ITaskPadPort *taskPad = container.Context().taskPad;
    if (how.addToTaskPad && taskPad && ViewKind::HasTaskPad(container.GetViewKind()) &&
        (how.alreadyLoaded || taskPad->WantsTask(*task))) {
        hr = loadWhole();
        if (hr != S_OK)
            return hr;
        taskPad->AddTask(*task);
    }
    return S_OK;
}

int CItemLoadingVisitors::PrintEventMode(int styleId)
{
    if (styleId == kStyleMemo)
        return 3;
    if (styleId == kStyleDetails || (styleId >= 257 && styleId <= 260))
        return GetProfileInt(GetPrintingSection(styleId), QStringLiteral("SN"), 0) != 0 ? 3 : 0;
    return 0;
}

int CItemLoadingVisitors::PrintTaskMode(int styleId)
{
    return (styleId & kViewStyleBit) != 0 ? 0 : 3;
}

HRESULT CItemLoadingVisitors::PrintEvent(CViewContainer &container, std::uint32_t recordId)
{
    IContainerDocument *doc = container.GetDataSource();
    const ContainerPrintJob *job = container.GetPrintJob();
    if (!doc || !job)
        return S_OK;
    CEventItem summary(recordId);
    HRESULT hr = doc->LoadEventSummary(summary);
    if (hr != S_OK)
        return hr;
    if (!container.IsItemInPrintRange(summary))
        return S_OK;
    auto event = std::make_unique<CEventItem>(recordId);
    hr = doc->LoadEvent(*event);
    if (hr != S_OK)
        return hr;
    CItemRef holder;
    holder.SetRecordId(recordId);
    holder.SetItem(std::move(event));
    container.AddItemToPrintView(holder, PrintEventMode(job->styleId));
    return S_OK;
}

HRESULT CItemLoadingVisitors::PrintTask(CViewContainer &container, std::uint32_t recordId)
{
    IContainerDocument *doc = container.GetDataSource();
    const ContainerPrintJob *job = container.GetPrintJob();
    if (!doc || !job)
        return S_OK;
    auto task = std::make_unique<CTaskItem>(recordId);
    HRESULT hr = doc->LoadTaskSummary(*task);
    if (hr != S_OK)
        return hr;
    bool whole = false;
    if (container.IsItemInPrintRange(*task)) {
        task = std::make_unique<CTaskItem>(recordId);
        hr = doc->LoadTask(*task);
        if (hr != S_OK)
            return hr;
        whole = true;
        CItemRef holder;
        holder.SetRecordId(recordId);
        holder.SetItem(std::make_unique<CTaskItem>(*task));
        container.AddItemToPrintView(holder, PrintTaskMode(job->styleId));
    }
    if (job->taskPad) {
        if (!whole) {
            task = std::make_unique<CTaskItem>(recordId);
            hr = doc->LoadTask(*task);
            if (hr != S_OK)
                return hr;
        }
        if (container.GetActiveFilter().MatchesItem(*task))
            job->taskPad->AddTaskIfPasses(*task);
    }
    return S_OK;
}

HRESULT CItemLoadingVisitors::LoadScreenEvents(CViewContainer &container)
{
    IContainerDocument *doc = container.GetDataSource();
    if (!doc)
        return S_OK;
    return doc->EnumEvents([&container](std::uint32_t id) { return ScreenEvent(container, id); });
}

HRESULT CItemLoadingVisitors::LoadScreenTasks(CViewContainer &container, const TaskLoad &how)
{
    IContainerDocument *doc = container.GetDataSource();
    if (!doc)
        return S_OK;
    return doc->EnumTasks([&container, how](std::uint32_t id) { return ScreenTask(container, how, id); });
}

HRESULT CItemLoadingVisitors::LoadPrintEvents(CViewContainer &container)
{
    IContainerDocument *doc = container.GetDataSource();
    if (!doc)
        return S_OK;
    return doc->EnumEvents([&container](std::uint32_t id) { return PrintEvent(container, id); });
}

HRESULT CItemLoadingVisitors::LoadPrintTasks(CViewContainer &container)
{
    IContainerDocument *doc = container.GetDataSource();
    if (!doc)
        return S_OK;
    return doc->EnumTasks([&container](std::uint32_t id) { return PrintTask(container, id); });
}
