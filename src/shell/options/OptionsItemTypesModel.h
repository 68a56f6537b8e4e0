// COptionsItemTypesModel: the Item Types page without its window: a working copy of the open
// data file's item types with their icons and of the saved filters; create, edit, delete,
// restore the predefined types, the two default types and the gradient switch; and the apply
// that hands the copy back to the document and the data file.
#pragma once

#include "core/lists/ImageList.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <vector>

class IFixedObjectStore;
struct ItemTypeEditRequest;

class COptionsItemTypesModel
{
  public:
    static constexpr int kMaxTypes = CItemTypeList::kMaxTypes;

    // What the details area shows of a type.
    struct Details
    {
        QString lead;  // "15 minutes before start"
        QString sound; // the sound, with " < not found >" for a missing file
        bool noWindowAfterTime = false;
        bool busyDays = false;
        bool synchronise = false;
    };

    // Copies the list's types, icons and filters; null when no data file is open. The gradient
    // box is checked from "UG" and enabled only above 256 colours.
    void Load(const CItemTypeList *list, bool readOnly, int displayColors);

    bool HasFile() const { return m_hasFile; }
    bool IsEditable() const { return m_hasFile && !m_readOnly; }
    int GetCount() const { return int(m_order.size()); }
    // Types by their place in the list (sorted by name, case ignored).
    const CItemType *GetTypeAt(int position) const;
    int GetSlotAt(int position) const;
    const ImagePixels *GetSmallIconAt(int position) const;
    const ImagePixels *GetLargeIconAt(int position) const;
    int FindPosition(const QString &name) const;
    const ItemTypeArray &GetTypes() const { return m_types; }
    const ItemFilterArray &GetFilters() const { return m_filters; }

    int GetSelection() const { return m_selection; }
    void Select(int position);

    bool CanCreate() const { return IsEditable() && GetCount() < kMaxTypes; }
    bool CanChange() const { return IsEditable() && m_selection >= 0; } // Edit, Delete, defaults
    bool CanRestore() const { return IsEditable(); }
    Details GetDetails(int position) const;

    // A request for a new type (default fields and the given default icons), or for the
    // selected one.
    ItemTypeEditRequest MakeCreateRequest(const ImagePixels &largeIcon, const ImagePixels &smallIcon) const;
    bool MakeEditRequest(int position, ItemTypeEditRequest &request) const;
    // The editor's OK. A new type is added and selected; false (nothing changed) at the limit or
    // when its icons do not fit the lists.
    bool AddFromEditor(const ItemTypeEditRequest &request);
    bool ReplaceFromEditor(const ItemTypeEditRequest &request);
    // Removes the type, its name from every filter, and hands its default role to the first
    // listed type.
    bool Delete(int position);
    // Adds each predefined type whose name is missing, up to the limit; the number added.
    int Restore();
    void SetDefaultEvent(int position) { SetDefault(position, CItemType::kFlagDefaultEvent); }
    void SetDefaultTask(int position) { SetDefault(position, CItemType::kFlagDefaultTask); }

    bool IsGradientOn() const { return m_gradientOn; }
    bool IsGradientEnabled() const { return m_gradientEnabled; }
    void SetGradient(bool on);

    // A change the apply has to write: the types and filters, or only the gradient switch.
    bool IsModified() const { return m_modified || m_gradientOn != m_gradientLoaded; }
    bool TypesModified() const { return m_modified; }

    // Writes "UG", rebuilds the list from the working copy in list order and stores it in the
    // data file. A failed store puts the list back as the file holds it and is returned.
    HRESULT Apply(CItemTypeList &list, IFixedObjectStore &store);
    // Only the first step: "UG" when the gradient switch changed (also without a data file).
    void ApplySettings();
    bool WasApplied() const { return m_applied; }
    bool GradientChanged() const { return m_gradientChanged; }

  private:
    void Sort();
    void SetDefault(int position, std::uint32_t flag);
    void RemoveFromFilters(const QString &name);

    ItemTypeArray m_types;
    CImageList m_large{CItemTypeList::kLargeIconSize, CItemTypeList::kLargeIconSize};
    CImageList m_small{CItemTypeList::kSmallIconSize, CItemTypeList::kSmallIconSize};
    ItemFilterArray m_filters;
    std::vector<int> m_order; // slots of m_types in list order
    int m_selection = -1;
    bool m_hasFile = false;
    bool m_readOnly = false;
    bool m_modified = false;
    bool m_gradientOn = true;
    bool m_gradientLoaded = true;
    bool m_gradientEnabled = true;
    bool m_highColor = true; // restored types get the colours for more than 256 colours
    bool m_gradientChanged = false;
    bool m_applied = false;
};
