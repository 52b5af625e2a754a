// What normalisation and the symbol length report beside the data they return: the report must
// describe what the engine does, so the padding and cutting it claims are checked against the
// bars the engine draws.

#include "BarRecorder.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"
#include "barcode/SymbolLength.h"

#include <gtest/gtest.h>

namespace {
std::vector<QRect> RecordBars(TBarcodeType type, const QString& data, int32_t m) {
    TBarRecorder bars;
    DrawBarcodeBars(bars, type, 0, 0, m, 40, data, false, 0);
    return bars.Bars();
}
} // namespace

TEST(NormalizeReport, NamesDroppedCharactersOnceAndTheCut) {
    TNormalizeReport r;
    EXPECT_EQ(NormalizeBarcodeData(btCode39, "ab;c;~1", r), QString("ABC1"));
    EXPECT_EQ(r.Dropped, QString(";~"));
    EXPECT_EQ(r.Kept, QString("ABC1"));
    EXPECT_EQ(r.Cut, 0);

    EXPECT_EQ(NormalizeBarcodeData(btEan13, "4006-3813-3393-1x", r), QString("400638133393"));
    EXPECT_EQ(r.Dropped, QString("-x"));
    EXPECT_EQ(r.Kept, QString("4006381333931"));
    EXPECT_EQ(r.Cut, 1);

    EXPECT_EQ(NormalizeBarcodeData(btCode128, QString::fromUtf8("Caf\xC3\xA9"), r), QString("Caf"));
    EXPECT_EQ(r.Dropped, QString::fromUtf8("\xC3\xA9"));
    // The report never changes the result.
    for (int code = 0; code < BarcodeTypeCount; ++code)
        EXPECT_EQ(NormalizeBarcodeData(TBarcodeType(code), "Ab 12-x;9", r),
                  NormalizeBarcodeData(TBarcodeType(code), "Ab 12-x;9"));
}

TEST(SymbolLengthReport, FixedLengthsPadCutAndCheck) {
    struct Row {
        TBarcodeType type;
        const char* kept;
        bool fits;
        int padded, cut;
        char carried, computed; // 0: no check digit carried
    } rows[] = {
        {btEan13, "400638133393", true, 0, 0, 0, 0},
        {btEan13, "4006381333931", true, 0, 1, '1', '1'},
        {btEan13, "4006381333932", true, 0, 1, '2', '1'},
        {btEan13, "40123455", false, 4, 0, 0, 0},
        {btEan13, "40063813339310", false, 0, 2, 0, 0},
        {btUpcA, "03600029145", true, 0, 0, 0, 0},
        {btUpcA, "036000291452", true, 0, 1, '2', '2'},
        {btEan8, "12345670", true, 0, 1, '0', '0'},
        {btUpcE, "4252614", true, 0, 1, '4', '4'},
        {btUpcAddOn2, "7", false, 1, 0, 0, 0},
        {btUpcAddOn5, "123456", false, 0, 1, 0, 0}, // add-ons carry no check digit
        {btSscc18, "123457", false, 11, 0, 0, 0},
        {btInterleaved2of5, "12345", false, 1, 0, 0, 0},
        {btInterleaved2of5, "123456", true, 0, 0, 0, 0},
        {btPostnet, "12345", true, 0, 0, 0, 0},
        {btPostnet, "1234567", false, 0, 0, 0, 0},
        {btPostnet, "1234567890123", false, 0, 2, 0, 0},
        {btCode128, "anything at all", true, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        const TLengthReport r = SymbolLengthReport(row.type, row.kept);
        const std::string what = std::string(BarcodeTypeInfo(row.type)->name) + " " + row.kept;
        EXPECT_EQ(r.Fits, row.fits) << what;
        EXPECT_EQ(r.Padded, row.padded) << what;
        EXPECT_EQ(r.Cut, row.cut) << what;
        EXPECT_EQ(r.CarriedCheck, row.carried ? QChar(row.carried) : QChar()) << what;
        EXPECT_EQ(r.ComputedCheck, row.computed ? QChar(row.computed) : QChar()) << what;
    }
    EXPECT_EQ(SymbolLengthReport(btEan13, "").Takes, nullptr);
    EXPECT_STREQ(SymbolLengthReport(btEan13, "1").Takes, "12 or 13");
}

// Where the report says the symbol pads, the engine draws the same bars for the data with the
// zeros written out; where it says it cuts, the same bars as without the cut characters.
TEST(SymbolLengthReport, AgreesWithTheBarsTheEngineDraws) {
    const TBarcodeType types[] = {btUpcA,      btEan13, btEan8,     btUpcE,   btUpcAddOn2,
                                  btUpcAddOn5, btSsc14, btSsc14Itf, btSscc18, btInterleaved2of5};
    for (const TBarcodeType type : types) {
        for (const QString kept : {QString("7"), QString("123"), QString("98765432109876543210")}) {
            const TLengthReport r = SymbolLengthReport(type, kept);
            QString same = QString(r.Padded, QChar('0')) + kept;
            same.chop(r.Cut);
            const QString data = NormalizeBarcodeData(type, kept);
            EXPECT_EQ(RecordBars(type, data, 2),
                      RecordBars(type, NormalizeBarcodeData(type, same), 2))
                << BarcodeTypeInfo(type)->name << " " << kept.toStdString();
        }
    }
}
