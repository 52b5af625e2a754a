#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

// The value forms of description and template files.

// A real in the general form: up to 15 significant digits, no trailing zeros, the given decimal
// separator; scientific (1E-6, 1.5E20) only below 0.00001 or beyond 15 integer digits.
QString FormatIniReal(double value, QChar decimalSeparator);

// A whole decimal number with an optional sign and blanks around it, within 32 bits.
std::optional<int32_t> ParseIniInteger(const QString& text);
