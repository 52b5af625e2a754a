// QR Code masking: the four penalty rules on hand-counted squares, the format information
// against ISO/IEC 18004 annex C, re-masking against libzint's own symbols of every mask, version
// and level, and the chosen mask lowest among the eight and read back by zxing-cpp.

#include "MatrixSupport.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/Matrix2D.h"
#include "barcode/QrMask.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <QRandomGenerator>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A square of light modules, side x side, with the cells of the strings set: a '1' is dark.
struct TSquare {
    int32_t side;
    std::vector<uint8_t> dark;
    explicit TSquare(int32_t s) : side(s), dark(size_t(s) * size_t(s), 0) {}
    void Row(int32_t r, const char* bits) {
        for (int32_t c = 0; bits[c]; ++c)
            dark[size_t(r) * size_t(side) + size_t(c)] = bits[c] == '1';
    }
    TQrPenalty Penalty() const { return QrPenalty(dark.data(), side); }
};

TEST(QrPenalty, CheckerboardScoresNothing) {
    TSquare s(8);
    for (int32_t r = 0; r < 8; ++r)
        s.Row(r, r % 2 ? "01010101" : "10101010");
    const TQrPenalty p = s.Penalty();
    EXPECT_EQ(p.Total(), 0);
}

TEST(QrPenalty, LightSquareCountsRunsBlocksAndBalance) {
    // 5 x 5 light: ten runs of five (3 each), 16 blocks (3 each), no dark at all (10 steps)
    const TQrPenalty p = TSquare(5).Penalty();
    EXPECT_EQ(p.runs, 30);
    EXPECT_EQ(p.blocks, 48);
    EXPECT_EQ(p.finders, 0);
    EXPECT_EQ(p.balance, 100);
}

TEST(QrPenalty, LongerRunsCountOnePointPerModulePastFive) {
    // a checkerboard with row 0 dark across: the row's run of 8 is 3 + 3 points; columns keep
    // runs of one or two; the blocks of rows 0-1 are not of one colour
    TSquare s(8);
    for (int32_t r = 0; r < 8; ++r)
        s.Row(r, r % 2 ? "01010101" : "10101010");
    s.Row(0, "11111111");
    const TQrPenalty p = s.Penalty();
    EXPECT_EQ(p.runs, 6);
    EXPECT_EQ(p.blocks, 0);
    EXPECT_EQ(p.finders, 0);
    // 36 of 64 dark: 56 % is one whole 5 % step away from half
    EXPECT_EQ(p.balance, 10);
}

TEST(QrPenalty, TwoByTwoBlocksOverlap) {
    // a 3 x 3 dark corner in a checkerboard holds four 2 x 2 blocks
    TSquare s(8);
    for (int32_t r = 0; r < 8; ++r)
        s.Row(r, r % 2 ? "01010101" : "10101010");
    for (int32_t r = 0; r < 3; ++r)
        s.Row(r, r % 2 ? "11110101" : "11101010");
    EXPECT_EQ(s.Penalty().blocks, 12);
}

TEST(QrPenalty, FinderLikePatternNeedsFourLightModulesOnOneSide) {
    // a 15-wide light square with one patterned row; columns hold one dark module each
    const auto finders = [](const char* row) {
        TSquare s(15);
        s.Row(7, row);
        return s.Penalty().finders;
    };
    EXPECT_EQ(finders("000010111010000"), 40) << "light on both sides counts once";
    EXPECT_EQ(finders("100010111010001"), 0) << "three light modules on either side";
    EXPECT_EQ(finders("000010111010001"), 40) << "four light before";
    EXPECT_EQ(finders("100010111010000"), 40) << "four light after";
    EXPECT_EQ(finders("101110110000000"), 40) << "the quiet zone is light before the edge";
    EXPECT_EQ(finders("000010110110000"), 0) << "not 1:1:3:1:1";
}

TEST(QrPenalty, FinderLikePatternInAColumn) {
    TSquare s(11);
    const char* column = "00001011101";
    for (int32_t r = 0; r < 11; ++r)
        s.dark[size_t(r) * 11 + 3] = column[r] == '1';
    EXPECT_EQ(s.Penalty().finders, 40);
}

