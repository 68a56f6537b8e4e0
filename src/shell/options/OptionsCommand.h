// The Options command of the application: the dialog on the visible main window, or as a
// window of its own when the program runs in the tray alone.
#pragma once

#include "shell/options/ItemTypeEditorPort.h"

class CCalendarDocument;
class CMainFrame;
struct OptionsEnvironment;

// Everything the dialog works on in the running program.
OptionsEnvironment MakeOptionsEnvironment(CCalendarDocument &document, CMainFrame &frame);
// Runs the dialog; 1 after OK of a modal run.
int RunOptionsCommand(CCalendarDocument &document, CMainFrame &frame);

// The item-type editor the Item Types page opens; until one is set, Create and Edit are off.
void SetOptionsItemTypeEditor(ItemTypeEditorPort editor);
