// The type table, normalisation, symbol lengths, the shared check digit and the geometry of a
// drawn symbol (quiet zones, text band, bar origin) in every rotation.

#include "BarRecorder.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(BarcodeTypes, PaletteListsEveryTypeOnceWithItsText) {
    // the palette's list, in its own order (design of the palette)
    const char* expected[] = {"Code 128",
                              "Code 39",
                              "Code 39 Extended",
                              "Code 93",
                              "UPC A",
                              "UPC E",
                              "EAN 128",
                              "EAN 13",
                              "EAN 8",
                              "UPC 2 digit Extention",
                              "UPC 5 digit Extention",
                              "Interleaved 2 of 5",
                              "POSTNET",
                              "SSC-14",
                              "SSC-14 (Interleaved 2 of 5)",
                              "SSCC-18",
                              "Code-39 (Mod43 Check Digit)",
                              "Code-39 (Mod10 Check Digit)",
                              "QR Code",
                              "Data Matrix",
                              "GS1 DataMatrix",
                              "PDF417",
                              "Aztec Code"};
    std::set<int> seen;
    for (int position = 0; position < BarcodeTypeCount; ++position) {
        const TBarcodeType type = BarcodeListOrder()[position];
        EXPECT_EQ(BarcodeListText(type), QString::fromLatin1(expected[position])) << position;
        EXPECT_EQ(BarcodeTypeInfo(type)->listPosition, position);
        seen.insert(type);
    }
    EXPECT_EQ(seen.size(), size_t(BarcodeTypeCount));
    // file codes that are not the list positions
    EXPECT_EQ(BarcodeListOrder()[4], btUpcA);
    EXPECT_EQ(BarcodeListOrder()[11], btInterleaved2of5);
    // the two-dimensional types follow the eighteen in code and list order
    for (int code = btQrCode; code <= btAztec; ++code) {
        const auto type = TBarcodeType(code);
        EXPECT_EQ(BarcodeListOrder()[type], type);
        EXPECT_TRUE(IsMatrixBarcodeType(type));
        EXPECT_FALSE(IsLinearBarcodeType(type));
    }
    for (int code = 0; code < BarcodeTypeCount; ++code) {
        const auto type = TBarcodeType(code);
        EXPECT_EQ(BarcodeTypeInfo(type)->encode != nullptr, IsLinearBarcodeType(type)) << code;
    }
    EXPECT_EQ(BarcodeTypeInfo(TBarcodeType(23)), nullptr);
    EXPECT_TRUE(BarcodeListText(TBarcodeType(23)).isEmpty());
}

struct TNormalizeRow {
    TBarcodeType type;
    QString input;
    QString expected;
    const char* source;
};

TEST(NormalizeBarcodeData, KeepsWhatTheSymbologyCarries) {
    const TNormalizeRow rows[] = {
        {btCode39, "abc-12;", "ABC-12", "worked example: capitals, semicolon dropped"},
        {btCode39Mod43, "a*b", "A*B", "the asterisk is a table character"},
        {btUpcA, "0 36000-29145 2", "03600029145", "worked example: cut to 11 digits"},
        {btEan8, "12a3", "123", "worked example"},
        {btCode128, QString(QChar(233)), "", "worked example: code 233 is dropped"},
        {btCode93, QString("a") + QChar(0) + "b" + QChar(127), QString("ab") + QChar(127),
         "code 0 always dropped, 127 kept"},
        {btEan13, "1234567890123456", "123456789012", "EAN 13 keeps 12 digits"},
        {btPostnet, "12345-6789-012", "12345678901", "POSTNET keeps 11 digits"},
        {btUpcE, "12345678", "123456", "UPC E keeps 6"},
        {btUpcAddOn2, "123", "12", "2-digit add-on keeps 2"},
        {btUpcAddOn5, "1234567", "12345", "5-digit add-on keeps 5"},
        {btSsc14, "12345678901234", "1234567890123", "SSC-14 keeps 13"},
        {btSsc14Itf, "12345678901234", "1234567890123", "SSC-14 ITF keeps 13"},
        {btSscc18, "123456789012345678", "12345678901234567", "SSCC-18 keeps 17"},
        {btInterleaved2of5, "1 2 3 4 5 6 7 8 9 0 1 2 3", "1234567890123", "no limit"},
        {btGs1DataMatrix, "any text", "any text", "codes above 17 are left alone"},
    };
    for (const TNormalizeRow& row : rows)
        EXPECT_EQ(NormalizeBarcodeData(row.type, row.input), row.expected) << row.source;
}

