#pragma once

// The lengths between the units the program shows and reads. Lengths are kept in inches; the
// metric ones are shown in centimetres, paper sizes may name millimetres or points, and fonts
// are sized in points. Module widths of barcodes are in mils, thousandths of an inch.
inline constexpr double CentimetresPerInch = 2.54;
inline constexpr double MillimetresPerInch = 25.4;
inline constexpr double PointsPerInch = 72.0;
inline constexpr double MilsPerInch = 1000.0;
