// The tray icons and the program icon, drawn by the program itself: a small calendar page,
// coloured while reminders are on and grey while they are off (the other set adds a bell).
#pragma once

#include <QIcon>

// By the tray icon resource numbers: 128 / 160 the plain set on / off, 287 / 288 the other.
QIcon MakeTrayIcon(int resourceId);
QIcon MakeProgramIcon();
