// The two-dimensional engine without a decoder: the structures the standards fix, drawing in
// whole pixels with merged runs, the refusals and their texts, random data, and the control.

#include "BarRecorder.h"
#include "MatrixSupport.h"

#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "barcode/MatrixGeometry.h"
#include "barcode/MatrixPainter.h"
#include "document/Fonts.h"
#include "document/LabelDocument.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <random>

namespace {

std::string Row(const TModuleMatrix& mx, int32_t r, int32_t from, int32_t count) {
    std::string s;
    for (int32_t c = from; c < from + count; ++c)
        s += mx.Dark(r, c) ? '1' : '0';
    return s;
}

std::string Column(const TModuleMatrix& mx, int32_t c, int32_t from, int32_t count) {
    std::string s;
    for (int32_t r = from; r < from + count; ++r)
        s += mx.Dark(r, c) ? '1' : '0';
    return s;
}

TMatrixEncoding Encode(TBarcodeType type, const char* utf8, const TMatrixOptions& o = {}) {
    return EncodeMatrix(type, QString::fromUtf8(utf8), o);
}

// ISO/IEC 18004, 6.3: the three finder patterns, their light separators, the timing patterns
// and the dark module at (4V + 9, 8).
TEST(MatrixStructure, QrCodeFinderTimingAndDarkModule) {
    const TMatrixEncoding e = Encode(btQrCode, "01234567");
    ASSERT_TRUE(e.Valid());
    const TModuleMatrix& mx = e.matrix;
    ASSERT_EQ(mx.columns, 21); // version 1
    ASSERT_EQ(mx.rows, 21);
    EXPECT_EQ(mx.quietModules, 4);
    const char* finder[] = {"1111111", "1000001", "1011101", "1011101",
                            "1011101", "1000001", "1111111"};
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(Row(mx, r, 0, 7), finder[r]) << "top left, row " << r;
        EXPECT_EQ(Row(mx, r, 14, 7), finder[r]) << "top right, row " << r;
        EXPECT_EQ(Row(mx, 14 + r, 0, 7), finder[r]) << "bottom left, row " << r;
    }
    EXPECT_EQ(Row(mx, 7, 0, 8), "00000000");
    EXPECT_EQ(Column(mx, 7, 0, 8), "00000000");
    EXPECT_EQ(Row(mx, 6, 8, 5), "10101");
    EXPECT_EQ(Column(mx, 6, 8, 5), "10101");
    EXPECT_TRUE(mx.Dark(13, 8));

    TMatrixOptions big;
    big.qrVersion = 10;
    EXPECT_EQ(Encode(btQrCode, "01234567", big).matrix.columns, 57); // 17 + 4 x 10
}

// ISO/IEC 16022, 5.2: the solid L of the left column and bottom row, the alternating top row
// and right column.
TEST(MatrixStructure, DataMatrixFinderAndClockTrack) {
    for (TBarcodeType type : {btDataMatrix, btGs1DataMatrix}) {
        const TMatrixEncoding e = type == btDataMatrix
                                      ? Encode(type, "123456")
                                      : Encode(type, "[01]09501101530003[17]250101[10]AB12");
        ASSERT_TRUE(e.Valid()) << e.reason.toStdString();
        const TModuleMatrix& mx = e.matrix;
        ASSERT_EQ(mx.columns, mx.rows);
        const int32_t n = mx.columns;
        for (int32_t i = 0; i < n; ++i) {
            EXPECT_TRUE(mx.Dark(i, 0)) << "left column " << i;
            EXPECT_TRUE(mx.Dark(n - 1, i)) << "bottom row " << i;
            EXPECT_EQ(mx.Dark(0, i), i % 2 == 0) << "top row " << i;
            EXPECT_EQ(mx.Dark(i, n - 1), i % 2 == 1) << "right column " << i;
        }
    }
    EXPECT_EQ(Encode(btDataMatrix, "123456").matrix.columns, 10); // three codewords
    TMatrixOptions o;
    o.dmSize = 24;
    EXPECT_EQ(Encode(btDataMatrix, "123456", o).matrix.columns, 24);
}

// ISO/IEC 15438, 5.3: every row opens with the start pattern 81111113 and closes with the stop
// pattern 711311121; rows are drawn three modules high.
TEST(MatrixStructure, Pdf417StartAndStopPatterns) {
    const TMatrixEncoding e = Encode(btPdf417, "PDF417 test data 0123456789");
    ASSERT_TRUE(e.Valid());
    const TModuleMatrix& mx = e.matrix;
    EXPECT_EQ(mx.rowModules, 3);
    EXPECT_EQ(mx.quietModules, 2);
    ASSERT_GE(mx.rows, 3);
    for (int32_t r = 0; r < mx.rows; ++r) {
        EXPECT_EQ(Row(mx, r, 0, 17), "11111111010101000") << r;
        EXPECT_EQ(Row(mx, r, mx.columns - 18, 18), "111111101000101001") << r;
    }
}

