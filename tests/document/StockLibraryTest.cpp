#include "document/StockLibrary.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// The stock library: a small one written here, and the installed one when there is one.

namespace {
void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class StockLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Write(scratch.File("paper-sizes.xml"),
              "<Glabels-paper-sizes><Paper-size id=\"A4\" _name=\"A4\" width=\"210mm\" "
              "height=\"297mm\"/><Paper-size id=\"US-Letter\" _name=\"US Letter\" width=\"8.5in\" "
              "height=\"11in\"/></Glabels-paper-sizes>");
        Write(scratch.File("acme-templates.xml"),
              "<Glabels-templates>"
              "<Template brand=\"Acme\" part=\"100\" size=\"US-Letter\" _description=\"Address\">"
              "<Meta category=\"mail\"/><Label-rectangle id=\"0\" width=\"189pt\" height=\"1in\" "
              "round=\"0.0625in\"><Markup-margin size=\"5\"/><Layout nx=\"3\" ny=\"10\" "
              "x0=\"0.15625in\" y0=\"0.5in\" dx=\"2.78125in\" dy=\"1in\"/></Label-rectangle>"
              "</Template>"
              "<Template brand=\"Acme\" part=\"101\" equiv=\"100\"/>"
              "<Template brand=\"Acme\" part=\"200\" size=\"A4\" _description=\"Round\">"
              "<Label-round id=\"0\" radius=\"2cm\"><Layout nx=\"4\" ny=\"6\" x0=\"1pc\" "
              "y0=\"10mm\" dx=\"45mm\" dy=\"45mm\"/></Label-round></Template>"
              "<Template brand=\"Acme\" part=\"300\" size=\"A4\" _description=\"Staggered\">"
              "<Label-rectangle id=\"0\" width=\"30mm\" height=\"20mm\"><Layout nx=\"2\" "
              "ny=\"5\" x0=\"5mm\" y0=\"5mm\" dx=\"60mm\" dy=\"40mm\"/><Layout nx=\"2\" ny=\"5\" "
              "x0=\"35mm\" y0=\"25mm\" dx=\"60mm\" dy=\"40mm\"/></Label-rectangle></Template>"
              "<Template brand=\"Acme\" part=\"400\" size=\"A4\"><Label-rectangle id=\"0\" "
              "width=\"wide\" height=\"20mm\"/></Template>"
              "<Template brand=\"Acme\" part=\"500\" size=\"Other\" width=\"62mm\" "
              "height=\"100mm\" _description=\"Roll 62mm\"><Label-rectangle id=\"0\" "
              "width=\"62mm\" height=\"100mm\"><Layout nx=\"1\" ny=\"1\" x0=\"0\" y0=\"0\" "
              "dx=\"0\" dy=\"0\"/></Label-rectangle></Template>"
              "</Glabels-templates>");
        Write(scratch.File("broken-templates.xml"), "<Glabels-templates><Template brand=");
        library = TStockLibrary::Load({scratch.Path()}, &problems);
    }
    TScratchFolder scratch;
    TStockLibrary library;
    QStringList problems;
};
} // namespace

TEST_F(StockLibraryTest, ReadsEveryUnitSameAsRoundAndStaggeredStocks) {
    const TStock* address = library.Find("acme 100");
    ASSERT_TRUE(address);
    EXPECT_DOUBLE_EQ(address->Width, 2.625);
    EXPECT_DOUBLE_EQ(address->Height, 1);
    EXPECT_EQ(address->PaperName, "US Letter");
    EXPECT_EQ(address->Summary(),
              "Acme 100 \u2014 Address \u2014 2.625 \u00d7 1 in, 3 \u00d7 10, US Letter");
    const TStock* same = library.Find("Acme101");
    ASSERT_TRUE(same);
    EXPECT_DOUBLE_EQ(same->Width, 2.625);
    EXPECT_EQ(same->Layouts.size(), 1);

    const TStock* round = library.Find("Acme 200");
    ASSERT_TRUE(round);
    EXPECT_EQ(round->Shape, TStockShape::Round);
    EXPECT_NEAR(round->Width, 4 / 2.54, 1e-9);
    EXPECT_NEAR(round->Layouts[0].X0, 12.0 / 72, 1e-9);
    EXPECT_NEAR(round->Layouts[0].Y0, 10 / 25.4, 1e-9);
    EXPECT_EQ(library.Find("Acme 300")->NotApplicable(), "staggered");
    EXPECT_TRUE(round->NotApplicable().isEmpty());

    // A damaged entry is skipped and said; so is a damaged file; the rest is read.
    EXPECT_FALSE(library.Find("Acme 400"));
    QStringList read;
    for (const TStock& s : library.Stocks())
        read << s.Name();
    EXPECT_EQ(read, (QStringList{"Acme 100", "Acme 101", "Acme 200", "Acme 300", "Acme 500"}))
        << read.join(", ").toStdString();
    EXPECT_EQ(problems.size(), 2) << problems.join("\n").toStdString();
    EXPECT_TRUE(problems.join("\n").contains("its width is no length"));
}

