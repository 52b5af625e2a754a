// The preflight check on a label of every checked kind, merged from a data file with planted
// faults, and the walk it shares with the print run.

#include "print/Preflight.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"
#include "platform/Errors.h"
#include "print/SymbolDecode.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

struct TFound {
    int64_t Record;
    int64_t Line;
    QString Control;
    QString Problem;
};

// A canvas that hands every bar on, but the bars of one stretch of the symbol one module too
// wide: what a wrong pattern in an encoder's table would draw.
class TWrongPattern final : public TBarCanvas {
public:
    TWrongPattern(TBarCanvas& inner, int32_t from, int32_t to, int32_t m)
        : m_inner(inner), m_from(from), m_to(to), m_m(m) {}
    void FillBar(int32_t left, int32_t top, int32_t width, int32_t height) override {
        if (left >= m_from && left < m_to)
            width += m_m;
        m_inner.FillBar(left, top, width, height);
    }

private:
    TBarCanvas& m_inner;
    int32_t m_from, m_to, m_m;
};
std::string Listed(const std::vector<TFound>& found) {
    std::string out;
    for (const TFound& f : found)
        out += std::to_string(f.Record) + ": " + f.Control.toStdString() + ": " +
               f.Problem.toStdString() + "\n";
    return out;
}
} // namespace

class PreflightTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = TSheetSettings();
        sheet.ForcedCount = true;
        sheet.Rows = 3;
        sheet.Columns = 4;
        label.SetLabelSize(192, 96);
    }

    // Boxes are fixed unless auto is set (an auto-sized control takes the size of its contents).
    template <class T>
    T* Place(int left, int top, int width, int height, int field, bool autoSize = false) {
        auto c = std::make_unique<T>();
        c->SetAutoSizing(autoSize);
        c->SetBox(TRect::FromBox(left, top, width, height), false);
        if (field > 0) {
            auto f = std::make_unique<TImportedField>();
            f->FieldNumber = field;
            c->Fields.push_back(std::move(f));
            c->SetAdvanced(true);
        }
        T* raw = c.get();
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    TBarcodeLabel* Barcode(TBarcodeType type, int left, int top, int width, int height, int field,
                           bool autoSize = true) {
        auto* b = Place<TBarcodeLabel>(left, top, width, height, field, autoSize);
        b->SetBarcodeType(type);
        b->SetInterpret(false);
        return b;
    }
    // The whole label: an EAN 13, a Code 39 in a fixed box, a text and a formatted text in
    // fixed boxes, an Interleaved 2 of 5, each from its own column.
    void BuildLabel() {
        Barcode(btEan13, 4, 2, 120, 30, 1);
        Barcode(btCode39, 4, 36, 120, 24, 2, false);
        Place<TTextLabel>(128, 36, 60, 20, 3);
        Place<TMemoLabel>(128, 60, 60, 34, 4);
        Barcode(btInterleaved2of5, 4, 62, 90, 30, 5);
    }
    QString WriteData(const QStringList& records) {
        const QString path = scratch.File("data.csv");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("EAN,Code,Name,Note,ITF\r\n");
        for (const QString& r : records)
            f.write((r + "\r\n").toUtf8());
        f.close();
        FormatFromExtension(import, path, {});
        return path;
    }
    std::vector<TFound> Check(TPrintSettings s, const TPreflightOptions& options = {},
                              TPreflightResult* result = nullptr) {
        s.Import = import;
        std::vector<TFound> found;
        const TPreflightResult r = CheckLabels(
            sheet, label.Controls(), s, printer,
            [&](const TPreflightProblem& p) {
                found.push_back({p.Record, p.Line, p.Control, p.Problem});
            },
            nullptr, options);
        if (result)
            *result = r;
        return found;
    }
    static QString GoodRecord(int i) {
        // Twelve digits (the symbol adds the check digit), letters and digits for Code 39.
        return QString("%1,AB%2,Ann %3,A note,%4")
            .arg(400000000000LL + i)
            .arg(i % 100)
            .arg(i % 10)
            .arg(100000 + i);
    }

    TScratchFolder scratch;
    TSheetSettings sheet;       // the sheet the runs print on
    TTextImportSettings import; // of the last data file written
    TLabelDocument label;
    TLetterPdf printer;
};