// ISO/IEC 24778, 6.1: the compact symbol's bullseye, dark at even ring distances 0, 2 and 4 from
// the centre and light at 1 and 3.
TEST(MatrixStructure, AztecCompactBullseye) {
    const TMatrixEncoding e = Encode(btAztec, "Aztec Code 2D");
    ASSERT_TRUE(e.Valid());
    const TModuleMatrix& mx = e.matrix;
    ASSERT_EQ(mx.columns, 19); // compact, two layers
    EXPECT_EQ(mx.quietModules, 0);
    const int32_t centre = mx.columns / 2;
    for (int32_t dr = -4; dr <= 4; ++dr)
        for (int32_t dc = -4; dc <= 4; ++dc) {
            const int ring = std::max(std::abs(dr), std::abs(dc));
            EXPECT_EQ(mx.Dark(centre + dr, centre + dc), ring % 2 == 0) << dr << "," << dc;
        }
}

// Dark runs of a row are one rectangle each, on whole pixels, and together cover exactly the
// dark modules, in every rotation.
TEST(MatrixDrawing, RunsAreMergedAndCoverTheDarkModules) {
    const TMatrixEncoding e = Encode(btQrCode, "https://example.com/run");
    ASSERT_TRUE(e.Valid());
    const TModuleMatrix& mx = e.matrix;
    int64_t darkModules = 0;
    int runs = 0;
    for (int32_t r = 0; r < mx.rows; ++r)
        for (int32_t c = 0; c < mx.columns; ++c) {
            darkModules += mx.Dark(r, c);
            runs += mx.Dark(r, c) && (c == 0 || !mx.Dark(r, c - 1));
        }
    for (int rotation = 0; rotation < 4; ++rotation) {
        const int32_t m = 3;
        const TMatrixGeometry g = MatrixGeometry(mx, 5, 7, m, 0, rotation);
        TBarRecorder recorder;
        DrawMatrixModules(recorder, mx, g);
        EXPECT_EQ(int(recorder.Bars().size()), runs) << rotation;
        int64_t area = 0;
        for (const QRect& bar : recorder.Bars()) {
            area += int64_t(bar.width()) * bar.height();
            EXPECT_TRUE(g.box.contains(bar)) << rotation;
            EXPECT_EQ((IsVertical(rotation) ? bar.width() : bar.height()), m);
        }
        EXPECT_EQ(area, darkModules * m * m) << rotation;
    }
}

TEST(MatrixGeometry, BoxBandAndFit) {
    const TModuleMatrix mx = Encode(btQrCode, "01234567").matrix; // 21 + 2 x 4 = 29 modules
    const TMatrixGeometry bare = MatrixGeometry(mx, 10, 20, 2, 0, 0);
    EXPECT_EQ(bare.box, QRect(10, 20, 58, 58));
    // the band and its gap (a third of the line height past the quiet zone: none here)
    const TMatrixGeometry text = MatrixGeometry(mx, 0, 0, 2, 15, 1);
    EXPECT_EQ(text.box.size(), QSize(58 + 15, 58));
    EXPECT_EQ(FittingModule(mx, 100, 100, 0, 0), 3);
    EXPECT_EQ(FittingModule(mx, 100, 40, 0, 0), 1);
    EXPECT_EQ(FittingModule(mx, 10, 10, 0, 0), 1);    // never below one pixel
    EXPECT_EQ(FittingModule(mx, 200, 100, 13, 0), 3); // 87 / 29
    EXPECT_EQ(FittingModule(mx, 200, 100, 14, 0), 2);
    EXPECT_EQ(FittingModule(mx, 100, 200, 14, 1), 2); // turned: the band runs along x
    // Aztec has no quiet zone: the text keeps two modules clear
    const TModuleMatrix az = Encode(btAztec, "Aztec Code 2D").matrix;
    EXPECT_EQ(MatrixGeometry(az, 0, 0, 4, 12, 0).box.height(), 19 * 4 + 8 + 12);
}

TEST(MatrixText, InterpretationLine) {
    EXPECT_EQ(MatrixInterpretationText(btGs1DataMatrix, QStringLiteral("[01]09501101530003[10]A")),
              QStringLiteral("(01)09501101530003(10)A"));
    EXPECT_EQ(MatrixInterpretationText(btQrCode, QStringLiteral("a\tb\r\n[c]")),
              QStringLiteral("a b  [c]"));
}

