// Interleaved 2 of 5 (plain and SSC-14 with bearer bars) and POSTNET, module by module.

#include "BarRecorder.h"

#include "barcode/Interleaved2of5.h"
#include "barcode/Postnet.h"
#include "barcode/PrnBarcode.h"

#include <gtest/gtest.h>

namespace {

// The published 2 of 5 widths of digits 0..9 (N narrow, W wide).
const char* const TwoOfFive[10] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                   "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

// Reads the digit pairs of an Interleaved 2 of 5 symbol from its element widths (wide = 3).
std::string ReadPairs(const std::string& widths) {
    std::string digits;
    // start 1111, then 10 elements per pair, then the stop 311
    for (size_t at = 4; at + 10 <= widths.size() - 3; at += 10) {
        std::string bars, spaces;
        for (int i = 0; i < 5; ++i) {
            bars += widths[at + 2 * i] == '3' ? 'W' : 'N';
            spaces += widths[at + 2 * i + 1] == '3' ? 'W' : 'N';
        }
        for (const std::string& e : {bars, spaces}) {
            char d = '?';
            for (int k = 0; k < 10; ++k)
                if (e == TwoOfFive[k])
                    d = char('0' + k);
            digits += d;
        }
    }
    return digits;
}

TEST(Interleaved2of5, PairsBetweenStartAndStop) {
    const struct {
        const char* data;
        const char* pairs;
        int32_t modules;
        const char* source;
    } rows[] = {
        {"12345", "012345", 63, "worked example: a zero in front, 63 modules"},
        {"1234", "1234", 45, "worked example: 45 modules, no check digit"},
        {"90", "90", 27, "one pair"},
    };
    for (const auto& row : rows) {
        TBarRecorder bars;
        EncodeInterleaved2of5(bars, 0, 0, 0, row.data, 1, 30);
        const std::string m = bars.Modules(0, row.modules + 5, 1, 0);
        EXPECT_EQ(m.substr(0, 4), "1010") << row.source;
        EXPECT_EQ(m.substr(row.modules - 5), "1110100000") << row.source;
        const std::string widths = Widths(m.substr(0, row.modules));
        EXPECT_EQ(ReadPairs(widths), row.pairs) << row.source;
    }
}

TEST(Interleaved2of5, WideElementsAreThreeModules) {
    TBarRecorder bars;
    EncodeInterleaved2of5(bars, 0, 0, 0, "10", 2, 30);
    // m = 2: start bars 2 wide, then 1 (WNNNW) against 0 (NNWWN): the first bar is wide
    ASSERT_GE(bars.Bars().size(), 3u);
    EXPECT_EQ(bars.Bars()[0].width(), 2);
    EXPECT_EQ(bars.Bars()[2].width(), 6);
    EXPECT_EQ(bars.Bars()[2].left(), 8);
}

TEST(Ssc14Itf, BearerBarsInEveryRotation) {
    // worked example: 1234 pads to 0000000001234, check digit 8, seven pairs; bearers 145
    // modules long and 3 thick along both edges of the bars
    EXPECT_EQ(Ssc14ItfDigits("1234"), "00000000012348");
    const int32_t m = 2;
    const int32_t b = 60;
    for (int rotation = 0; rotation < 4; ++rotation) {
        TBarRecorder bars;
        EncodeSsc14Itf(bars, 10, 20, rotation, "1234", m, b);
        ASSERT_GE(bars.Bars().size(), 2u);
        const QRect first = bars.Bars()[bars.Bars().size() - 2];
        const QRect second = bars.Bars().back();
        if (IsVertical(rotation)) {
            EXPECT_EQ(first, QRect(10, 20, 3 * m, 145 * m)) << rotation;
            EXPECT_EQ(second, QRect(10 + b - 3 * m, 20, 3 * m, 145 * m)) << rotation;
        } else {
            EXPECT_EQ(first, QRect(10, 20, 145 * m, 3 * m)) << rotation;
            EXPECT_EQ(second, QRect(10, 20 + b - 3 * m, 145 * m, 3 * m)) << rotation;
        }
        // the digits between them, after a blank lead of 5 modules
        const int32_t start = (IsVertical(rotation) ? 20 : 10) + 5 * m;
        TBarRecorder body;
        for (size_t i = 0; i + 2 < bars.Bars().size(); ++i) {
            const QRect& r = bars.Bars()[i];
            body.FillBar(r.left(), r.top(), r.width(), r.height());
        }
        const std::string modules = body.Modules(start, 135, m, rotation);
        EXPECT_EQ(ReadPairs(Widths(modules)), "00000000012348") << rotation;
    }
}

TEST(Postnet, CheckDigitAndBars) {
    // worked example: 12345 has check 5 (sum 15), 32 bars, 63 modules
    EXPECT_EQ(PostnetCheckDigit("12345"), QChar('5'));
    EXPECT_EQ(PostnetCheckDigit("55"), QChar('0'));
    EXPECT_EQ(PostnetCheckDigit("555551237"), QChar('2')); // digit sum 38
    TBarRecorder bars;
    const int32_t b = 60;
    EncodePostnet(bars, 0, 0, 0, "12345", 1, b);
    ASSERT_EQ(bars.Bars().size(), 32u);
    // published POSTNET code, 1 full and 0 half: frame, 1 00011, 2 00101, 3 00110, 4 01001,
    // 5 01010, check 5 01010, frame
    const std::string expected = "1"
                                 "00011"
                                 "00101"
                                 "00110"
                                 "01001"
                                 "01010"
                                 "01010"
                                 "1";
    std::string heights;
    for (size_t i = 0; i < bars.Bars().size(); ++i) {
        const QRect& r = bars.Bars()[i];
        EXPECT_EQ(r.left(), int(2 * i)) << i; // one-module bars with one-module gaps
        EXPECT_EQ(r.width(), 1);
        heights += r.height() == b ? '1' : '0';
        if (r.height() != b) {
            // worked example: a short bar of a 60-pixel bar length starts 36 below the top
            EXPECT_EQ(r.top(), 36);
            EXPECT_EQ(r.height(), 24);
        }
    }
    EXPECT_EQ(heights, expected);
    EXPECT_EQ(bars.Bars().back().right() + 1, 63);
}

TEST(Postnet, ShortBarsAcrossTheSymbolWhenTurned) {
    // rotations 1 and 3: bars lie along x and the offset of a short bar is taken along x, so
    // short bars share the edge of the full bars at x + bar length
    for (const int rotation : {1, 3}) {
        TBarRecorder bars;
        EncodePostnet(bars, 5, 7, rotation, "0", 2, 50);
        ASSERT_EQ(bars.Bars().size(), 12u);
        EXPECT_EQ(bars.Bars()[0], QRect(5, 7, 50, 2));
        // 0 is 11000 then check 0 is 11000: the third bar is the first short one
        EXPECT_EQ(bars.Bars()[3], QRect(5 + 30, 7 + 3 * 4, 20, 2)) << rotation;
        EXPECT_EQ(bars.Bars()[11], QRect(5, 7 + 22 * 2, 50, 2)) << rotation;
    }
}

TEST(Postnet, EmptyDataDrawsNoBars) {
    TBarRecorder bars;
    DrawBarcodeBars(bars, btPostnet, 0, 0, 1, 12, "", false, 0);
    EXPECT_TRUE(bars.Bars().empty());
}

} // namespace