TEST_F(PreflightTest, FindsEveryPlantedFaultOnItsRecordAndNothingElse) {
    BuildLabel();
    QStringList records;
    for (int i = 1; i <= 1000; ++i)
        records << GoodRecord(i);
    // One fault to a record; the record number is the index + 1, its line one more.
    const std::map<int, std::pair<QString, QString>> planted = {
        {101, {"400638133393\xC2\xA7,AB1,Ann,Note,123456", "cannot carry: \"\xC2\xA7\""}},
        {202, {"40123455,AB1,Ann,Note,123456", "has 8 digits; EAN 13 takes 12 or 13"}},
        {303, {"40063813339310,AB1,Ann,Note,123456", "has 14 digits; EAN 13 takes 12 or 13"}},
        {404, {"4006381333932,AB1,Ann,Note,123456", "ends in check digit 2; EAN 13 computes 1"}},
        {505, {",AB1,Ann,Note,123456", "nothing would be printed"}},
        {606,
         {"400638133393,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789,Ann,Note,123456",
          "the right edge of its box cuts the barcode"}},
        {707,
         {"400638133393,AB1,Bartholomew Fitzgerald-Montgomery the Third,Note,123456",
          "wide but its box is"}},
        {808,
         {"400638133393,AB1,Ann,one two three four five six seven eight nine ten eleven "
          "twelve thirteen fourteen fifteen sixteen seventeen eighteen nineteen twenty,123456",
          "tall but its box is"}},
        {909,
         {"400638133393,AB1,Ann,Note,12345", "has 5 digits; Interleaved 2 of 5 takes an even"}},
    };
    for (const auto& [record, fault] : planted)
        records[record - 1] = fault.first;

    TPrintSettings s;
    s.DataFile = WriteData(records);
    TPreflightResult r;
    const std::vector<TFound> found = Check(s, {}, &r);

    ASSERT_EQ(found.size(), planted.size()) << Listed(found);
    for (const TFound& f : found) {
        ASSERT_TRUE(planted.count(int(f.Record))) << f.Record << ": " << f.Problem.toStdString();
        EXPECT_EQ(f.Line, f.Record + 1);
        EXPECT_TRUE(f.Problem.contains(planted.at(int(f.Record)).second))
            << f.Record << ": " << f.Problem.toStdString();
    }
    EXPECT_EQ(r.Labels, 1000);
    EXPECT_EQ(r.Records, 1000);
    EXPECT_EQ(r.Problems, 9);
    EXPECT_EQ(r.RecordsWithProblems, 9);
    EXPECT_EQ(PreflightSummary(r),
              QString("checked 1,000 labels from 1,000 records: 9 problems in 9 records"));
}

TEST_F(PreflightTest, ProblemsNameTheirControlByTheHeaderColumn) {
    BuildLabel();
    TPrintSettings s;
    s.DataFile = WriteData({GoodRecord(1), "40123455,AB1,Ann,Note,123456"});
    TPreflightResult r;
    const std::vector<TFound> found = Check(s, {}, &r);
    ASSERT_EQ(found.size(), 1u) << Listed(found);
    TPreflightProblem p;
    p.Label = 2;
    p.Record = found[0].Record;
    p.Line = found[0].Line;
    p.Control = found[0].Control;
    p.Problem = found[0].Problem;
    EXPECT_EQ(ProblemLine(p), QString("record 2 (line 3), label 2: barcode \"EAN\" (EAN 13): data "
                                      "\"40123455\" has 8 digits; EAN 13 takes 12 or 13"));
    EXPECT_EQ(PreflightSummary(r),
              QString("checked 2 labels from 2 records: 1 problem in 1 record"));
}

