// UPC A, EAN 13, EAN 8, UPC E and the add-ons, read back module by module with the published
// digit codes and parity tables.

#include "BarRecorder.h"

#include "barcode/UpcEan.h"

#include <gtest/gtest.h>

namespace {

// The published L codes; R is the complement of L and G the mirror of R, by the standard's
// definition. This spelling is the test's own, independent of the encoder's tables.
const char* const LCodes[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                "0110001", "0101111", "0111011", "0110111", "0001011"};

std::string RCode(int d) {
    std::string r = LCodes[d];
    for (char& c : r)
        c = c == '1' ? '0' : '1';
    return r;
}

std::string GCode(int d) {
    const std::string r = RCode(d);
    return std::string(r.rbegin(), r.rend());
}

// A 7-module left-half digit as "<digit><L|G>", or "?" when it is no digit code.
std::string ReadLeft(const std::string& modules) {
    for (int d = 0; d < 10; ++d) {
        if (modules == LCodes[d])
            return std::to_string(d) + "L";
        if (modules == GCode(d))
            return std::to_string(d) + "G";
    }
    return "?";
}

char ReadRight(const std::string& modules) {
    for (int d = 0; d < 10; ++d)
        if (modules == RCode(d))
            return char('0' + d);
    return '?';
}

// Left-half digits starting at `at`, each 7 modules plus `gap` modules of separator.
void ReadLeftDigits(const std::string& modules, size_t at, int count, int gap, std::string& digits,
                    std::string& parity) {
    for (int i = 0; i < count; ++i) {
        const std::string d = ReadLeft(modules.substr(at + i * (7 + gap), 7));
        digits += d[0];
        parity += d.size() == 2 ? d[1] : '?';
    }
}

template <typename Encoder>
std::string Encoded(Encoder encode, const QString& data, int32_t count) {
    TBarRecorder bars;
    encode(bars, 0, 0, 0, data, 1, 40);
    return bars.Modules(0, count, 1, 0);
}

TEST(UpcA, DigitsGuardsAndCheck) {
    const struct {
        const char* data;
        const char* expected;
        const char* source;
    } rows[] = {
        {"03600029145", "036000291452", "worked example"},
        {"123", "000000001236", "worked example: padded to 11, check 6"},
    };
    for (const auto& row : rows) {
        const std::string m = Encoded(EncodeUpcA, row.data, 100);
        EXPECT_EQ(m.substr(0, 3), "101") << row.source;
        EXPECT_EQ(m.substr(45, 5), "01010") << row.source;
        EXPECT_EQ(m.substr(92, 3), "101") << row.source;
        EXPECT_EQ(m.substr(95), "00000") << row.source;
        std::string digits, parity;
        ReadLeftDigits(m, 3, 6, 0, digits, parity);
        EXPECT_EQ(parity, "LLLLLL") << row.source;
        for (int i = 0; i < 6; ++i)
            digits += ReadRight(m.substr(50 + 7 * i, 7));
        EXPECT_EQ(digits, row.expected) << row.source;
        EXPECT_EQ(UpcADigits(row.data), row.expected);
    }
}

TEST(Ean13, FirstDigitByParity) {
    // worked example: 400638133393 draws 4006381333931, left half in the row of 4, LGLLGG
    const std::string m = Encoded(EncodeEan13, "400638133393", 100);
    std::string digits, parity;
    ReadLeftDigits(m, 3, 6, 0, digits, parity);
    EXPECT_EQ(parity, "LGLLGG");
    for (int i = 0; i < 6; ++i)
        digits += ReadRight(m.substr(50 + 7 * i, 7));
    EXPECT_EQ(digits, "006381333931");
    EXPECT_EQ(m.substr(0, 3) + m.substr(45, 5) + m.substr(92, 3), "10101010101");
    EXPECT_EQ(Ean13Digits("400638133393"), "4006381333931");

    // every first digit selects the published parity row
    const char* rows[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                            "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
    for (int first = 0; first < 10; ++first) {
        const std::string sym = Encoded(EncodeEan13, QString::number(first) + "12345678901", 95);
        std::string d, p;
        ReadLeftDigits(sym, 3, 6, 0, d, p);
        EXPECT_EQ(p, rows[first]) << first;
        EXPECT_EQ(d, "123456");
    }
}

TEST(Ean8, FourAndFour) {
    // worked example: 1234567 draws 12345670
    const std::string m = Encoded(EncodeEan8, "1234567", 70);
    std::string digits, parity;
    ReadLeftDigits(m, 3, 4, 0, digits, parity);
    EXPECT_EQ(parity, "LLLL");
    EXPECT_EQ(m.substr(31, 5), "01010");
    for (int i = 0; i < 4; ++i)
        digits += ReadRight(m.substr(36 + 7 * i, 7));
    EXPECT_EQ(digits, "12345670");
    EXPECT_EQ(m.substr(64, 3), "101");
    EXPECT_EQ(m.substr(67), "000");
}

TEST(UpcE, ExpansionCheckAndParity) {
    const struct {
        const char* data;
        const char* expansion;
        char check;
        const char* parity; // E = G code, O = L code
        const char* source;
    } rows[] = {
        {"425261", "04210000526", '4', "EOEEOO", "worked example"},
        {"123", "00000000012", '3', "EEOOOE", "worked example: padded to 000123"},
        // worked by hand from the published expansion rules and parity table
        {"654320", "06500000432", '8', "EOEOOE", "last digit 0"},
        {"123453", "01230000045", '1', "EEOEOO", "last digit 3"},
        {"123454", "01234000005", '3', "EEOOOE", "last digit 4"},
        {"123459", "01234500009", '6', "EOOOEE", "last digits 5..9"},
    };
    for (const auto& row : rows) {
        const QString padded = QString::fromLatin1(row.data).rightJustified(6, '0');
        EXPECT_EQ(ExpandUpcE(padded), row.expansion) << row.source;
        EXPECT_EQ(UpcECheckDigit(row.data), QChar(row.check)) << row.source;
        const std::string m = Encoded(EncodeUpcE, row.data, 55);
        EXPECT_EQ(m.substr(0, 3), "101");
        std::string digits, parity;
        ReadLeftDigits(m, 3, 6, 0, digits, parity);
        EXPECT_EQ(digits, padded.toStdString()) << row.source;
        std::string expected = row.parity;
        for (char& c : expected)
            c = c == 'E' ? 'G' : 'L';
        EXPECT_EQ(parity, expected) << row.source;
        EXPECT_EQ(m.substr(45, 6), "010101");
        EXPECT_EQ(m.substr(51), "0000");
    }
    EXPECT_TRUE(ExpandUpcE("12345").isEmpty());
}

TEST(AddOns, PublishedParities) {
    // 2 digits: parity by value mod 4 (LL, LG, GL, GG)
    const struct {
        const char* data;
        const char* digits;
        const char* parity;
        const char* source;
    } two[] = {
        {"34", "34", "GL", "worked example: 34 mod 4 = 2"},
        {"5", "05", "LG", "worked example: one zero in front, 5 mod 4 = 1"},
        {"12", "12", "LL", "12 mod 4 = 0"},
        {"99", "99", "GG", "99 mod 4 = 3"},
    };
    for (const auto& row : two) {
        const std::string m = Encoded(EncodeAddOn2, row.data, 24);
        EXPECT_EQ(m.substr(0, 4), "1011") << row.source;
        std::string digits, parity;
        ReadLeftDigits(m, 4, 2, 2, digits, parity);
        EXPECT_EQ(digits, row.digits) << row.source;
        EXPECT_EQ(parity, row.parity) << row.source;
        EXPECT_EQ(m.substr(11, 2), "01");
        EXPECT_EQ(m.substr(20), "0000");
    }

    // 5 digits: check 3 x (odd positions) + 9 x (even positions) mod 10 selects the parity
    const struct {
        const char* data;
        const char* digits;
        int check;
        const char* parity;
        const char* source;
    } five[] = {
        {"52495", "52495", 1, "GLGLL", "worked example"},
        {"7", "00007", 1, "GLGLL", "worked example: padded"},
        {"00000", "00000", 0, "GGLLL", "published row 0"},
        {"12345", "12345", 1, "GLGLL", "3 x (1 + 3 + 5) + 9 x (2 + 4) = 81"},
        {"10000", "10000", 3, "GLLLG", "3 x 1 = 3"},
    };
    for (const auto& row : five) {
        EXPECT_EQ(AddOn5CheckValue(row.data), row.check) << row.source;
        const std::string m = Encoded(EncodeAddOn5, row.data, 50);
        EXPECT_EQ(m.substr(0, 4), "1011");
        std::string digits, parity;
        ReadLeftDigits(m, 4, 5, 2, digits, parity);
        EXPECT_EQ(digits, row.digits) << row.source;
        EXPECT_EQ(parity, row.parity) << row.source;
        EXPECT_EQ(m.substr(47), "000");
    }
}

} // namespace
