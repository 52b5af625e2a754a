#include "MergeTestFiles.h"
#include "PdfProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

// Printing on a stock from the library, and listing the library, as other programs run them.

namespace {
const QByteArray kLibrary =
    "<Glabels-templates>"
    "<Template brand=\"Acme\" part=\"63\" size=\"US-Letter\" _description=\"Shipping\">"
    "<Label-rectangle id=\"0\" width=\"4in\" height=\"2in\" round=\"0.0625in\"><Layout nx=\"2\" "
    "ny=\"5\" x0=\"0.15625in\" y0=\"0.5in\" dx=\"4.1875in\" dy=\"2in\"/></Label-rectangle>"
    "</Template>"
    "<Template brand=\"Acme\" part=\"64\" equiv=\"63\"/>"
    "<Template brand=\"Acme\" part=\"CD1\" size=\"A4\" _description=\"Disc\"><Label-cd id=\"0\" "
    "radius=\"58mm\" hole=\"20mm\"><Layout nx=\"1\" ny=\"2\" x0=\"5mm\" y0=\"5mm\" dx=\"0\" "
    "dy=\"120mm\"/></Label-cd></Template>"
    "<Template brand=\"Acme\" part=\"99\" size=\"A4\"><Label-rectangle id=\"0\" width=\"x\"/>"
    "</Template>"
    "</Glabels-templates>";
const QByteArray kPapers = "<Glabels-paper-sizes><Paper-size id=\"US-Letter\" _name=\"US Letter\" "
                           "width=\"8.5in\" height=\"11in\"/></Glabels-paper-sizes>";

class StockRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(scratch.File("stocks"));
        WriteBytes(scratch.File("stocks/acme-templates.xml"), kLibrary);
        WriteBytes(scratch.File("stocks/paper-sizes.xml"), kPapers);
        QFile::copy(VT_EXAMPLES "/shipping.lbl", label);
    }
    TRun Run(const QStringList& args, const QString& folders) {
        QProcessEnvironment env = ProgramEnvironment(scratch.Path());
        env.insert("VELLUMTRACE_STOCK_FOLDERS", folders);
        return RunProgram(args, scratch.Path(), env);
    }
    TScratchFolder scratch;
    const QString label = scratch.File("shipping.lbl");
};
} // namespace

TEST_F(StockRunTest, ListsTheLibraryOrSaysThereIsNone) {
    const TRun r = Run({"--list-stocks", "acme"}, scratch.File("stocks"));
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out.toStdString(), "Acme 63\tShipping\t4 x 2 in\t2 x 5\tUS Letter\n"
                                   "Acme 64\tShipping\t4 x 2 in\t2 x 5\tUS Letter\n"
                                   "Acme CD1\tDisc\t4.567 x 4.567 in\t1 x 2\tA4\tCD\n");
    // The damaged entry is left out and said once.
    EXPECT_EQ(r.Err.count("warning: stock library:"), 1) << r.Err.toStdString();
    EXPECT_EQ(Run({"--list-stocks", "acme", "64"}, scratch.File("stocks")).Out.count('\n'), 1);

    const TRun none = Run({"--list-stocks"}, scratch.File("nothing-here"));
    EXPECT_EQ(none.Exit, 1);
    EXPECT_TRUE(none.Err.contains("No library of label stocks is installed"))
        << none.Err.toStdString();
}

TEST_F(StockRunTest, RunPrintsOnTheStockAndTheLabelKeepsItsSheet) {
    const QByteArray before = FileBytes(label);
    const QString out = scratch.File("stock.pdf");
    const TRun r =
        Run({label, "-p", "--stock", "acme 63", "-i", VT_EXAMPLES "/shipping.csv", "-o", out},
            scratch.File("stocks"));
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("printed 12 labels on 2 pages")) << r.Out.toStdString();
    EXPECT_TRUE(r.Err.contains("warning: the label is 3.9 x 2 in but the labels of Acme 63 are "
                               "4 x 2 in."))
        << r.Err.toStdString();
    // Ten labels on the first page at the stock's places: two columns 4.1875 in apart, five
    // rows 2 in apart (600 pixels to the inch).
    std::set<long> xs, ys;
    int orders = 0;
    for (const TPdfWord& w : PdfWords(out)) {
        if (w.Page != 1 || !w.Text.startsWith("ORD"))
            continue;
        ++orders;
        xs.insert(std::lround(w.X));
        ys.insert(std::lround(w.Y));
    }
    EXPECT_EQ(orders, 10);
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_NEAR(*xs.rbegin() - *xs.begin(), 4.1875 * 600, 3);
    ASSERT_EQ(ys.size(), 5u);
    EXPECT_NEAR(*ys.rbegin() - *ys.begin(), 4 * 2 * 600, 3);
    // The counters went on, but the sheet in the file is the label's own.
    const QByteArray after = FileBytes(label);
    EXPECT_TRUE(after.contains("WIDTH=3.9")) << after.left(300).toStdString();
    EXPECT_FALSE(after.contains("STOCKPART"));
    EXPECT_NE(after, before);
}

TEST_F(StockRunTest, UnknownOrUnusableStocksPrintNothing) {
    const QString out = scratch.File("none.pdf");
    TRun r = Run({label, "-p", "--stock", "Acme 6", "-o", out}, scratch.File("stocks"));
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("There is no stock \"Acme 6\" in the library; did you mean Acme "
                               "63, Acme 64"))
        << r.Err.toStdString();
    r = Run({label, "-p", "--stock", "Acme CD1", "-o", out}, scratch.File("stocks"));
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("Acme CD1 cannot be a sheet here: CD.")) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}
