#pragma once

#include <QtGlobal>

// What a data file line may hold. Far beyond any export a spreadsheet or database writes, and
// small enough that one hostile line cannot take more than a few hundred MB while it is read
// (a record of one 28 MB field still prints).
namespace DataFileLimits {
// Bytes of one line, its line end excluded.
inline constexpr qsizetype MaxLineBytes = 64 * 1024 * 1024;
// Fields of one record: spreadsheets stop at 16,384 columns.
inline constexpr qsizetype MaxFields = 65536;
} // namespace DataFileLimits