// A field named after a column the data lacks is said once, for the run's first record.
TEST_F(PreflightTest, FieldsNamingAColumnTheDataLacksAreReportedOnce) {
    auto* name = Place<TTextLabel>(4, 4, 150, 20, 1, true);
    static_cast<TImportedField&>(*name->Fields.front()).FieldName = "Name";
    auto* town = Place<TTextLabel>(4, 40, 150, 20, 4, true);
    static_cast<TImportedField&>(*town->Fields.front()).FieldName = "Town";
    TPrintSettings s;
    s.DataFile = WriteData({GoodRecord(1), GoodRecord(2), GoodRecord(3)});
    TPreflightResult r;
    const std::vector<TFound> found = Check(s, {}, &r);
    ASSERT_EQ(found.size(), 1u) << Listed(found);
    EXPECT_EQ(found[0].Record, 1);
    EXPECT_EQ(found[0].Problem,
              QString("the data has no column named \"Town\"; field 4 is printed instead"));
    EXPECT_EQ(PreflightSummary(r),
              QString("checked 3 labels from 3 records: 1 problem in 1 record"));
}

TEST_F(PreflightTest, ChecksExactlyTheLabelsTheRunWouldPrint) {
    // Every label has a problem (one digit where EAN 13 takes twelve), so the problems list the
    // labels checked and the records they merged.
    Barcode(btEan13, 4, 2, 120, 30, 1);
    QStringList records;
    for (int i = 1; i <= 40; ++i)
        records << QString::number(i % 10);
    TPrintSettings s;
    s.DataFile = WriteData(records);
    s.Range = TPrintRange::Pages;
    s.PageCount = 2;
    s.Duplicates = 2;
    s.Skip = 3;
    TPreflightResult r;
    const std::vector<TFound> found = Check(s, {}, &r);
    // 12 positions a page, 3 left empty on the first: 9 + 12 labels, two copies of each record.
    ASSERT_EQ(r.Labels, 21);
    ASSERT_EQ(found.size(), 21u);
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(found[i].Record, int64_t(i / 2 + 1)) << "label " << i + 1;
    EXPECT_EQ(r.Records, 11);

    // The print run of the same settings prints as many labels.
    TScratchFolder out;
    s.Import = import;
    const TPrintResult printed =
        PrintLabels(sheet, label.Controls(), s, printer, out.File("run.pdf"), QString(), nullptr);
    EXPECT_EQ(printed.Labels, r.Labels);
    EXPECT_EQ(printed.Pages, 2);
}

TEST_F(PreflightTest, CountersStepAsInTheRunAndAreRestoredAfterwards) {
    // A counter in a text wide enough for four digits: 9996 .. 9999 fit, 10000 and 10001 not.
    auto* counter = Place<TTextLabel>(4, 4, 70, 40, 0);
    auto seq = std::make_unique<TSequenceField>();
    seq->CurrentValue = 9996;
    counter->Fields.push_back(std::move(seq));
    counter->SetAdvanced(true);
    QFont big("Liberation Sans");
    big.setPointSize(20);
    counter->SetFont(big);

    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = 6;
    std::vector<int32_t> labels;
    CheckLabels(sheet, label.Controls(), s, printer, [&](const TPreflightProblem& p) {
        labels.push_back(p.Label);
        EXPECT_TRUE(p.Problem.startsWith("text \"1000")) << p.Problem.toStdString();
        EXPECT_TRUE(p.Problem.contains("wide")) << p.Problem.toStdString();
        EXPECT_EQ(p.Control, QString("text \"9996\"")); // named as it stood before the run
    });
    EXPECT_EQ(labels, (std::vector<int32_t>{5, 6}));
    const auto* after = dynamic_cast<const TSequenceField*>(counter->Fields.front().get());
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->CurrentValue, 9996);
}

