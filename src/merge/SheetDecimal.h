#pragma once

#include <QString>

// A number as the decimal digits a spreadsheet keeps: at most 15 significant digits, so binary
// noise (0.30000000000000004) is gone before any rounding for display, which then works on the
// digits and rounds halves away from zero (2.675 to two places is 2.68).
struct TSheetDecimal {
    bool negative = false;
    QString digits; // significant digits without leading or trailing zeros; empty for zero
    int point = 0;  // how many of the digits stand before the decimal point (may be <= 0 or more
                    // than there are digits)

    static TSheetDecimal FromDouble(double value);
    bool IsZero() const { return digits.isEmpty(); }
    // Multiplies by 10^power (percent: 2; thousands scaling: -3).
    void Shift(int power) {
        if (!IsZero())
            point += power;
    }
    // Rounds to places digits after the point, halves away from zero.
    void RoundTo(int places);
    // The digits before the point, without leading zeros; empty when there are none.
    QString IntegerDigits() const;
    // Exactly places digits after the point (padded with zeros).
    QString FractionDigits(int places) const;
};
