// Every symbol that zxing-cpp can read is drawn into an image at module widths 1, 2 and 3, in all
// four rotations, with and without the interpretation line, and read back by that independent
// decoder.

#include "BarRecorder.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <tuple>

namespace {

struct TDecodeRow {
    TBarcodeType type;
    const char* input; // as typed: normalisation cleans it first
    ZXing::BarcodeFormat format;
    const char* expected; // what the decoder returns
    const char* source;
    bool fullAscii = false; // read Code 39 in its full ASCII form
};

using F = ZXing::BarcodeFormat;

// zxing-cpp 1.4 returns Code 39 check characters as part of the text and reads UPC E as its
// eight digits (number system, six digits, check digit).
const TDecodeRow Rows[] = {
    {btCode128, "ABC123", F::Code128, "ABC123", "Code 128 worked example, set B"},
    {btCode128, "1234567890", F::Code128, "1234567890", "Code 128 worked example, set C"},
    {btCode128, "AB12345", F::Code128, "AB12345", "odd digit run after a letter"},
    {btCode128, "12345", F::Code128, "12345", "odd run at the start, ends in set B"},
    {btCode128, "x\x01y{z", F::Code128, "x\x01y{z",
     "control character between small letters: shifts"},
    {btCode128, "1234\x01", F::Code128, "1234\x01", "set C then a switch to set A"},
    {btCode128,
     "\x02"
     "ab\x03",
     F::Code128,
     "\x02"
     "ab\x03",
     "start in set A, switch to B and back"},
    {btCode128, "Caf\xC3\xA9 7", F::Code128, "Caf 7", "normalisation drops the accented letter"},
    {btEan128, "0112345678901231", F::Code128, "0112345678901231", "GS1-128 with AI 01"},
    {btSsc14, "1234", F::Code128, "0100000000012348", "AI 01, 13 padded digits, mod-10 check 8"},
    {btSsc14, "0000000000000", F::Code128, "0100000000000000", "thirteen zeros, check digit 0"},
    {btSscc18, "12345", F::Code128, "00000000000000123457", "SSCC-18 worked example, check 7"},
    {btCode39, "abc-12;", F::Code39, "ABC-12", "normalisation: capitals, semicolon dropped"},
    {btCode39, "CODE39", F::Code39, "CODE39", "Code 39 worked example"},
    {btCode39, "$/+% .", F::Code39, "$/+% .", "the symbol characters of Code 39"},
    {btCode39Extended, "a-1", F::Code39, "a-1", "full ASCII: +A /M 1", true},
    {btCode39Extended, "Code 39 ext: {x}", F::Code39, "Code 39 ext: {x}",
     "small letters, colon, braces", true},
    {btCode39Mod43, "ABC", F::Code39, "ABCX", "mod 43 check of ABC is X (the decoder keeps it)"},
    {btCode39Mod10, "ABC", F::Code39, "ABC3", "mod 10 check of ABC is 3 (the decoder keeps it)"},
    {btCode93, "TEST93", F::Code93, "TEST93", "Code 93 worked example, C = + and K = 6"},
    {btCode93, "a", F::Code93, "a", "full ASCII: (+) A"},
    {btCode93, "Hello, World!", F::Code93, "Hello, World!",
     "full ASCII punctuation and small letters"},
    {btCode93, "ABCDEFGHIJKLMNOPQRSTUVWXY", F::Code93, "ABCDEFGHIJKLMNOPQRSTUVWXY",
     "25 symbols: the C weights restart"},
    {btUpcA, "0 36000-29145 2", F::UPCA, "036000291452",
     "published UPC A example, cut to 11 digits"},
    {btUpcA, "123", F::UPCA, "000000001236", "padded to 11 digits, check 6"},
    {btEan13, "400638133393", F::EAN13, "4006381333931", "published EAN 13 example"},
    {btEan13, "5901234123457", F::EAN13, "5901234123457", "cut to 12 digits, check recomputed"},
    {btEan8, "12a3", F::EAN8, "00001236", "normalised to 123, padded to 7 digits"},
    {btEan8, "1234567", F::EAN8, "12345670", "EAN 8 worked example"},
    {btUpcE, "425261", F::UPCE, "04252614", "expands to 04210000526, check 4"},
    {btUpcE, "123", F::UPCE, "00001233", "pads to 000123, check 3"},
    {btInterleaved2of5, "123456", F::ITF, "123456", "even length, no check digit"},
    {btInterleaved2of5, "12345", F::ITF, "012345", "odd length gets a leading zero"},
    {btSsc14Itf, "1234", F::ITF, "00000000012348", "padded to 13 digits, check 8"},
};

std::string Decode(const QImage& image, F format, bool fullAscii) {
    const ZXing::ImageView view(image.constBits(), image.width(), image.height(),
                                ZXing::ImageFormat::Lum, int(image.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(format).setTryHarder(true).setTryRotate(true).setTryCode39ExtendedMode(
        fullAscii);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return result.isValid() ? result.text() : std::string("<no symbol>");
}

class DecodeSymbol
    : public ::testing::TestWithParam<std::tuple<TDecodeRow, int /*m*/, int /*rotation*/, bool>> {};

TEST_P(DecodeSymbol, ReadsBackTheData) {
    const auto& [row, m, rotation, interpret] = GetParam();
    const QString data = NormalizeBarcodeData(row.type, QString::fromUtf8(row.input));
    const QImage image = RenderSymbol(row.type, data, m, rotation, interpret, 50 * m, 20);
    EXPECT_EQ(Decode(image, row.format, row.fullAscii), row.expected)
        << row.source << " m=" << m << " rotation=" << rotation << " interpret=" << interpret;
}

std::string RowName(const ::testing::TestParamInfo<DecodeSymbol::ParamType>& info) {
    const auto& [row, m, rotation, interpret] = info.param;
    return BarcodeTypeInfo(row.type)->name + std::string("_") + std::to_string(info.index) + "_m" +
           std::to_string(m) + "_r" + std::to_string(rotation) + (interpret ? "_text" : "_bare");
}

INSTANTIATE_TEST_SUITE_P(AllTypes, DecodeSymbol,
                         ::testing::Combine(::testing::ValuesIn(Rows), ::testing::Values(1, 2, 3),
                                            ::testing::Values(0, 1, 2, 3), ::testing::Bool()),
                         RowName);

} // namespace
