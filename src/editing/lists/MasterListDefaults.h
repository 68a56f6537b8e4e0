// CMasterListDefaults: the master category list's default names, put in place and saved when the
// list is reset or the file holds no list yet.
#pragma once

#include "core/system/ResultCode.h"

class CMasterList;
class IFixedObjectStore;

class CMasterListDefaults
{
  public:
    // Empties the list, adds the default names and saves it; the save's result.
    static HRESULT Reset(CMasterList &list, IFixedObjectStore &store);
    // Loads the list; a file that holds none (or an empty one) gets the defaults, saved at once.
    // A read-only file without a list gets them in memory only.
    static HRESULT Load(CMasterList &list, IFixedObjectStore &store);
};