struct TRefusalRow {
    TBarcodeType type;
    QString data;
    TMatrixRefusal refusal;
    QString reason; // exact, or the start of it when partial
    bool partial;
};

TEST(MatrixRefusal, EachKindWithItsReason) {
    const TRefusalRow rows[] = {
        {btQrCode, QString(3000, QChar(0xE9)), TMatrixRefusal::TooLong,
         "Too much data for the largest symbol", false}, // 6,000 bytes: past version 40-L
        {btQrCode, QString(9000, QLatin1Char('7')), TMatrixRefusal::TooLong,
         "Too much data for the largest symbol", false}, // past any symbol: not even tried
        {btDataMatrix, QString(3200, QLatin1Char('x')), TMatrixRefusal::TooLong,
         "Too much data for the largest symbol", false},
        {btAztec, QString(4000, QLatin1Char('Q')), TMatrixRefusal::TooLong,
         "Too much data for the largest symbol", false},
        {btPdf417, QString(3000, QChar(0x3B1)), TMatrixRefusal::TooLong,
         "Too much data for the largest symbol", false},
        {btGs1DataMatrix, "[01]0950110153000", TMatrixRefusal::Gs1Syntax,
         "Not valid GS1 data: ", true}, // 13 digits where 14 belong
        {btGs1DataMatrix, "0109501101530003", TMatrixRefusal::Gs1Syntax,
         "Not valid GS1 data: ", true}, // no brackets
        {btGs1DataMatrix, "[01]0950110153000X", TMatrixRefusal::Gs1Syntax,
         "Not valid GS1 data: ", true}, // a letter in a numeric element
        {btGs1DataMatrix, "[01]09501101530004[10]AB12", TMatrixRefusal::Gs1CheckDigit,
         "Wrong check digit in GS1 element (01)", false},
        {btGs1DataMatrix, "[00]123456789012345670", TMatrixRefusal::Gs1CheckDigit,
         "Wrong check digit in GS1 element (00)", false}, // SSCC check digit is 5
        {btGs1DataMatrix, "[10]A[253]12345678901239", TMatrixRefusal::Gs1CheckDigit,
         "Wrong check digit in GS1 element (253)", false}, // GDTI's check digit is 8
        {btGs1DataMatrix, "[17]251301", TMatrixRefusal::Gs1Syntax,
         "Not valid GS1 data: AI (17) position 3: Invalid month '13'", false},
        {btQrCode, "", TMatrixRefusal::NoData, "No data", false},
    };
    for (const TRefusalRow& row : rows) {
        const TMatrixEncoding e = EncodeMatrix(row.type, row.data, {});
        EXPECT_EQ(e.refusal, row.refusal) << row.data.left(40).toStdString();
        if (row.partial) {
            EXPECT_TRUE(e.reason.startsWith(row.reason)) << e.reason.toStdString();
            EXPECT_GT(e.reason.size(), row.reason.size()) << "names the fault";
        } else {
            EXPECT_EQ(e.reason, row.reason);
        }
    }
    // the same element with its right check digit encodes
    EXPECT_TRUE(EncodeMatrix(btGs1DataMatrix, "[00]123456789012345675", {}).Valid());
}

// Random data of any length and content, for every type: a symbol or a reason, never a crash.
TEST(MatrixRobustness, RandomDataOfAnyLength) {
    std::mt19937 random(20240513);
    const auto pick = [&](int n) { return int(random() % uint32_t(n)); };
    const int lengths[] = {0, 1, 2, 3, 7, 16, 50, 100, 300, 1000, 2000, 3500, 8000, 9000};
    int symbols = 0, refusals = 0;
    for (int code = btQrCode; code <= btAztec; ++code) {
        const auto type = TBarcodeType(code);
        for (int round = 0; round < 60; ++round) {
            const int length = round < int(std::size(lengths)) ? lengths[round] : pick(2500);
            QString data;
            data.reserve(length);
            const int flavour = pick(4);
            for (int i = 0; i < length; ++i) {
                switch (flavour) {
                case 0: // any 16-bit unit, lone surrogates too
                    data += QChar(char16_t(pick(0x10000)));
                    break;
                case 1: // bytes as Latin-1, control characters and NUL included
                    data += QChar(char16_t(pick(256)));
                    break;
                case 2: // GS1-like
                    data += QLatin1Char("[]0123456789ABC()"[pick(17)]);
                    break;
                default:
                    data += QChar(char16_t(pick(10) == 0 ? 0x4E00 + pick(2000) : '0' + pick(10)));
                }
            }
            const TMatrixEncoding e = EncodeMatrix(type, data, {});
            if (!e.Valid()) {
                ++refusals;
                EXPECT_FALSE(e.reason.isEmpty());
                continue;
            }
            ++symbols;
            ASSERT_GT(e.matrix.columns, 0);
            ASSERT_EQ(e.matrix.dark.size(), size_t(e.matrix.rows) * size_t(e.matrix.columns));
            const TMatrixText text = LayoutMatrixText(type, data, QFont(), nullptr, 40, true);
            const TMatrixGeometry g =
                MatrixGeometry(e.matrix, 0, 0, 1, text.Depth(), round % 4, text.width);
            QImage image(g.box.size(), QImage::Format_RGB32);
            QPainter painter(&image);
            DrawMatrixBarcode(painter, e.matrix, g, text, QFont(), false);
        }
    }
    EXPECT_GT(symbols, 50);
    EXPECT_GT(refusals, 20);
}

