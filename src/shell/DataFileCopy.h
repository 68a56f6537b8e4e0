// Writing a complete copy of an open data file under another password: every event and task,
// the item types, categories, locations, publishing options and print styles, same title.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>

class CDataFile;

// Creates the file at `path` (which must not exist) and copies everything into it. On a
// failure the half-written copy is removed.
HRESULT WriteNewDataFile(CDataFile &source, const QString &path, const QString &password);
