#pragma once

#include <QFont>

#include <cstdint>

// A control's font sized for a device of pixelsPerInch: the em height in whole pixels, as the
// point size converts on that device (halves to even).
QFont FontForResolution(const QFont& font, int32_t pixelsPerInch);

// The font new controls start with.
QFont DefaultControlFont();
