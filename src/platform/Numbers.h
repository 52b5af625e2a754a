#pragma once

#include <QChar>
#include <QString>

// Decimal parsing and the fixed number formats shown in dialogs and written to label files.

// Number from text; "." and "," both act as the decimal separator. Surrounding blanks are
// ignored. Any text that is not a number (including empty text, inf and nan) gives 0.
double ParseDecimal(const QString& text);

// Same rules, but tells whether the text was a number.
bool TryParseDecimal(const QString& text, double& value);

// Formats with a pattern of the form [#...][0...][.[0...][#...]]: the number of '0's before the
// point is the minimum count of integer digits, '0's after it are decimals always shown, '#'s
// after them are decimals shown when not zero. Rounds halves to even on the exact binary value.
QString FormatNumber(const char* pattern, double value, QChar decimalSeparator);
// As above with the locale's decimal separator.
QString FormatNumber(const char* pattern, double value);

// The decimal separator of the user's locale.
QChar LocaleDecimalSeparator();

// The patterns used across the program.
namespace NumberFormat {
inline constexpr const char* Length = "#0.0####";       // sheet lengths in dialogs and files
inline constexpr const char* Percent = "##0.0#";        // rounded-border corner percent
inline constexpr const char* Minimum = "##0.00";        // minimum sizes in messages
inline constexpr const char* PageMargin = "#0.###";     // non-printable margins
inline constexpr const char* PaperInches = "##0.##";    // paper size in inches
inline constexpr const char* PaperCm = "####0.##";      // paper size in centimetres
inline constexpr const char* TwoDecimals = "0.00";      // fixed two decimals
inline constexpr const char* ShortLength = "##0.0##";   // short lengths (bar widths, positions)
inline constexpr const char* MediumLength = "###0.0##"; // longer lengths
} // namespace NumberFormat
