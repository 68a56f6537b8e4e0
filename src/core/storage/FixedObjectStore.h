// What the lists need of the open data file: its fixed objects as whole blobs, and its format.
#pragma once

#include "core/system/ResultCode.h"

#include <QByteArray>
#include <cstdint>

// Fixed objects of a data file.
enum FixedObjectId : int
{
    kFixedItemTypes = 1,
    kFixedMasterCategories = 2,
    kFixedLocations = 3,
    kFixedWebPublishOptions = 4,
    kFixedPrintStyles = 5,
};

// Data file formats the lists tell apart.
inline constexpr std::uint32_t kDataFormat10001 = 0x00010001;
inline constexpr std::uint32_t kDataFormat10004 = 0x00010004;
inline constexpr std::uint32_t kDataFormatCurrent = 0x00020005;

class IFixedObjectStore
{
  public:
    virtual ~IFixedObjectStore() = default;
    // The whole deciphered object. A missing or empty object gives S_OK and an empty blob in a
    // writable file (0x80040509 in a read-only one); other failures are the file's codes.
    virtual HRESULT ReadFixedObject(int id, QByteArray &data) = 0;
    // Replaces the object's content (flushed when write-through is on).
    virtual HRESULT WriteFixedObject(int id, const QByteArray &data) = 0;
    // The open file's format version (0x00020005 for the current format).
    virtual std::uint32_t GetFormatVersion() const = 0;
};
