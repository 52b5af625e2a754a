#pragma once

// The fixed texts of spreadsheet data files; %1 is always the file's path.
namespace SheetText {
inline constexpr const char* CannotOpen = "Cannot open the data file \"%1\": %2.";
inline constexpr const char* NotASpreadsheet =
    "Cannot read the data file \"%1\": it is not an .xlsx or .ods spreadsheet (or it is "
    "protected by a password).";
// An OLE compound file: an older binary spreadsheet, or an .xlsx locked with a password.
inline constexpr const char* BinaryOrLocked =
    "Cannot read the data file \"%1\": it is an older binary spreadsheet or is protected by a "
    "password; save it as .xlsx or .ods without a password.";
inline constexpr const char* Locked =
    "Cannot read the data file \"%1\": it is protected by a password; save it without one.";
// %2 the part of the file (a path inside the archive).
inline constexpr const char* MissingPart =
    "Cannot read the data file \"%1\": the spreadsheet lacks its part \"%2\".";
inline constexpr const char* UnreadablePart =
    "Cannot read the data file \"%1\": its part \"%2\" cannot be unpacked.";
// %2 the part, %3 the line in it, %4 the parser's reason.
inline constexpr const char* DamagedPart =
    "Cannot read the data file \"%1\": the part \"%2\" is damaged at line %3 (%4).";
inline constexpr const char* NoSheets = "Cannot read the data file \"%1\": it holds no sheets.";
// %2 the sheet asked for, %3 the sheets there are.
inline constexpr const char* NoSuchSheet =
    "Cannot read the data file \"%1\": it has no sheet \"%2\"; its sheets are %3.";
// %2 the sheet, %3 the cell's reference as written in the file.
inline constexpr const char* BadCellReference =
    "Cannot read the data file \"%1\": sheet \"%2\" has a cell at \"%3\", which is not a "
    "cell of a sheet (columns A to XFD, rows 1 to 1048576).";
// %2 the sheet, %3 the row.
inline constexpr const char* RowsOutOfOrder =
    "Cannot read the data file \"%1\": sheet \"%2\" holds row %3 after a row below it.";
inline constexpr const char* SheetTooLarge =
    "Cannot read the data file \"%1\": sheet \"%2\" has cells beyond column XFD or row "
    "1048576.";
// %2 the part, %3 the limit ("268435456 characters of text").
inline constexpr const char* PartTooLarge =
    "Cannot read the data file \"%1\": the part \"%2\" holds more than %3.";
} // namespace SheetText