TEST_F(PreflightTest, RefusesWhatThePrintRunRefuses) {
    BuildLabel();
    TPrintSettings s;
    s.DataFile = scratch.File("missing.csv");
    EXPECT_THROW(Check(s), TUserError);
    sheet.Columns = 9; // more columns than a Letter page holds
    TPrintSettings pages;
    pages.Range = TPrintRange::Pages;
    EXPECT_THROW(Check(pages), TUserError);
}

TEST_F(PreflightTest, ReadingBackCatchesAWrongPatternOnlyItCanSee) {
    auto* code = Barcode(btCode128, 4, 2, 180, 40, 0);
    code->SetText("VT-4711");
    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = 3;
    EXPECT_TRUE(Check(s).empty()); // the engine's own drawing reads back

    TPreflightOptions faulty;
    faulty.Drawer = [](TBarCanvas& canvas, TBarcodeType type, int32_t x, int32_t y, int32_t m,
                       int32_t barLength, const QString& data) {
        // the second data character: past the quiet zone, the start and the first character
        TWrongPattern wrong(canvas, x + (10 + 22) * m, x + (10 + 33) * m, m);
        DrawBarcodeBars(wrong, type, x, y, m, barLength, data, false, 0);
    };
    TPreflightResult r;
    const std::vector<TFound> found = Check(s, faulty, &r);
    // the same symbol on every label: one problem, for the three labels
    ASSERT_EQ(found.size(), 1u) << Listed(found);
    EXPECT_TRUE(found[0].Problem.contains("read")) << found[0].Problem.toStdString();
    EXPECT_TRUE(found[0].Problem.contains("VT-4711")) << found[0].Problem.toStdString();
    EXPECT_EQ(PreflightSummary(r), QString("checked 3 labels: 1 problem on 3 labels"));

    TPreflightOptions noReading;
    noReading.ReadBack = false;
    noReading.Drawer = faulty.Drawer;
    EXPECT_TRUE(Check(s, noReading).empty()); // no other check sees it
}

// Every type the decoder reads comes back as ExpectedReading says, at the module widths of
// printers from 203 to 1200 dpi: no false problem from the reading itself.
TEST(SymbolReadBack, EveryReadableTypeReadsAsExpected) {
    const char* samples[] = {"ABC-123", "12345", "400638133393", "0", "9876543210123"};
    int readable = 0;
    for (int code = 0; code < BarcodeTypeCount; ++code) {
        const auto type = TBarcodeType(code);
        if (!CanReadBack(type, QStringLiteral("123456")))
            continue;
        ++readable;
        for (const char* sample : samples) {
            const QString data = NormalizeBarcodeData(type, QString::fromLatin1(sample));
            if (!CanReadBack(type, data))
                continue;
            for (int32_t m : {2, 3, 6, 12}) {
                const TReading r = ReadBackSymbol(type, data, m);
                EXPECT_TRUE(r.Read) << BarcodeTypeInfo(type)->name << " " << sample << " m=" << m;
                EXPECT_EQ(r.Text, ExpectedReading(type, data))
                    << BarcodeTypeInfo(type)->name << " " << sample << " m=" << m;
            }
        }
    }
    EXPECT_EQ(readable, 15); // all but POSTNET and the two add-ons
    EXPECT_FALSE(ReadBackSymbol(btCode128, QString(), 3).Read);
}

TEST_F(PreflightTest, TwoDimensionalDataTheSymbolCannotCarry) {
    Barcode(btGs1DataMatrix, 4, 2, 60, 60, 1, false);
    Barcode(btQrCode, 70, 2, 60, 60, 2, false)->SetQrEcc(qrEccH);
    TPrintSettings s;
    // record 2 has a wrong check digit, record 3 is too long for a QR Code at level H (2,953
    // bytes fit at level L, 1,273 at H)
    s.DataFile = WriteData({"[01]09501101530003,ok", "[01]09501101530004,ok",
                            "[10]A," + QString(2000, QLatin1Char('x'))});
    const std::vector<TFound> found = Check(s);
    ASSERT_EQ(found.size(), 2u) << Listed(found);
    EXPECT_EQ(found[0].Record, 2);
    EXPECT_EQ(found[0].Problem, QString("data \"[01]09501101530004\" cannot be drawn as GS1 "
                                        "DataMatrix: Wrong check digit in GS1 element (01)"));
    EXPECT_EQ(found[1].Record, 3);
    EXPECT_TRUE(found[1].Problem.endsWith("as QR Code: Too much data for the largest symbol"))
        << found[1].Problem.toStdString();
}

