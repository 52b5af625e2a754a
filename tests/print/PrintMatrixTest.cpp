// Two-dimensional symbols on paper: every type in every rotation on a 600 dpi PDF page read
// back by zxing-cpp, refused data leaving its box blank, and a 1,000-record merged run whose
// every label decodes to its record and counter.

#include "../barcode/MatrixSupport.h"
#include "PdfProbe.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "document/Sheet.h"
#include "print/PrintU.h"

#include <gtest/gtest.h>

#include <QFile>

#include <set>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

int DarkPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}
} // namespace

class PrintMatrixTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = TSheetSettings();
        sheet.ForcedCount = true;
        out = scratch.File("matrix.pdf");
    }
    TBarcodeLabel* Place(TBarcodeType type, const QString& text, int left, int top, int size,
                         int rotation, bool interpret) {
        return PlaceBox(type, text, left, top, size, size, rotation, interpret);
    }
    TBarcodeLabel* PlaceBox(TBarcodeType type, const QString& text, int left, int top, int width,
                            int height, int rotation, bool interpret) {
        auto c = std::make_unique<TBarcodeLabel>();
        c->SetBarcodeType(type);
        c->SetAutoSizing(false);
        c->SetRotation(uint8_t(rotation)); // turning swaps the box's sides
        c->SetBox(TRect::FromBox(left, top, width, height), false);
        c->SetInterpret(interpret);
        c->SetText(text);
        TBarcodeLabel* raw = c.get();
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    // The page pixels of a screen box on the first label (at 150, 150; 6.25 page pixels each).
    static QRect PageBox(int left, int top, int w, int h) {
        return QRect(150 + qRound(left * 6.25), 150 + qRound(top * 6.25), qRound(w * 6.25),
                     qRound(h * 6.25));
    }
    TScratchFolder scratch;
    TSheetSettings sheet; // the sheet the runs print on
    TLabelDocument label;
    TLetterPdf printer;
    QString out;
};

TEST_F(PrintMatrixTest, EveryTypeInEveryRotationScansOnThePage) {
    struct TCase {
        TBarcodeType type;
        const char* data;
        const char* expected;
    };
    const TCase cases[] = {
        {btQrCode, "https://example.com/p?id=42", "https://example.com/p?id=42"},
        {btDataMatrix, "Lot 42 / Serial A-0007", "Lot 42 / Serial A-0007"},
        {btGs1DataMatrix, "[01]09501101530003[17]250101[10]AB12", "01095011015300031725010110AB12"},
        {btPdf417, "PDF417 on paper", "PDF417 on paper"},
        {btAztec, "Aztec on paper", "Aztec on paper"},
    };
    label.SetLabelSize(768, 960); // 8 x 10 inches: one cell of 150 pixels per case and rotation
    sheet.LabelWidth = 8;
    sheet.LabelHeight = 10;
    sheet.Rows = 1;
    sheet.Columns = 1;
    for (int t = 0; t < 5; ++t)
        for (int r = 0; r < 4; ++r)
            Place(cases[t].type, QString::fromUtf8(cases[t].data), 20 + 180 * r, 20 + 185 * t, 150,
                  r, r % 2 == 0);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);
    const QImage page = RasterisePage(out, 1, 600, scratch.Path());
    ASSERT_FALSE(page.isNull());
    for (int t = 0; t < 5; ++t)
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(DecodedText(page.copy(PageBox(10 + 180 * r, 10 + 185 * t, 170, 170)),
                                  cases[t].type),
                      cases[t].expected)
                << "type " << int(cases[t].type) << " rotation " << r;
}

TEST_F(PrintMatrixTest, RefusedDataDrawsNothingOnPaper) {
    label.SetLabelSize(480, 96);
    sheet.LabelWidth = 5;
    sheet.Rows = 1;
    sheet.Columns = 1;
    Place(btGs1DataMatrix, "[01]09501101530004", 10, 10, 70, 0, true); // check digit
    Place(btGs1DataMatrix, "[01]0950110153000X", 90, 10, 70, 0, true); // syntax
    Place(btQrCode, QString(3000, QChar(0xE9)), 170, 10, 70, 0, true); // too long
    TBarcodeLabel* good = Place(btQrCode, "fine", 250, 10, 70, 0, false);
    for (TLabelControl* c :
         {label.Controls()[0].get(), label.Controls()[1].get(), label.Controls()[2].get()}) {
        c->Draw();
        EXPECT_FALSE(static_cast<TBarcodeLabel*>(c)->MatrixRefusal().isEmpty());
    }
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);
    const QImage page = RasterisePage(out, 1, 600, scratch.Path());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(DarkPixels(page.copy(PageBox(5 + 80 * i, 5, 80, 80))), 0) << i;
    EXPECT_EQ(DecodedText(page.copy(PageBox(245, 5, 80, 80)), good->BarcodeType()), "fine");
}

