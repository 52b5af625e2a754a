#pragma once

#include <QString>
#include <QVariant>

// The text of one database value as a merge field:
// - NULL: empty;
// - integers: in full; other numbers: at most 15 significant digits without trailing zeros,
//   so a double sum of 0.1 and 0.2 is "0.3" (exact decimals, PostgreSQL's numeric, come as the
//   server writes them, "12.50");
// - dates yyyy-MM-dd, times HH:mm:ss, timestamps yyyy-MM-dd HH:mm:ss (fractions of a second
//   dropped; a timestamp with time zone comes from the driver in this computer's local time);
// - booleans "true" and "false", as the database itself casts them to text;
// - binary values (bytea, blob) in lowercase hexadecimal, two digits a byte;
// - text as it is.
QString SqlValueText(const QVariant& value);

// A double as SqlValueText writes it: 15 significant digits, no trailing zeros, plain digits
// from 1e-7 to 1e21 and an exponent beyond ("1.5e+25"); "NaN", "Infinity" and "-Infinity" as
// PostgreSQL writes them.
QString SqlDoubleText(double value);
