// Code 128 sequences: set choice, switches and shifts, check values, and the three types drawn as
// Code 128.

#include "BarRecorder.h"

#include "barcode/Code128.h"
#include "barcode/PrnBarcode.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Values(const QString& sequence) {
    std::vector<int> out;
    for (const QChar c : sequence)
        out.push_back(c.unicode() - Code128::CharOffset);
    return out;
}

QString Ctl(int code) {
    return QString(QChar(char16_t(code)));
}

struct TSequenceRow {
    QString data;
    bool fnc1;
    std::vector<int> expected; // start ... check, stop
    const char* source;
};

TEST(BuildCode128Sequence, SetsSwitchesAndChecks) {
    // check values worked out by hand: start + sum of value x position, mod 103
    const TSequenceRow rows[] = {
        {"ABC123",
         false,
         {104, 33, 34, 35, 17, 18, 19, 67, 106},
         "worked example: the run of 3 digits stays in set B, check 67"},
        {"1234567890",
         false,
         {105, 12, 34, 56, 78, 90, 85, 106},
         "worked example: set C, check 85"},
        {"12345",
         false,
         {105, 12, 34, 100, 21, 54, 106},
         "worked example: odd run at the start packed from its first digit, last in set B"},
        {"AB12345",
         false,
         {104, 33, 34, 17, 99, 23, 45, 7, 106},
         "worked example: odd run after a letter writes its first digit in set B"},
        {"aX" + Ctl(1) + "b",
         false,
         {104, 65, 56, 98, 65, 66, 32, 106},
         "worked example: control before a small letter in set B is shifted"},
        {"1234" + Ctl(1),
         false,
         {105, 12, 34, 101, 65, 27, 106},
         "worked example: a lone control character after set C switches to A"},
        {Ctl(1) + "{",
         false,
         {103, 65, 100, 91, 23, 106},
         "worked example: a curly brace in set A data switches to B"},
        {"0112345678901231",
         true,
         {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74, 106},
         "GS1-128: FNC1 after the start, digits in set C"},
        {"AB", true, {104, 102, 33, 34, 65, 106}, "FNC1 in set B: 104 + 102 + 66 + 102 = 374, 65"},
    };
    for (const TSequenceRow& row : rows)
        EXPECT_EQ(Values(BuildCode128Sequence(row.data, row.fnc1)), row.expected) << row.source;
}

TEST(BuildCode128Sequence, ShiftIsUndoneAfterOneCharacter) {
    // set A data with a small letter followed by a control: shift to B for the letter only
    const QString data = Ctl(2) + "a" + Ctl(3) + "b";
    const std::vector<int> v = Values(BuildCode128Sequence(data, false));
    // start A, STX, shift, a, ETX (back in A), then b: a B-only letter at the end switches to B
    ASSERT_GE(v.size(), 7u);
    EXPECT_EQ((std::vector<int>(v.begin(), v.begin() + 7)),
              (std::vector<int>{103, 66, 98, 65, 67, 100, 66}));
}

TEST(InitialCodeSet, ByTheFirstCharacters) {
    EXPECT_EQ(InitialCodeSet(u"1234"), TCode128Set::C);
    EXPECT_EQ(InitialCodeSet(u"12345A"), TCode128Set::C); // an odd run of 4+ still starts in C
    EXPECT_EQ(InitialCodeSet(u"123A"), TCode128Set::B);
    EXPECT_EQ(InitialCodeSet(Ctl(9) + "a"), TCode128Set::A);
    EXPECT_EQ(InitialCodeSet(QString("a") + Ctl(9)), TCode128Set::B);
    EXPECT_EQ(InitialCodeSet(u"ABC"), TCode128Set::B);
}

TEST(Code128CheckValue, StartPlusWeightedValues) {
    // worked by hand: 104 + 48x1 + 42x2 + 42x3 + 17x4 + 18x5 + 19x6 + 35x7 = 879, mod 103 = 55
    const QString seq = BuildCode128Sequence("PJJ123C", false);
    EXPECT_EQ(Code128CheckValue(QStringView(seq).left(seq.size() - 2)), 55);
    EXPECT_EQ(Values(seq)[seq.size() - 2], 55);
}

TEST(EncodeCode128, PatternsFromStartToStop) {
    TBarRecorder bars;
    EncodeCode128(bars, 0, 0, 0, "1234567890", 1, 30);
    const std::string modules = bars.Modules(0, 95, 1, 0);
    // worked example: 90 modules; published widths Start C 211232, 12 = 112232, stop 2331112
    EXPECT_EQ(Widths(modules.substr(0, 11)), "211232");
    EXPECT_EQ(Widths(modules.substr(11, 11)), "112232");
    EXPECT_EQ(Widths(modules.substr(77, 13)), "2331112");
    EXPECT_EQ(modules.substr(90), "00000");
}

TEST(ContainerCodes, DigitsAndLengths) {
    // worked examples: SSCC-18 of 12345 carries 00000000000000123457; SSC-14 of 13 zeros
    // carries 0100000000000000
    EXPECT_EQ(Sscc18Digits("12345"), "00000000000000123457");
    EXPECT_EQ(Ssc14Digits("0000000000000"), "0100000000000000");
    EXPECT_EQ(Values(BuildCode128Sequence(Sscc18Digits("12345"), true)),
              (std::vector<int>{105, 102, 0, 0, 0, 0, 0, 0, 0, 12, 34, 57, 46, 106}));
    EXPECT_EQ(Values(BuildCode128Sequence(Ssc14Digits("0000000000000"), true)),
              (std::vector<int>{105, 102, 1, 0, 0, 0, 0, 0, 0, 0, 3, 106}));
    EXPECT_EQ(SymbolExtent(btSsc14, "0000000000000", 1), 134 + 20);
    EXPECT_EQ(SymbolExtent(btSscc18, "12345", 1), 156 + 20);

    TBarRecorder bars;
    EncodeSsc14(bars, 0, 0, 0, "0000000000000", 1, 30);
    const std::string modules = bars.Modules(0, 140, 1, 0);
    EXPECT_EQ(Widths(modules.substr(11, 11)), "411131"); // FNC1, published widths
    EXPECT_EQ(modules.substr(121, 13), "1100011101011");
    EXPECT_EQ(modules.substr(134), "000000");
}

} // namespace