// A problem of a control whose text is the same on every label is one line for all the labels it
// is found on; a control whose text comes from the record or a counter keeps a line a label.
TEST_F(PreflightTest, DesignProblemsAreReportedOnceWithTheirLabels) {
    // Code 128 of twelve characters: about 1.9 inches with its quiet zones from 0.75 inch in on
    // a two-inch label.
    Barcode(btCode128, 72, 2, 40, 40, 0)->SetText("VT-1000-WIDE");
    // A counter too wide for its box from its fifth value on.
    auto* counter = Place<TTextLabel>(4, 50, 70, 40, 0);
    auto seq = std::make_unique<TSequenceField>();
    seq->CurrentValue = 9996;
    counter->Fields.push_back(std::move(seq));
    counter->SetAdvanced(true);
    QFont big("Liberation Sans");
    big.setPointSize(20);
    counter->SetFont(big);

    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.PageCount = 2;
    std::vector<TPreflightProblem> found;
    const TPreflightResult r = CheckLabels(sheet, label.Controls(), s, printer,
                                           [&](const TPreflightProblem& p) { found.push_back(p); });
    ASSERT_EQ(found.size(), 21u); // labels 5 to 24 of the counter, then the barcode once
    for (size_t i = 0; i < 20; ++i) {
        EXPECT_FALSE(found[i].Grouped());
        EXPECT_EQ(found[i].Label, int32_t(i + 5));
    }
    const TPreflightProblem& wide = found.back();
    ASSERT_TRUE(wide.Grouped());
    EXPECT_EQ(wide.Labels.Count(), 24);
    EXPECT_EQ(wide.Checked, 24);
    EXPECT_EQ(wide.Record, 0);
    const double overhang = 72 / 96.0 + SymbolExtent(btCode128, "VT-1000-WIDE", 1) * 0.010 - 2.0;
    const QString line = ProblemLine(wide);
    const QRegularExpressionMatch m =
        QRegularExpression("^barcode \"VT-1000-WIDE\" \\(Code 128\\): the right edge of the label "
                           "cuts the barcode \"VT-1000-WIDE\" by (\\d\\.\\d\\d) in \\(quiet "
                           "zone included\\) on all 24 labels$")
            .match(line);
    ASSERT_TRUE(m.hasMatch()) << line.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), overhang, 0.02);
    EXPECT_EQ(r.Problems, 21);
    EXPECT_EQ(PreflightSummary(r), QString("checked 24 labels: 21 problems on 24 labels"));
}

TEST_F(PreflightTest, TheEdgeThatCutsASymbolIsNamed) {
    // A fixed box narrower than the symbol: its box cuts it, not the label.
    Barcode(btCode39, 4, 2, 60, 40, 0, false)->SetText("AB1");
    // Turned a quarter, past the label's foot: the symbol runs down, its quiet zone is cut.
    auto* down = Barcode(btCode39, 150, 30, 40, 30, 0);
    down->SetRotation(1);
    down->SetText("CD2");
    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = 1;
    sheet.Metric = true;
    sheet.LabelWidth = 5.08;
    sheet.LabelHeight = 2.54;
    const std::vector<TFound> found = Check(s);
    ASSERT_EQ(found.size(), 2u) << Listed(found);
    EXPECT_TRUE(QRegularExpression("^the right edge of its box cuts the barcode \"AB1\" by "
                                   "\\d\\.\\d\\d cm \\(quiet zone included\\)$")
                    .match(found[0].Problem)
                    .hasMatch())
        << found[0].Problem.toStdString();
    EXPECT_TRUE(QRegularExpression("^the bottom edge of the label cuts the barcode \"CD2\" by "
                                   "\\d\\.\\d\\d cm \\(quiet zone included\\)")
                    .match(found[1].Problem)
                    .hasMatch())
        << found[1].Problem.toStdString();
}