TEST_F(StockLibraryTest, StocksBecomeSheets) {
    TSheetSettings sheet;
    ASSERT_TRUE(ApplyStock(*library.Find("Acme 100"), sheet));
    EXPECT_DOUBLE_EQ(sheet.LabelWidth, 2.625);
    EXPECT_DOUBLE_EQ(sheet.LeftMargin, 0.15625);
    EXPECT_DOUBLE_EQ(sheet.TopMargin, 0.5);
    EXPECT_DOUBLE_EQ(sheet.GapWidth, 0.15625);
    EXPECT_DOUBLE_EQ(sheet.GapHeight, 0);
    EXPECT_EQ(sheet.Columns, 3);
    EXPECT_EQ(sheet.Rows, 10);
    EXPECT_TRUE(sheet.ForcedCount);
    EXPECT_EQ(sheet.Paper.Name, "Letter");
    EXPECT_EQ(sheet.BorderShape, 1);
    EXPECT_DOUBLE_EQ(sheet.BorderPct, 6.25);
    EXPECT_EQ(sheet.StockMaker, "Acme");
    EXPECT_EQ(sheet.StockPart, "100");

    TSheetSettings metric;
    metric.Metric = true;
    ASSERT_TRUE(ApplyStock(*library.Find("Acme 500"), metric));
    EXPECT_NEAR(metric.LabelWidth, 6.2, 1e-9);
    EXPECT_NEAR(metric.Paper.Width, 62 / 25.4, 1e-6);
    EXPECT_NEAR(metric.Paper.Height, 100 / 25.4, 1e-6);

    TSheetSettings before, staggered;
    QString why;
    EXPECT_FALSE(ApplyStock(*library.Find("Acme 300"), staggered, &why));
    EXPECT_EQ(staggered, before);
    EXPECT_EQ(why, "Acme 300 cannot be a sheet here: staggered");
}

TEST_F(StockLibraryTest, SearchAndClosestNames) {
    const auto names = [](const std::vector<const TStock*>& found) {
        QStringList out;
        for (const TStock* s : found)
            out << s->Name();
        return out;
    };
    EXPECT_EQ(names(library.Search("acme round")), QStringList{"Acme 200"});
    EXPECT_EQ(names(library.Search("62 mm")), QStringList{"Acme 500"});
    EXPECT_EQ(names(library.Search("mail")), (QStringList{"Acme 100", "Acme 101"}));
    EXPECT_EQ(library.ClosestNames("Acme 10", 2), (QStringList{"Acme 100", "Acme 101"}));
}

TEST(InstalledStockLibrary, KnownStocksGiveTheirSheets) {
    const TStockLibrary& library = TStockLibrary::Installed();
    if (library.Empty())
        GTEST_SKIP() << "no stock library is installed (glabels-data)";
    TSheetSettings sheet;
    ASSERT_TRUE(library.Find("Avery 5160"));
    ASSERT_TRUE(ApplyStock(*library.Find("Avery 5160"), sheet));
    EXPECT_DOUBLE_EQ(sheet.LabelWidth, 2.625);
    EXPECT_DOUBLE_EQ(sheet.LabelHeight, 1);
    EXPECT_EQ(sheet.Columns, 3);
    EXPECT_EQ(sheet.Rows, 10);
    EXPECT_EQ(sheet.Paper.Name, "Letter");
    EXPECT_DOUBLE_EQ(sheet.TopMargin, 0.5);
    EXPECT_DOUBLE_EQ(sheet.LeftMargin, 0.15625);

    TSheetSettings iso;
    iso.Metric = true;
    ASSERT_TRUE(library.Find("Avery L7160"));
    ASSERT_TRUE(ApplyStock(*library.Find("Avery L7160"), iso));
    // The library gives 181.4 pt (64.0 mm) where the maker's sheet says 63.5 mm: read as given.
    EXPECT_NEAR(iso.LabelWidth, 181.4 / 72 * 2.54, 1e-9);
    EXPECT_NEAR(iso.LabelHeight, 3.81, 0.01);
    EXPECT_EQ(iso.Columns, 3);
    EXPECT_EQ(iso.Rows, 7);
    EXPECT_EQ(iso.Paper.Name, "A4");
    EXPECT_FALSE(library.Search("62 mm").empty());
}
