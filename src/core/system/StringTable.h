// The program's user-facing texts, keyed by their numeric string ids.
#pragma once

class QString;

// The text of a string id; a missing id gives the "Unknown resource" text.
QString LoadResString(int id);
// The text of a string id, or an empty string when the table has none.
bool FindResString(int id, QString &out);
