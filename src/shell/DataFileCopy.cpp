// The copy of a data file under a new password.
#include "shell/DataFileCopy.h"

#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"
#include "core/storage/DataFile.h"
#include "core/storage/FixedObjectStore.h"

#include <QFile>

namespace {

HRESULT CopyAll(CDataFile &source, CDataFile &target)
{
    for (int id : {kFixedItemTypes, kFixedMasterCategories, kFixedLocations, kFixedWebPublishOptions,
                   kFixedPrintStyles}) {
        QByteArray blob;
        const HRESULT hr = source.ReadFixedObject(id, blob);
        if (hr != S_OK || blob.isEmpty())
            continue; // an object the source never had is left out, as in a fresh file
        if (const HRESULT w = target.WriteFixedObject(id, blob); w != S_OK)
            return w;
    }
    HRESULT hr = source.EnumEvents([&](std::uint32_t recordId) -> HRESULT {
        CEventItem event;
        event.SetRecordId(recordId);
        if (const HRESULT load = source.LoadEvent(event); load != S_OK)
            return load;
        event.SetRecordId(0);
        return target.SaveEvent(event);
    });
    if (hr != S_OK)
        return hr;
    return source.EnumTasks([&](std::uint32_t recordId) -> HRESULT {
        CTaskItem task;
        task.SetRecordId(recordId);
        if (const HRESULT load = source.LoadTask(task); load != S_OK)
            return load;
        task.SetRecordId(0);
        return target.SaveTask(task);
    });
}

} // namespace

HRESULT WriteNewDataFile(CDataFile &source, const QString &path, const QString &password)
{
    if (QFile::exists(path))
        return HresultFromSystem(80); // the file exists
    CDataFile target;
    HRESULT hr = target.Create(path, source.GetTitle(), password);
    if (hr == S_OK)
        hr = target.Open(path, false);
    if (hr == S_OK)
        hr = target.Validate();
    if (hr == S_OK || hr == 0x80040524u || hr == 0x80040523u)
        hr = target.CheckPassword(password);
    if (hr == S_OK) {
        target.SetWriteThrough(false);
        hr = CopyAll(source, target);
    }
    if (hr == S_OK)
        hr = target.Flush();
    const HRESULT closed = target.IsOpen() ? target.Close() : S_OK;
    if (hr == S_OK)
        hr = closed;
    if (hr != S_OK)
        QFile::remove(path);
    return hr;
}
