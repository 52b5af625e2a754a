#pragma once

#include "merge/SheetFormatCode.h"

#include <QString>

#include <vector>

// How a spreadsheet shows a number, so that a label prints what the user sees in the sheet.
//
// Numbers are first cut to the 15 significant digits a spreadsheet keeps (0.1 + 0.2, stored as
// 0.30000000000000004, is 0.3), then shown by the cell's number format code:
// - General: no trailing zeros, an integer without a point, an exponent (1.5E+15, 1.2E-07) only
//   beyond 15 integer digits or below 0.00001.
// - Numbers: digit placeholders 0 # ?, a decimal point, a thousands comma (and trailing commas
//   that divide by 1000), percent, literal text ("kg", \x, $ - ( ) and the like), currency
//   brackets [$€-407], colours; up to four sections (positive; negative; zero; text). Rounding is
//   half away from zero on the decimal digits, as a spreadsheet does.
// - Dates and times: y m d h s with their lengths, English month and day names, AM/PM and A/P,
//   fractions of a second, elapsed [h] [mm] [ss]; serial numbers count days from 1899-12-30
//   (1900 system, with its leap-day quirk below 1 March 1900) or 1904-01-01.
// Left out, shown as General instead: fractions (# ?/?), scientific formats (0.00E+00),
// conditions ([>100]) and locale-bound built-in formats (ids 27 to 36 and 50 to 81).
// A number format code cut into its sections once, for the many cells that share it.
class TNumberFormat {
public:
    // General when code is empty.
    explicit TNumberFormat(const QString& code = QString());
    // The number as this format shows it; date1904 picks the workbook's epoch.
    QString Text(double value, bool date1904 = false) const;
    bool IsGeneral() const { return m_sections.empty(); }
    // True when it shows a date or time.
    bool IsDate() const;

private:
    std::vector<std::vector<TCodePiece>> m_sections; // empty for General
};

namespace SheetCells {
// The number as the General format shows it.
QString GeneralText(double value);

// The number shown by formatCode (General when empty); date1904 picks the workbook's epoch. The
// same as TNumberFormat(formatCode).Text(value, date1904).
QString FormatNumber(double value, const QString& formatCode, bool date1904 = false);

// The format code of a built-in number format id (0 to 49) as a spreadsheet in English shows
// it; empty (General) for ids without one. Date ids use the US forms (14 is m/d/yyyy).
QString BuiltInFormat(int id);

// True when formatCode shows a date or time.
bool IsDateFormat(const QString& formatCode);

// The serial number of a date and time (as an ISO 8601 text); ok false when it is not one.
double SerialFromIso(const QString& text, bool date1904, bool* ok);
} // namespace SheetCells
