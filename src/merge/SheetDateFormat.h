#pragma once

#include "merge/SheetFormatCode.h"

#include <QString>

#include <vector>

namespace SheetDates {
// The serial number (days since the epoch, time as the fraction) shown by the pieces of a date
// section; ok false when the number is no date (negative or past 9999).
QString FormatSerial(double serial, const std::vector<TCodePiece>& pieces, bool date1904, bool* ok);
} // namespace SheetDates