TEST(QrPenalty, BalanceInWholeFivePercentSteps) {
    const auto balance = [](int darkCount) {
        TSquare s(10);
        for (int k = 0; k < darkCount; ++k)
            s.dark[size_t(k)] = 1;
        return s.Penalty().balance;
    };
    EXPECT_EQ(balance(50), 0);
    EXPECT_EQ(balance(54), 0);
    EXPECT_EQ(balance(55), 10);
    EXPECT_EQ(balance(40), 20);
    EXPECT_EQ(balance(100), 100);
}

// The rules module by module, as the standard words them, to check the bitwise scorer against.
TQrPenalty ReferencePenalty(const std::vector<uint8_t>& dark, int32_t side) {
    TQrPenalty p;
    const auto at = [&](int32_t r, int32_t c) {
        // the quiet zone is light
        return r < 0 || c < 0 || r >= side || c >= side
                   ? 0
                   : dark[size_t(r) * size_t(side) + size_t(c)];
    };
    for (int horizontal = 0; horizontal < 2; ++horizontal)
        for (int32_t line = 0; line < side; ++line) {
            const auto m = [&](int32_t k) { return horizontal ? at(line, k) : at(k, line); };
            int32_t run = 1;
            for (int32_t k = 1; k <= side; ++k) {
                if (k < side && m(k) == m(k - 1)) {
                    ++run;
                    continue;
                }
                if (run >= 5)
                    p.runs += 3 + run - 5;
                run = 1;
            }
            for (int32_t k = 0; k + 7 <= side; ++k) {
                const bool pattern =
                    m(k) && !m(k + 1) && m(k + 2) && m(k + 3) && m(k + 4) && !m(k + 5) && m(k + 6);
                const bool before = !m(k - 1) && !m(k - 2) && !m(k - 3) && !m(k - 4);
                const bool after = !m(k + 7) && !m(k + 8) && !m(k + 9) && !m(k + 10);
                if (pattern && (before || after))
                    p.finders += 40;
            }
        }
    int64_t darkCount = 0;
    for (int32_t r = 0; r < side; ++r)
        for (int32_t c = 0; c < side; ++c) {
            darkCount += at(r, c);
            if (r + 1 < side && c + 1 < side && at(r, c) == at(r, c + 1) &&
                at(r, c) == at(r + 1, c) && at(r, c) == at(r + 1, c + 1))
                p.blocks += 3;
        }
    const int64_t total = int64_t(side) * side;
    for (int64_t k = 1; k <= 10; ++k)
        if (std::llabs(darkCount * 100 - total * 50) >= 5 * k * total)
            p.balance = int32_t(10 * k);
    return p;
}

TEST(QrPenalty, BitwiseScorerAgreesWithTheRulesModuleByModule) {
    QRandomGenerator random(5);
    for (int k = 0; k < 300; ++k) {
        // sides across the word boundaries of the bitwise lines, densities from sparse to dark
        const int32_t side = k < 200 ? 1 + k % 70 : 17 + 4 * (k % 41);
        const int density = 1 + int(random.bounded(9));
        std::vector<uint8_t> dark(size_t(side) * size_t(side));
        for (uint8_t& d : dark)
            d = random.bounded(10) < density;
        // finder-like patterns where randomness rarely puts them
        if (side >= 11 && k % 2)
            for (int32_t c = 0; c < 7; ++c)
                dark[size_t(side / 2) * size_t(side) + size_t(c)] = "1011101"[c] == '1';
        const TQrPenalty fast = QrPenalty(dark.data(), side), slow = ReferencePenalty(dark, side);
        EXPECT_EQ(fast.runs, slow.runs) << "side " << side << " case " << k;
        EXPECT_EQ(fast.blocks, slow.blocks) << "side " << side << " case " << k;
        EXPECT_EQ(fast.finders, slow.finders) << "side " << side << " case " << k;
        EXPECT_EQ(fast.balance, slow.balance) << "side " << side << " case " << k;
    }
}

