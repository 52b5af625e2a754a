#pragma once

// The fixed texts of merge fields and data import, in one place so that tests compare them
// exactly and translators find them.
namespace MergeText {
// Element kind strings, as stored in label descriptions and compared case-sensitively.
inline constexpr const char* KindText = "TEXT";
inline constexpr const char* KindImported = "FIELD";
inline constexpr const char* KindSequence = "SEQUENCE";
inline constexpr const char* KindDate = "DATE";

// The design surface shows an imported field as this prefix and its field number.
inline constexpr const char* FieldPlaceholder = "F_";

// The one-line descriptions of the element list in the field editor.
inline constexpr const char* DescribeText = "TEXT FIELD [";
inline constexpr const char* DescribeImported = "IMPORTED FIELD [Field #";
inline constexpr const char* DescribeMinSize = ", Min Size=";
inline constexpr const char* DescribePadChar = ", Pad Char=";
inline constexpr const char* DescribeSequence = "SEQUENCE [";
inline constexpr const char* DescribeRangeDots = "...";
inline constexpr const char* DescribeDate = "DATE [Format=";
inline constexpr const char* DescribeAddMonths = ", Add Months=";
inline constexpr const char* DescribeAddDays = ", Add Days=";
inline constexpr const char* DescribeEnd = "]";

// Data file failures; %1 is the file's path, %2 the system's reason.
inline constexpr const char* CannotOpenDataFile = "Cannot open the data file \"%1\": %2.";
inline constexpr const char* CannotReadDataFile = "Cannot read the data file \"%1\": %2.";
// %2 is the line's number, %3 the limit (DataFileLimits.h).
inline constexpr const char* LineTooLong =
    "Cannot read the data file \"%1\": line %2 is longer than %3 bytes.";
inline constexpr const char* TooManyFields =
    "Cannot read the data file \"%1\": line %2 has more than %3 fields.";
} // namespace MergeText