struct TExtentRow {
    TBarcodeType type;
    const char* data;
    int32_t m;
    int32_t expected;
    const char* source;
};

TEST(SymbolExtent, ModulesTimesWidthWithQuietZones) {
    const TExtentRow rows[] = {
        {btCode39, "ABC", 1, 85, "worked example"},
        {btCode39, "CODE39", 1, 124, "104 modules of worked example + 20"},
        {btUpcA, "1", 1, 115, "worked example: fixed length"},
        {btUpcA, "03600029145", 1, 115, "worked example: fixed length"},
        {btInterleaved2of5, "12345", 1, 83, "worked example, odd"},
        {btInterleaved2of5, "1234", 1, 65, "worked example, even"},
        {btPostnet, "12345", 1, 83, "worked example"},
        {btEan13, "400638133393", 3, 345, "worked example, m = 3"},
        {btCode128, "ABC123", 1, 121, "101 modules of worked example + 20"},
        {btCode128, "1234567890", 2, 220, "90 modules of worked example + 20, m = 2"},
        {btCode39Extended, "a-1", 1, 111, "7 characters, 91 modules + 20"},
        {btCode93, "a", 1, 75, "55 modules of worked example + 20"},
        {btSsc14, "1", 1, 154, "134 modules + 20"},
        {btSscc18, "1", 1, 176, "156 modules + 20"},
        {btSsc14Itf, "1", 1, 165, "145 modules + 20"},
        {btEan8, "1", 1, 87, "67 + 20"},
        {btUpcE, "1", 1, 71, "51 + 20"},
        {btUpcAddOn2, "1", 1, 40, "20 + 20"},
        {btUpcAddOn5, "1", 1, 67, "47 + 20"},
        {btCode39Mod43, "ABC", 1, 98, "13 x 3 + 59"},
        {btCode128, "", 3, 60, "empty data: the two quiet zones"},
        {btPostnet, "", 1, 20, "empty data: the two quiet zones"},
        {btQrCode, "123", 1, 0, "two-dimensional: no linear extent"},
        {TBarcodeType(23), "123", 1, 0, "not a symbology"},
        {TBarcodeType(255), "", 1, 0, "not a symbology, no quiet zones either"},
    };
    for (const TExtentRow& row : rows)
        EXPECT_EQ(SymbolExtent(row.type, QString::fromLatin1(row.data), row.m), row.expected)
            << row.source;
}

TEST(Mod10CheckDigit, PublishedExamples) {
    EXPECT_EQ(Mod10CheckDigit("03600029145"), QChar('2'));  // UPC A 036000291452
    EXPECT_EQ(Mod10CheckDigit("400638133393"), QChar('1')); // EAN 13 4006381333931
    EXPECT_EQ(Mod10CheckDigit("0000000000000"), QChar('0'));
    EXPECT_EQ(Mod10CheckDigit("1234567"), QChar('0'));           // EAN 8 12345670
    EXPECT_EQ(Mod10CheckDigit("00000000000012345"), QChar('7')); // SSCC-18 worked example
    EXPECT_EQ(Mod10CheckDigit("590123412345"), QChar('7'));      // EAN 13 5901234123457
}

TEST(LeftPad, ZerosInFrontOnlyWhenShort) {
    EXPECT_EQ(LeftPad("123", 6), "000123");
    EXPECT_EQ(LeftPad("", 2), "00");
    EXPECT_EQ(LeftPad("1234567", 6), "1234567");
}

// Where the first bar lands and how long bars are, for a band below (Code 128), above (SSCC-18)
// and the short band of UPC A, in every rotation. Worked examples of the geometry rules.
struct TGeometryRow {
    TBarcodeType type;
    int rotation;
    bool interpret;
    int32_t barDx; // first bar's corner relative to the box
    int32_t barDy;
    int32_t barLength;
    const char* source;
};

