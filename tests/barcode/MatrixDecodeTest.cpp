// Every two-dimensional type drawn at 1 to 4 pixels per module, in all four rotations, with and
// without the interpretation line, read back by zxing-cpp; UTF-8 text and GS1 element strings
// come back unchanged.

#include "MatrixSupport.h"

#include "barcode/BarcodeTypes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct TMatrixRow {
    TBarcodeType type;
    const char* input; // UTF-8
    const char* source;
};

const TMatrixRow Rows[] = {
    {btQrCode, "https://example.com/track?id=ORD0000123", "web address in byte mode"},
    {btQrCode, "01234567", "digits in numeric mode"},
    {btQrCode,
     "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 \xE2\x80\x94 \xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE"
     "\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
     "accents, Greek and CJK under ECI 26"},
    {btDataMatrix, "12345678901234567890", "digit pairs"},
    {btDataMatrix, "Lot 42 / Serial A-0007", "ASCII text"},
    {btGs1DataMatrix, "[01]09501101530003[17]250101[10]AB12", "GTIN, expiry and batch"},
    {btGs1DataMatrix, "[10]AB12[17]250101", "a value of varying length before a fixed one"},
    {btPdf417, "PDF417 carries text, 12345678901234567890 and more", "text and digits"},
    {btAztec, "Aztec Code 2D", "upper and lower case"},
    {btAztec, "\xC3\x89t\xC3\xA9 \xCE\xB1\xCE\xB2\xCE\xB3 \xE4\xB8\xAD\xE6\x96\x87",
     "accents, Greek and CJK under ECI 26"},
};

std::string Expected(const TMatrixRow& row) {
    return row.type == btGs1DataMatrix ? Gs1ElementString(row.input) : std::string(row.input);
}

class DecodeMatrix
    : public ::testing::TestWithParam<std::tuple<TMatrixRow, int /*m*/, int /*rotation*/, bool>> {};

// zxing-cpp 1.4's Data Matrix detector misses symbols of a few modules at one pixel per
// module; such an image is read enlarged, every pixel made 3 x 3, so its pixels stay as drawn.
QImage AsRead(const QImage& image, TBarcodeType type, int m) {
    const bool small = type == btDataMatrix || type == btGs1DataMatrix || type == btAztec;
    return small && m == 1 && !image.isNull() ? image.scaled(image.size() * 3) : image;
}

TEST_P(DecodeMatrix, ReadsBackTheData) {
    const auto& [row, m, rotation, interpret] = GetParam();
    const QImage image =
        AsRead(RenderMatrix(row.type, QString::fromUtf8(row.input), {}, m, rotation, interpret),
               row.type, m);
    EXPECT_EQ(DecodedText(image, row.type), Expected(row))
        << row.source << " m=" << m << " rotation=" << rotation << " interpret=" << interpret;
}

std::string RowName(const ::testing::TestParamInfo<DecodeMatrix::ParamType>& info) {
    const auto& [row, m, rotation, interpret] = info.param;
    return BarcodeTypeInfo(row.type)->name + std::string("_") + std::to_string(info.index) + "_m" +
           std::to_string(m) + "_r" + std::to_string(rotation) + (interpret ? "_text" : "_bare");
}

INSTANTIATE_TEST_SUITE_P(AllMatrixTypes, DecodeMatrix,
                         ::testing::Combine(::testing::ValuesIn(Rows),
                                            ::testing::Values(1, 2, 3, 4),
                                            ::testing::Values(0, 1, 2, 3), ::testing::Bool()),
                         RowName);

TEST(DecodeMatrix, Gs1DataMatrixReadsBackAsGs1) {
    const char* data = "[01]09501101530003[17]250101[10]AB12";
    const QImage image = RenderMatrix(btGs1DataMatrix, QString::fromLatin1(data), {}, 3, 0, false);
    const ZXing::Result r = ReadMatrix(image, ZXing::BarcodeFormat::DataMatrix);
    ASSERT_TRUE(r.isValid());
    // ISO/IEC 16022: "]d2" is the identifier of a Data Matrix that starts with FNC1 (GS1)
    EXPECT_EQ(r.symbologyIdentifier(), "]d2");
    EXPECT_EQ(r.text(), "01095011015300031725010110AB12");
    // the plain Data Matrix of the same text is not GS1
    const QImage plain = RenderMatrix(btDataMatrix, QString::fromLatin1(data), {}, 3, 0, false);
    EXPECT_EQ(ReadMatrix(plain, ZXing::BarcodeFormat::DataMatrix).symbologyIdentifier(), "]d1");
}

TEST(DecodeMatrix, Utf8InEveryTypeThatTakesText) {
    const QString text = QString::fromUtf8("\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD \xCE\xA9 "
                                           "\xE6\xBC\xA2\xE5\xAD\x97 \xF0\x9F\x93\xA6");
    for (TBarcodeType type : {btQrCode, btDataMatrix, btPdf417, btAztec})
        EXPECT_EQ(DecodedText(RenderMatrix(type, text, {}, 2, 0, false), type), text.toStdString())
            << BarcodeTypeInfo(type)->name;
}

TEST(DecodeMatrix, OptionsKeepTheDataReadable) {
    const QString data = QStringLiteral("OPTIONS-42");
    for (uint8_t ecc = qrEccL; ecc <= qrEccH; ++ecc) {
        TMatrixOptions o;
        o.qrEcc = ecc;
        o.qrVersion = 7;
        EXPECT_EQ(DecodedText(RenderMatrix(btQrCode, data, o, 2, 0, false), btQrCode), "OPTIONS-42")
            << int(ecc);
    }
    TMatrixOptions dm;
    dm.dmSize = 32;
    EXPECT_EQ(DecodedText(RenderMatrix(btDataMatrix, data, dm, 2, 1, false), btDataMatrix),
              "OPTIONS-42");
}

} // namespace