class MatrixControl : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        label.SetLabelSize(600, 400);
    }
    TBarcodeLabel* Add(const QString& text, TBarcodeType type, int w = 100, int h = 100) {
        auto c = std::make_unique<TBarcodeLabel>();
        TBarcodeLabel* raw = c.get();
        raw->SetBarcodeType(type);
        raw->SetInterpret(false);
        raw->SetAutoSizing(false);
        raw->SetText(text);
        raw->SetBox(TRect::FromBox(10, 10, w, h), false);
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        raw->Draw();
        return raw;
    }
    TLabelDocument label;
};

TEST_F(MatrixControl, AutoSizeTakesTheLargestModuleThatFits) {
    TBarcodeLabel* c = Add(QStringLiteral("01234567"), btQrCode); // 29 modules
    EXPECT_EQ(c->MatrixModule(), 3);
    EXPECT_EQ(c->Image().size(), QSize(87, 87));
    EXPECT_TRUE(c->MatrixRefusal().isEmpty());
    EXPECT_EQ(DecodedText(c->Image(), btQrCode), "01234567");
    c->SetAutoSizing(true);
    c->Draw();
    EXPECT_EQ(c->Width(), 87);
    EXPECT_EQ(c->Height(), 87);
}

TEST_F(MatrixControl, CustomWidthInWholePixels) {
    TBarcodeLabel* c = Add(QStringLiteral("01234567"), btQrCode);
    c->SetAutoScale(false);
    c->SetNarrowBarWidth(21.0); // 2.016 pixels at 96 per inch
    c->Draw();
    EXPECT_EQ(c->MatrixModule(), 2);
    EXPECT_EQ(c->Image().size(), QSize(58, 58));
    c->SetQrVersion(10);
    c->Draw();
    EXPECT_EQ(c->Image().size(), QSize(130, 130)); // (57 + 8) x 2
    c->SetRotation(1);
    c->SetInterpret(true);
    c->Draw();
    EXPECT_GT(c->Image().width(), c->Image().height()) << "the band is beside the turned symbol";
    EXPECT_EQ(DecodedText(c->Image(), btQrCode), "01234567");
}

TEST_F(MatrixControl, RefusedDataShowsAHatchedBoxWithTheReason) {
    TBarcodeLabel* c = Add(QStringLiteral("[01]09501101530004"), btGs1DataMatrix, 120, 60);
    EXPECT_EQ(c->MatrixRefusal(), QStringLiteral("Wrong check digit in GS1 element (01)"));
    EXPECT_EQ(c->Image().size(), QSize(120, 60));
    int red = 0, grey = 0;
    for (int y = 0; y < c->Image().height(); ++y)
        for (int x = 0; x < c->Image().width(); ++x) {
            const QColor p = c->Image().pixelColor(x, y);
            red += p.red() > 120 && p.green() < 80;
            grey += p.red() == 200 && p.green() == 200;
        }
    EXPECT_GT(red, 300) << "frame and words";
    EXPECT_GT(grey, 300) << "hatching";
    EXPECT_EQ(DecodedText(c->Image(), btDataMatrix), "<no symbol>");
    // corrected data draws the symbol again
    c->SetText(QStringLiteral("[01]09501101530003"));
    c->Draw();
    EXPECT_TRUE(c->MatrixRefusal().isEmpty());
    EXPECT_EQ(DecodedText(c->Image(), btGs1DataMatrix), "0109501101530003");
}