TEST(QrFormat, MatchesThePublishedWords) {
    // ISO/IEC 18004 annex C, table C.1, mask 0 of each level
    EXPECT_EQ(QrFormatBits(0b00, 0), 0b101010000010010); // M
    EXPECT_EQ(QrFormatBits(0b01, 0), 0b111011111000100); // L
    EXPECT_EQ(QrFormatBits(0b10, 0), 0b001011010001001); // H
    EXPECT_EQ(QrFormatBits(0b11, 0), 0b011010101011111); // Q
    for (int e = 0; e < 4; ++e)
        for (int m = 0; m < QrMaskCount; ++m) {
            int ecc = -1, mask = -1;
            ASSERT_TRUE(DecodeQrFormat(QrFormatBits(e, m), ecc, mask));
            EXPECT_EQ(ecc, e);
            EXPECT_EQ(mask, m);
        }
    int ecc = -1, mask = -1;
    EXPECT_FALSE(DecodeQrFormat(QrFormatBits(0, 0) ^ 1, ecc, mask)) << "one bit wrong";
}

TEST(QrFormat, RejectsWhatIsNoQrCode) {
    std::vector<uint8_t> odd(22 * 22, 0);
    EXPECT_EQ(ChooseQrMask(odd, 22), -1);
    std::vector<uint8_t> blank(21 * 21, 0);
    EXPECT_EQ(ChooseQrMask(blank, 21), -1) << "no valid format information";
    EXPECT_FALSE(SetQrMask(blank, 21, 3));
    EXPECT_EQ(blank, std::vector<uint8_t>(21 * 21, 0));
}

struct TZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

// libzint's own symbol of the data with the mask (-1 its own choice) and level 1..4.
std::vector<uint8_t> ZintQr(const std::string& data, int version, int level, int mask,
                            int32_t& side) {
    std::unique_ptr<zint_symbol, TZintDeleter> z(ZBarcode_Create());
    z->symbology = BARCODE_QRCODE;
    z->input_mode = UNICODE_MODE;
    z->option_1 = level;
    z->option_2 = version;
    z->option_3 = mask < 0 ? 0 : (mask + 1) << 8;
    const int status = ZBarcode_Encode(z.get(), reinterpret_cast<const unsigned char*>(data.data()),
                                       int(data.size()));
    EXPECT_LT(status, ZINT_ERROR) << z->errtxt;
    side = z->width;
    std::vector<uint8_t> dark(size_t(side) * size_t(side));
    for (int32_t r = 0; r < side; ++r)
        for (int32_t c = 0; c < side; ++c)
            dark[size_t(r) * size_t(side) + size_t(c)] =
                (z->encoded_data[r][c >> 3] >> (c & 7)) & 1;
    return dark;
}

TEST(QrMask, ReMaskingGivesLibzintsSymbolOfThatMask) {
    // every version and level: mask 0 turned into each other mask is bit for bit the symbol
    // libzint draws with that mask, so the function modules, masks and format are right
    for (int version = 1; version <= 40; ++version)
        for (int level = 1; level <= 4; ++level) {
            const std::string data = "V" + std::to_string(version) + " L" + std::to_string(level);
            int32_t side = 0;
            const std::vector<uint8_t> zero = ZintQr(data, version, level, 0, side);
            ASSERT_EQ(QrVersionOfSide(side), version);
            for (int mask = 1; mask < QrMaskCount; ++mask) {
                int32_t zside = 0;
                std::vector<uint8_t> ours = zero;
                ASSERT_TRUE(SetQrMask(ours, side, mask));
                EXPECT_EQ(ours, ZintQr(data, version, level, mask, zside))
                    << "version " << version << " level " << level << " mask " << mask;
            }
        }
}

// Random data: bytes of ASCII or UTF-8 beyond it, of a length that fits the version.
QString RandomData(QRandomGenerator& random, int maxChars) {
    static const char16_t extra[] = {u'\u00e9', u'\u03b1', u'\u65e5', u'\u20ac', u'\u00df'};
    QString text;
    const int n = 1 + int(random.bounded(maxChars));
    const bool wide = random.bounded(3) == 0;
    for (int k = 0; k < n; ++k)
        if (wide && random.bounded(4) == 0)
            text += QChar(extra[random.bounded(int(std::size(extra)))]);
        else
            text += QChar(char16_t(0x20 + random.bounded(0x5F)));
    return text;
}

