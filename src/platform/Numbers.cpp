#include "platform/Numbers.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <string>

bool TryParseDecimal(const QString& text, double& value) {
    value = 0;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    // Accept: [sign] digits [sep digits] [e [sign] digits], with at least one digit in the
    // mantissa. Built by hand so that neither locale nor "inf"/"nan"/hex forms slip through.
    std::string s;
    s.reserve(t.size());
    int i = 0;
    const int n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-'))
        s += char(t[i++].unicode());
    int mantissaDigits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        s += char(t[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && (t[i] == '.' || t[i] == ',')) {
        s += '.';
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            s += char(t[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        s += 'e';
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-'))
            s += char(t[i++].unicode());
        int expDigits = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            s += char(t[i++].unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    const double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v))
        return false;
    value = v;
    return true;
}

double ParseDecimal(const QString& text) {
    double v = 0;
    return TryParseDecimal(text, v) ? v : 0.0;
}

QChar LocaleDecimalSeparator() {
    const QString sep = QLocale().decimalPoint();
    return sep.isEmpty() ? QChar('.') : sep.at(0);
}

namespace {
struct Pattern {
    int minInteger = 0;
    int requiredDecimals = 0;
    int optionalDecimals = 0;
};

Pattern ParsePattern(const char* p) {
    Pattern r;
    bool afterPoint = false;
    for (; *p; ++p) {
        if (*p == '.')
            afterPoint = true;
        else if (!afterPoint && *p == '0')
            ++r.minInteger;
        else if (afterPoint && *p == '0')
            ++r.requiredDecimals;
        else if (afterPoint && *p == '#')
            ++r.optionalDecimals;
    }
    return r;
}
} // namespace

QString FormatNumber(const char* pattern, double value, QChar decimalSeparator) {
    const Pattern p = ParsePattern(pattern);
    const int decimals = p.requiredDecimals + p.optionalDecimals;
    if (!std::isfinite(value))
        value = 0;
    // printf rounds the exact binary value to nearest, ties to even.
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    std::string digits(buf);
    std::string intPart = digits, frac;
    if (const auto dot = digits.find('.'); dot != std::string::npos) {
        intPart = digits.substr(0, dot);
        frac = digits.substr(dot + 1);
    }
    while (frac.size() > size_t(p.requiredDecimals) && !frac.empty() && frac.back() == '0')
        frac.pop_back();
    // The patterns drop a lone leading zero when no integer digit is required.
    if (intPart == "0" && p.minInteger == 0)
        intPart.clear();
    while (intPart.size() < size_t(p.minInteger))
        intPart.insert(intPart.begin(), '0');
    const bool isZero = intPart.find_first_not_of('0') == std::string::npos &&
                        frac.find_first_not_of('0') == std::string::npos;
    QString out;
    if (value < 0 && !isZero)
        out += '-';
    out += QString::fromLatin1(intPart.c_str());
    if (!frac.empty()) {
        out += decimalSeparator;
        out += QString::fromLatin1(frac.c_str());
    }
    if (out.isEmpty() || out == "-")
        out = "0";
    return out;
}

QString FormatNumber(const char* pattern, double value) {
    return FormatNumber(pattern, value, LocaleDecimalSeparator());
}