TEST_F(PrintMatrixTest, TextLineIsPrintedWholeAndWrapsInANarrowBox) {
    label.SetLabelSize(480, 192); // 5 x 2 inches
    sheet.LabelWidth = 5;
    sheet.LabelHeight = 2;
    sheet.Rows = 1;
    sheet.Columns = 1;
    // Three inches wide and three quarters high: the text is wider than the symbol. Two thirds
    // of an inch wide: the words go on lines of their own. Turned, the text runs down its box.
    PlaceBox(btQrCode, "VT QR 42 LINE", 10, 10, 288, 72, 0, true);
    PlaceBox(btDataMatrix, "VT DM 7 WRAPPED ONTO LINES", 310, 10, 64, 170, 0, true);
    PlaceBox(btAztec, "VT AZ 9 DOWN", 390, 10, 80, 170, 1, true);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);

    const std::vector<TPdfWord> words = PdfWords(out);
    const QStringList page = PageWords(words, 1);
    for (const char* word : {"VT", "QR", "42", "LINE", "DM", "7", "WRAPPED", "ONTO", "LINES"})
        EXPECT_TRUE(page.contains(QString::fromLatin1(word)))
            << word << " in " << page.join(' ').toStdString();
    for (const QString& w : page)
        EXPECT_FALSE(w.contains(QChar(0x2026))) << w.toStdString();
    // the narrow box's words stand on lines below one another
    std::set<int> rows;
    for (const TPdfWord& w : words)
        if (w.Text == "WRAPPED" || w.Text == "ONTO" || w.Text == "LINES" || w.Text == "DM")
            rows.insert(int(w.Y / 20));
    EXPECT_GE(rows.size(), 3u);

    const QImage image = RasterisePage(out, 1, 600, scratch.Path());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(DecodedText(image.copy(PageBox(5, 5, 298, 82)), btQrCode), "VT QR 42 LINE");
    // a scanner aimed at the symbol, its first text line in view
    EXPECT_EQ(DecodedText(image.copy(PageBox(305, 5, 74, 100)), btDataMatrix),
              "VT DM 7 WRAPPED ONTO LINES");
    EXPECT_EQ(DecodedText(image.copy(PageBox(385, 5, 90, 120)), btAztec), "VT AZ 9 DOWN");
}

TEST_F(PrintMatrixTest, AThousandMergedRecordsAllDecode) {
    label.SetLabelSize(192, 96);
    sheet.Rows = 10;
    sheet.Columns = 4;
    TBarcodeLabel* c = Place(btQrCode, QString(), 10, 8, 80, 0, false);
    c->Fields.push_back(std::make_unique<TImportedField>());
    c->Fields.push_back(std::make_unique<TTextField>("/"));
    auto seq = std::make_unique<TSequenceField>();
    seq->CurrentValue = 1;
    seq->MinValue = 1;
    c->Fields.push_back(std::move(seq));
    c->SetAdvanced(true);

    const QString data = scratch.File("records.csv");
    {
        QFile f(data);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("order\r\n");
        for (int i = 1; i <= 1000; ++i)
            f.write(QStringLiteral("ORD%1\r\n").arg(i, 7, 10, QLatin1Char('0')).toLatin1());
    }
    TPrintSettings s;
    FormatFromExtension(s.Import, data, {});
    s.DataFile = data;
    const TPrintResult result =
        PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);
    ASSERT_EQ(result.Labels, 1000);
    ASSERT_EQ(result.Pages, 25);
    // 150 dpi is a quarter of the page's resolution: labels are 300 x 150 pixels from (37, 37)
    int decoded = 0;
    for (int p = 1; p <= 25; ++p) {
        const QImage page = RasterisePage(out, p, 150, scratch.Path());
        ASSERT_FALSE(page.isNull());
        for (int k = 0; k < 40; ++k) {
            const int i = (p - 1) * 40 + k + 1;
            const QRect cell(37 + (k % 4) * 300, 37 + (k / 4) * 150, 150, 150);
            const std::string want =
                QStringLiteral("ORD%1/%2").arg(i, 7, 10, QLatin1Char('0')).arg(i).toStdString();
            const std::string got = DecodedText(page.copy(cell), btQrCode);
            decoded += got == want;
            EXPECT_EQ(got, want) << "label " << i;
        }
    }
    EXPECT_EQ(decoded, 1000);
}
