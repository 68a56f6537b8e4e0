// An in-memory data file for the lists: fixed objects by id, a format version, and results to fail
// reads or writes with.
#pragma once

#include "core/storage/FixedObjectStore.h"

#include <map>

class FakeFixedObjectStore : public IFixedObjectStore
{
  public:
    HRESULT ReadFixedObject(int id, QByteArray &data) override
    {
        ++reads;
        if (readResult != S_OK)
            return readResult;
        auto it = objects.find(id);
        data = it == objects.end() ? QByteArray() : it->second;
        return S_OK;
    }
    HRESULT WriteFixedObject(int id, const QByteArray &data) override
    {
        ++writes;
        if (writeResult != S_OK)
            return writeResult;
        objects[id] = data;
        return S_OK;
    }
    std::uint32_t GetFormatVersion() const override { return format; }

    std::map<int, QByteArray> objects;
    std::uint32_t format = kDataFormatCurrent;
    HRESULT readResult = S_OK;
    HRESULT writeResult = S_OK;
    int reads = 0;
    int writes = 0;
};