TEST(PreflightLabels, TheLabelsOfAProblemFoundOnMany) {
    TLabelSet labels;
    for (int32_t l : {3, 4, 5, 6, 7, 8, 9, 12})
        labels.Add(l);
    EXPECT_EQ(labels.Count(), 8);
    EXPECT_EQ(OnLabelsText(labels, 40), QString("labels 3\u20139, 12"));
    EXPECT_EQ(LabelSetText(labels, 40), QString("3\u20139, 12"));
    TLabelSet all;
    for (int32_t l = 1; l <= 176; ++l)
        all.Add(l);
    EXPECT_EQ(all.Runs().size(), 1u);
    EXPECT_EQ(OnLabelsText(all, 176), QString("all 176 labels"));
    EXPECT_EQ(LabelSetText(all, 176), QString("all 176"));
    TLabelSet odd;
    for (int32_t l = 1; l <= 1999; l += 2)
        odd.Add(l);
    EXPECT_EQ(OnLabelsText(odd, 2000), QString("1,000 of 2,000 labels (1, 3, 5, 7, \u2026)"));
    TLabelSet one;
    one.Add(5);
    EXPECT_EQ(OnLabelsText(one, 40), QString("label 5"));
    TPreflightProblem p;
    p.Control = "text \"Lot\"";
    p.Problem = "text \"Lot 7\" is 1.20 in wide but its box is 1.00 in; paper would cut it";
    p.Labels = labels;
    p.Checked = 40;
    EXPECT_EQ(ProblemLine(p), QString("text \"Lot\": text \"Lot 7\" is 1.20 in wide but its box "
                                      "is 1.00 in; paper would cut it on labels 3\u20139, 12"));
}

// A two-dimensional symbol's text line wraps into its box; what the box would still cut (lines
// deeper than the room below the symbol, a word wider than the box) is reported.
TEST_F(PreflightTest, TwoDimensionalTextLineTheBoxWouldCut) {
    auto* qr = Barcode(btQrCode, 4, 2, 184, 60, 0, false);
    qr->SetInterpret(true);
    qr->SetText("VT QR 42 LINE");
    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = 4;
    EXPECT_TRUE(Check(s).empty()) << Listed(Check(s)); // wider than the symbol, not the box

    qr->SetBox(TRect::FromBox(4, 2, 40, 40), false); // a word or two a line below the symbol
    std::vector<TFound> found = Check(s);
    ASSERT_EQ(found.size(), 1u) << Listed(found);
    EXPECT_TRUE(QRegularExpression("^text line \"VT QR 42 LINE\" needs 0\\.\\d\\d in on [34] lines "
                                   "but its box leaves 0\\.\\d\\d in below the symbol; paper "
                                   "would cut it$")
                    .match(found[0].Problem)
                    .hasMatch())
        << found[0].Problem.toStdString();

    qr->SetText("VT-QR-42-LINE");
    qr->SetBox(TRect::FromBox(4, 2, 40, 90), false); // deep enough, but one word
    found = Check(s);
    ASSERT_EQ(found.size(), 1u) << Listed(found);
    EXPECT_TRUE(found[0].Problem.startsWith("text line \"VT-QR-42-LINE\": the word "
                                            "\"VT-QR-42-LINE\" is "))
        << found[0].Problem.toStdString();
    EXPECT_TRUE(found[0].Problem.endsWith(" wide but its box is 0.42 in; paper would cut it"))
        << found[0].Problem.toStdString();
}