// The dark pixels' columns from the first to the last in the rows from top on.
std::pair<int, int> InkColumns(const QImage& image, int top) {
    int first = image.width(), last = -1;
    for (int y = top; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(MatrixText, WrapsBetweenWordsIntoTheWidth) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(11);
    const QString text = QStringLiteral("VT QR 42 LINE");
    const QFontMetrics fm(font);
    const int whole = fm.horizontalAdvance(text);
    const TMatrixText one = LayoutMatrixText(btQrCode, text, font, nullptr, whole, true);
    EXPECT_EQ(one.lines, QStringList{text});
    EXPECT_EQ(one.Depth(), fm.height());
    EXPECT_FALSE(one.Overflows());

    // room for two words a line, not three
    const int two = fm.horizontalAdvance(QStringLiteral("42 LINE"));
    const TMatrixText wrapped = LayoutMatrixText(btQrCode, text, font, nullptr, two, true);
    EXPECT_EQ(wrapped.lines, (QStringList{"VT QR", "42 LINE"}));
    EXPECT_EQ(wrapped.Depth(), 2 * fm.height());
    EXPECT_LE(wrapped.width, two);

    // a word wider than the room stands alone and is named
    const int narrow = fm.horizontalAdvance(QStringLiteral("QR"));
    const TMatrixText tight = LayoutMatrixText(btQrCode, text, font, nullptr, narrow, true);
    EXPECT_EQ(tight.lines, (QStringList{"VT", "QR", "42", "LINE"}));
    EXPECT_TRUE(tight.Overflows());
    EXPECT_EQ(tight.WidestWord(), QStringLiteral("LINE"));

    // control characters read as spaces, GS1 brackets as parentheses; nothing when off
    EXPECT_EQ(LayoutMatrixText(btGs1DataMatrix, QStringLiteral("[01]09501101530003\t[10]A"), font,
                               nullptr, 1000, true)
                  .lines,
              QStringList{"(01)09501101530003 (10)A"});
    EXPECT_TRUE(LayoutMatrixText(btQrCode, text, font, nullptr, 1000, false).lines.isEmpty());
}

TEST_F(MatrixControl, TextLineIsWholeOnTheScreenAndWrapsInANarrowBox) {
    const QString text = QStringLiteral("VT QR 42 LINE");
    // three inches wide, three quarters high: the text is wider than the symbol
    TBarcodeLabel* wide = Add(text, btQrCode, 288, 72);
    wide->SetInterpret(true);
    wide->Draw();
    const QFont font = FontForResolution(wide->Font(), 96);
    const QFontMetrics fm(font);
    const int symbol = 29 * wide->MatrixModule();
    ASSERT_GT(fm.horizontalAdvance(text), symbol);
    const auto [first, last] = InkColumns(wide->Image(), symbol);
    EXPECT_GE(last - first + 1, fm.horizontalAdvance(text) * 9 / 10) << "the whole text is drawn";
    EXPECT_LE(wide->Image().width(), wide->Width());
    EXPECT_EQ(DecodedText(wide->Image(), btQrCode), text.toStdString());

    // two thirds of an inch wide: the words on lines of their own under the symbol, all of them,
    // all inside the box
    TBarcodeLabel* narrow = Add(text, btQrCode, 64, 140);
    narrow->SetInterpret(true);
    narrow->Draw();
    const TMatrixText lines = LayoutMatrixText(btQrCode, text, font, nullptr, 64, true);
    ASSERT_GE(lines.lines.size(), 2);
    EXPECT_EQ(lines.lines.join(' '), text);
    const int n = int(lines.lines.size());
    const int m = narrow->MatrixModule();
    const QImage& image = narrow->Image();
    EXPECT_LE(image.width(), 64);
    EXPECT_EQ(image.height(),
              29 * m + std::max(0, std::max(2 * m, n * fm.height() / 3) - 4 * m) + n * fm.height())
        << "every line below the symbol";
    for (int line = 0; line < n; ++line) {
        const QImage row =
            image.copy(0, image.height() - (n - line) * fm.height(), image.width(), fm.height());
        EXPECT_GE(InkColumns(row, 0).second, 0) << "line " << line << " has ink";
    }
    EXPECT_EQ(DecodedText(image, btQrCode), text.toStdString());
}

TEST_F(MatrixControl, CloningCopiesTheOptions) {
    TBarcodeLabel* c = Add(QStringLiteral("x"), btQrCode);
    c->SetQrEcc(qrEccH);
    c->SetQrVersion(5);
    c->SetDataMatrixSize(32);
    TBarcodeLabel copy;
    copy.CopyKindProperties(*c);
    EXPECT_EQ(copy.MatrixOptions(), c->MatrixOptions());
    EXPECT_EQ(copy.BarcodeType(), btQrCode);
    c->SetQrEcc(9);
    EXPECT_EQ(c->QrEcc(), qrEccH) << "levels past H are H";
}

} // namespace
