#include "files/IniValues.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

QString FormatIniReal(double value, QChar decimalSeparator) {
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0");
    // printf rounds the exact binary value to 15 significant digits, ties to even.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 14);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    QString out;
    if (value < 0)
        out += QLatin1Char('-');
    if (std::fabs(value) < 1e-5 || exponent >= 15) {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += QString::fromLatin1(digits.c_str() + 1);
        }
        out += QLatin1Char('E');
        out += QString::number(exponent);
        return out;
    }
    if (exponent >= 0) {
        std::string integer = digits.substr(0, std::min<size_t>(digits.size(), exponent + 1));
        integer.resize(exponent + 1, '0');
        out += QString::fromLatin1(integer.c_str());
        if (digits.size() > size_t(exponent + 1)) {
            out += decimalSeparator;
            out += QString::fromLatin1(digits.c_str() + exponent + 1);
        }
        return out;
    }
    out += QLatin1Char('0');
    out += decimalSeparator;
    out += QString(-exponent - 1, QLatin1Char('0'));
    out += QString::fromLatin1(digits.c_str());
    return out;
}

std::optional<int32_t> ParseIniInteger(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        negative = t[i++] == QLatin1Char('-');
    if (i == t.size())
        return std::nullopt;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(v);
}
