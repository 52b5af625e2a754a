// Code 39, its full ASCII and check-character forms, and Code 93.

#include "BarRecorder.h"

#include "barcode/Code39.h"
#include "barcode/Code93.h"

#include <gtest/gtest.h>

namespace {

// The modules an encoder draws at m = 1 in rotation 0, from its first module.
template <typename Encoder>
std::string Encoded(Encoder encode, const QString& data, int32_t count) {
    TBarRecorder bars;
    encode(bars, 0, 0, 0, data, 1, 30);
    return bars.Modules(0, count, 1, 0);
}

// The published Code 39 element widths (b s b s b s b s b, 1 = wide), turned into modules with
// wide = 2 and the one-module gap: an independent spelling of the table.
std::string Code39Modules(const char* wide) {
    std::string out;
    for (int i = 0; i < 9; ++i)
        out += std::string(wide[i] == '1' ? 2 : 1, i % 2 == 0 ? '1' : '0');
    return out + "0";
}

TEST(Code39, StartDataStopAndLength) {
    // worked example: CODE39 draws 8 characters, 104 modules, the first being "*"
    TBarRecorder bars;
    EncodeCode39(bars, 0, 0, 0, "CODE39", 1, 30);
    const std::string modules = bars.Modules(0, 110, 1, 0);
    EXPECT_EQ(modules.substr(0, 13), Code39Modules("010010100"));  // *
    EXPECT_EQ(modules.substr(13, 13), Code39Modules("101001000")); // C
    EXPECT_EQ(modules.substr(26, 13), Code39Modules("100010010")); // O
    EXPECT_EQ(modules.substr(91, 13), Code39Modules("010010100")); // *
    EXPECT_EQ(modules.substr(104), "000000");
    EXPECT_EQ(modules[103], '0'); // the last module is the gap after the stop
}

TEST(Code39, EveryTableCharacterMatchesThePublishedWidths) {
    // the published Code 39 table, in the table's order
    const struct {
        char c;
        const char* wide;
    } table[] = {
        {'0', "000110100"}, {'1', "100100001"}, {'2', "001100001"}, {'3', "101100000"},
        {'4', "000110001"}, {'5', "100110000"}, {'6', "001110000"}, {'7', "000100101"},
        {'8', "100100100"}, {'9', "001100100"}, {'A', "100001001"}, {'B', "001001001"},
        {'C', "101001000"}, {'D', "000011001"}, {'E', "100011000"}, {'F', "001011000"},
        {'G', "000001101"}, {'H', "100001100"}, {'I', "001001100"}, {'J', "000011100"},
        {'K', "100000011"}, {'L', "001000011"}, {'M', "101000010"}, {'N', "000010011"},
        {'O', "100010010"}, {'P', "001010010"}, {'Q', "000000111"}, {'R', "100000110"},
        {'S', "001000110"}, {'T', "000010110"}, {'U', "110000001"}, {'V', "011000001"},
        {'W', "111000000"}, {'X', "010010001"}, {'Y', "110010000"}, {'Z', "011010000"},
        {'-', "010000101"}, {'.', "110000100"}, {' ', "011000100"}, {'*', "010010100"},
        {'$', "010101000"}, {'/', "010100010"}, {'+', "010001010"}, {'%', "000101010"},
    };
    for (const auto& row : table) {
        const std::string modules = Encoded(EncodeCode39, QString(QLatin1Char(row.c)), 39);
        EXPECT_EQ(modules.substr(13, 13), Code39Modules(row.wide)) << row.c;
    }
}

TEST(Code39, CheckCharacters) {
    struct {
        const char* data;
        int modulus;
        char expected;
        const char* source;
    } rows[] = {
        {"ABC", 43, 'X', "worked example: 10 + 11 + 12 = 33"},
        {"ABC", 10, '3', "worked example: 33 mod 10"},
        {"*", 43, '0', "worked example: the asterisk counts 43"},
        {"*", 10, '3', "worked example: 43 mod 10"},
        {"CODE39", 43, 'W', "12 + 24 + 13 + 14 + 3 + 9 = 75, 75 mod 43 = 32"},
        {"%%", 43, '+', "42 + 42 = 84, 84 mod 43 = 41"},
        {"%%", 10, '4', "84 mod 10: a digit, not a weighted sum"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Code39CheckCharacter(row.data, row.modulus), QChar(row.expected)) << row.source;
}

TEST(Code39, CheckVariantsDrawTheCheckBeforeTheStop) {
    // ABC with mod 43 draws *, A, B, C, X, *; with mod 10 the last data character is 3
    const std::string mod43 = Encoded(EncodeCode39Mod43, "ABC", 78);
    EXPECT_EQ(mod43.substr(52, 13), Code39Modules("010010001")); // X
    EXPECT_EQ(mod43.substr(65, 13), Code39Modules("010010100")); // *
    const std::string mod10 = Encoded(EncodeCode39Mod10, "ABC", 78);
    EXPECT_EQ(mod10.substr(52, 13), Code39Modules("101100000")); // 3
}

TEST(Code39Extended, TwoCharacterForms) {
    // worked example: a-1 is *, +A, /M, 1, *: 7 characters, 91 modules
    EXPECT_EQ(Code39ExtendedCharacters("a-1"), "+A/M1");
    EXPECT_EQ(Code39ExtendedCharacterCount("a-1"), 5);
    const std::string modules = Encoded(EncodeCode39Extended, "a-1", 100);
    EXPECT_EQ(modules.substr(13, 13), Code39Modules("010001010")); // +
    EXPECT_EQ(modules.substr(39, 13), Code39Modules("010100010")); // /
    EXPECT_EQ(modules.substr(52, 13), Code39Modules("101000010")); // M
    EXPECT_EQ(modules.substr(78, 13), Code39Modules("010010100")); // *
    EXPECT_EQ(modules.substr(91), "000000000");
}

TEST(Code39Extended, PublishedFullAsciiRows) {
    // the published full ASCII table, with "-" and "." in their /M and /N forms
    const struct {
        QString input;
        const char* expected;
    } rows[] = {
        {QString(QChar(1)), "$A"},
        {QString(QChar(26)), "$Z"},
        {QString(QChar(27)), "%A"},
        {QString(QChar(31)), "%E"},
        {" ", " "},
        {"!", "/A"},
        {"/", "/O"},
        {".", "/N"},
        {":", "/Z"},
        {";", "%F"},
        {"?", "%J"},
        {"@", "%V"},
        {"[", "%K"},
        {"_", "%O"},
        {"`", "%W"},
        {"z", "+Z"},
        {"{", "%P"},
        {QString(QChar(127)), "%T"},
        {"Q9", "Q9"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Code39ExtendedCharacters(row.input), row.expected) << row.expected;
}

TEST(Code93, ChecksOfTheWorkedExample) {
    // worked example: TEST93 has C = "+" (41) and K = "6"
    EXPECT_EQ(Code93CheckC("TEST93"), 41);
    EXPECT_EQ(Code93CheckK("TEST93"), 6);
}

TEST(Code93, WeightsRestart) {
    // 1 then 20 zeros: the 1 is the 21st symbol from the right and weighs 1 again in C
    EXPECT_EQ(Code93CheckC("1" + QString(20, '0')), 1);
    EXPECT_EQ(Code93CheckC("1" + QString(19, '0')), 20);
    // K over the data and C, C weighing 1: the 1 of "1" + 13 zeros weighs 14 in C and 15 in K,
    // so K = 15 + 14 = 29; one zero more and it weighs 1 again in K: 1 + 15 = 16
    EXPECT_EQ(Code93CheckK("1" + QString(13, '0')), 29);
    EXPECT_EQ(Code93CheckK("1" + QString(14, '0')), 16);
    // C = 16, the 1 is 17th from the right counting C: weight 2, K = 2 + 16 = 18
    EXPECT_EQ(Code93CheckK("1" + QString(15, '0')), 18);
}

TEST(Code93, FullAsciiSymbolsAndLength) {
    // worked example: a is (+) A; start, (+), A, C, K, stop and bar: 55 modules
    EXPECT_EQ(Code93Symbols("a"), (std::vector<uint8_t>{46, 10}));
    EXPECT_EQ(Code93SymbolCount("a"), 2);
    // published full ASCII rows: ! is (/) A, * is (/) J, comma (/) L, NUL (%) U, DEL (%) T
    EXPECT_EQ(Code93Symbols("!*,"), (std::vector<uint8_t>{45, 10, 45, 19, 45, 21}));
    EXPECT_EQ(Code93Symbols(QString(QChar(127))), (std::vector<uint8_t>{44, 29}));
    EXPECT_EQ(Code93Symbols(QString(QChar(1))), (std::vector<uint8_t>{43, 10}));
    EXPECT_EQ(Code93Symbols("$%+-./ "), (std::vector<uint8_t>{39, 42, 41, 36, 37, 40, 38}));

    const std::string modules = Encoded(EncodeCode93, "a", 60);
    // published Code 93 widths: start 111141, (+) 122211, A 211113, stop 1111411 + bar
    EXPECT_EQ(Widths(modules.substr(0, 9)), "111141");
    EXPECT_EQ(modules.substr(9, 9), "100110010");
    EXPECT_EQ(modules.substr(18, 9), "110101000");
    EXPECT_EQ(modules.substr(45, 10), "1010111101");
    EXPECT_EQ(modules.substr(55), "00000");
}

} // namespace
