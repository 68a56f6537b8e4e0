// One entry of the master category list or the location list: a name with a colour.
#pragma once

#include "core/lists/ColorRules.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <cstdint>

class CArchiveReader;
class CArchiveWriter;

class CCategory
{
  public:
    static constexpr std::uint32_t kTag = 0x01434154; // bytes "TAC" and version 1
    static constexpr int kReservedBytes = 64 + 20;

    CCategory() = default;
    explicit CCategory(const QString &name, COLORREF colour = 0) : m_color(colour), m_name(name) {}

    const QString &GetName() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF colour) { m_color = colour; }

    // Reads one record; a bad tag or a record past the blob's end gives 0x8004050D and leaves the
    // entry unchanged.
    HRESULT Read(CArchiveReader &ar);
    void Write(CArchiveWriter &ar) const;

    bool operator==(const CCategory &) const = default;

  private:
    COLORREF m_color = 0;
    QString m_name;
};
