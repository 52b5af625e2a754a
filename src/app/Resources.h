#pragma once

#include <QIcon>

// Makes the program's pictures, cursors and desktop files reachable under ":/"; call once at
// start-up (the resources live in a static library), before the first icon or cursor is used.
void InitAppResources();

// The program's icon, for windows and the about box.
QIcon ProgramIcon();
