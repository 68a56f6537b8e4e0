// The main window's command table: every command of its menus, toolbar and accelerators with
// its menu text, status prompt, tooltip and accelerator, and its image.
#pragma once

class CCommandTable;

// Adds the main window's commands to the table (again: the texts are put back as they were).
void AddMainCommands(CCommandTable &table);
// Gives the table the command images at 16 pixels (the menus' size).
void AddMainCommandImages(CCommandTable &table);