TEST(DrawBarcodeBars, BandTurnsWithTheSymbol) {
    const int32_t m = 2;
    const int32_t cross = 80;
    const TGeometryRow rows[] = {
        {btCode128, 0, true, 20, 0, 50, "band below: bars start at the top"},
        {btCode128, 1, true, 30, 20, 50, "band at the left: bars 15 m right of the box"},
        {btCode128, 2, true, 20, 30, 50, "band at the top: bars 15 m down"},
        {btCode128, 3, true, 0, 20, 50, "band at the right: bars at the left edge"},
        {btCode128, 1, false, 0, 20, 80, "no band without the line"},
        {btSscc18, 0, true, 20, 30, 50, "band above: bars 15 m down"},
        {btSscc18, 1, true, 0, 20, 50, "band at the right"},
        {btSscc18, 2, true, 20, 0, 50, "band below"},
        {btSscc18, 3, true, 30, 20, 50, "band at the left"},
        {btUpcA, 0, true, 20, 0, 70, "UPC A band is 5 m"},
        {btUpcA, 2, true, 20, 10, 70, "UPC A band is 5 m, at the top"},
        {btPostnet, 0, true, 20, 0, 80, "POSTNET reserves no band"},
    };
    for (const TGeometryRow& row : rows) {
        TBarRecorder bars;
        DrawBarcodeBars(bars, row.type, 100, 200, m, cross, "12345", row.interpret, row.rotation);
        ASSERT_FALSE(bars.Bars().empty()) << row.source;
        const QRect first = bars.Bars().front();
        EXPECT_EQ(first.left(), 100 + row.barDx) << row.source;
        EXPECT_EQ(first.top(), 200 + row.barDy) << row.source;
        EXPECT_EQ(IsVertical(row.rotation) ? first.width() : first.height(), row.barLength)
            << row.source;
    }
}

TEST(DrawBarcodeBars, UpcABarsShortenedByTheBand) {
    // worked example: cross 60, m = 1: bars 55 long from the top with the line, 60 without
    for (const bool interpret : {true, false}) {
        TBarRecorder bars;
        DrawBarcodeBars(bars, btUpcA, 0, 0, 1, 60, "03600029145", interpret, 0);
        for (const QRect& r : bars.Bars()) {
            EXPECT_EQ(r.top(), 0);
            EXPECT_EQ(r.height(), interpret ? 55 : 60);
        }
    }
}

TEST(DrawBarcodeBars, Code128TurnedQuarterStartsPastBandAndQuietZone) {
    // worked example: rotation 1, line on, m = 1: first bar row 15 right, 10 below the top
    TBarRecorder bars;
    DrawBarcodeBars(bars, btCode128, 0, 0, 1, 60, "ABC", true, 1);
    ASSERT_FALSE(bars.Bars().empty());
    EXPECT_EQ(bars.Bars().front().topLeft(), QPoint(15, 10));
}

TEST(DrawBarcodeBars, NothingForEmptyDataOrUnknownType) {
    TBarRecorder bars;
    DrawBarcodeBars(bars, btCode128, 0, 0, 1, 60, "", true, 0);
    DrawBarcodeBars(bars, btQrCode, 0, 0, 1, 60, "123", true, 0);
    EXPECT_TRUE(bars.Bars().empty());
}

TEST(DrawBarcodeBars, HalfTurnKeepsTheModuleOrder) {
    // worked example: Code 39 "A" reads start, A, stop from the left in rotations 0 and 2
    TBarRecorder upright;
    TBarRecorder turned;
    DrawBarcodeBars(upright, btCode39, 0, 0, 1, 40, "A", true, 0);
    DrawBarcodeBars(turned, btCode39, 0, 0, 1, 40, "A", true, 2);
    EXPECT_EQ(upright.Modules(10, 39, 1, 0), turned.Modules(10, 39, 1, 2));
    // the published Code 39 widths, wide = 2 modules: * nwnnwnwnn, A wnnnnwnnw, each + gap
    EXPECT_EQ(upright.Modules(10, 39, 1, 0), "1001011011010"
                                             "1101010010110"
                                             "1001011011010");
}

} // namespace