// zxing-cpp 1.4 finds no version 40 symbol drawn at 2 pixels a module, whatever its mask; 1 and
// 3 pixels read
constexpr int32_t ReadModule = 3;

TEST(QrMask, ChosenMaskIsLowestAndDecodes) {
    QRandomGenerator random(1813);
    int symbols = 0;
    for (int version = 1; version <= 40; ++version)
        for (int ecc = qrEccL; ecc <= qrEccH; ++ecc) {
            TMatrixOptions options;
            options.qrEcc = uint8_t(ecc);
            options.qrVersion = uint8_t(version);
            // short enough for version 1-H, so the minimum version is the version drawn
            const QString data = RandomData(random, 6);
            const TMatrixEncoding e = EncodeMatrix(btQrCode, data, options);
            ASSERT_TRUE(e.Valid()) << e.reason.toStdString();
            const int32_t side = e.matrix.columns;
            ASSERT_EQ(QrVersionOfSide(side), version);

            int level = -1, chosen = -1;
            ASSERT_TRUE(DecodeQrFormat(ReadQrFormat(e.matrix.dark.data(), side), level, chosen));
            const int32_t points = QrPenalty(e.matrix.dark.data(), side).Total();
            for (int mask = 0; mask < QrMaskCount; ++mask) {
                std::vector<uint8_t> other = e.matrix.dark;
                ASSERT_TRUE(SetQrMask(other, side, mask));
                const int32_t otherPoints = QrPenalty(other.data(), side).Total();
                EXPECT_LE(points, otherPoints) << "version " << version << " mask " << mask;
                if (mask < chosen) {
                    EXPECT_LT(points, otherPoints) << "ties go to the lower mask";
                }
            }
            // both copies of the format information agree (zxing reads either)
            std::vector<uint8_t> rewritten = e.matrix.dark;
            WriteQrFormat(rewritten.data(), side, ReadQrFormat(rewritten.data(), side));
            EXPECT_EQ(rewritten, e.matrix.dark);

            const QImage image = RenderMatrix(btQrCode, data, options, ReadModule, 0, false);
            EXPECT_EQ(DecodedText(image, btQrCode), data.toStdString())
                << "version " << version << " ecc " << ecc;
            ++symbols;
        }
    EXPECT_EQ(symbols, 160);
}

TEST(QrMask, LongRandomDataDecodes) {
    // long data of every kind chooses its own version
    QRandomGenerator random(42);
    for (int k = 0; k < 40; ++k) {
        TMatrixOptions options;
        options.qrEcc = uint8_t(k % QrEccLevelCount);
        const QString data = RandomData(random, 20 + 16 * k);
        const TMatrixEncoding e = EncodeMatrix(btQrCode, data, options);
        ASSERT_TRUE(e.Valid()) << e.reason.toStdString();
        const QImage image = RenderMatrix(btQrCode, data, options, ReadModule, k % 4, false);
        EXPECT_EQ(DecodedText(image, btQrCode), data.toStdString()) << "case " << k;
    }
}

TEST(QrMask, SymbolsAreThoseLibzintChoosesItself) {
    // libzint scores the masks by the same rules: a symbol is the one it draws when left to
    // choose, so re-masking changes nothing that is printed
    QRandomGenerator random(7);
    for (int k = 0; k < 200; ++k) {
        std::string data;
        const int n = 1 + int(random.bounded(k < 150 ? 150 : 600));
        for (int c = 0; c < n; ++c)
            data += char(0x20 + random.bounded(0x5F));
        const int level = 1 + k % QrEccLevelCount;
        TMatrixOptions options;
        options.qrEcc = uint8_t(level - 1);
        const TMatrixEncoding e = EncodeMatrix(btQrCode, QString::fromStdString(data), options);
        ASSERT_TRUE(e.Valid()) << e.reason.toStdString();
        int32_t side = 0;
        EXPECT_EQ(e.matrix.dark, ZintQr(data, 0, level, -1, side)) << "case " << k;
    }
}

} // namespace
