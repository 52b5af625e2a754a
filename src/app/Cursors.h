#pragma once

#include <QCursor>

// The add tools' cursors by the numbers they are registered under: 5 "CRDRAG" (formatted
// text), 6 "CRTEXT", 7 "CRBRCD", 8 "CRSHPE", 9 "CRGRFX". Each is a crosshair whose centre is
// the hot spot, with the tool's picture beside it. Any other number gives the arrow.
QCursor AddToolCursor(int number);
