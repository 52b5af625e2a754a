// Unattended runs that write pictures of pages and labels instead of a PDF.
#include "PdfProbe.h"
#include "PictureProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {
const QString Label = QStringLiteral(VT_EXAMPLES "/shipping.lbl");
const QString Data = QStringLiteral(VT_EXAMPLES "/shipping.csv");
// The orders of the sample data, one a label, ten labels a page.
std::string Orders(int first, int last) {
    QStringList orders;
    for (int n = first; n <= last; ++n)
        orders << QStringLiteral("ORD%1").arg(1000 + n, 7, 10, QLatin1Char('0'));
    return orders.join(' ').toStdString();
}

class PictureRunTest : public ::testing::Test {
protected:
    // The sample run of the data into output, with more switches.
    TRun Sample(const QString& output, const QStringList& more = {}) {
        return Vellumtrace(QStringList{Label, "-p", "-i", Data, "-o", output, "--no-save"} + more,
                           Scratch.Path());
    }
    QString File(const QString& name) const { return Scratch.File(name); }
    // Every file and folder in the run's folder, hidden ones too, but the program's own
    // settings and runtime folders.
    QStringList Entries() const {
        QStringList entries =
            QDir(Scratch.Path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        entries.removeIf(
            [](const QString& e) { return e == "config" || e.startsWith("runtime-"); });
        return entries;
    }
    static std::string Texts(const std::vector<TFoundSymbol>& symbols) {
        QStringList texts;
        for (const TFoundSymbol& s : symbols)
            texts << s.Text;
        return texts.join(' ').toStdString();
    }

    TScratchFolder Scratch;
};

TEST_F(PictureRunTest, PngPagesShowWhatThePdfPagesShow) {
    ASSERT_EQ(Sample("run.pdf").Exit, 0);
    const TRun run = Sample("run.png");
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();

    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        const QImage ours =
            GreyPicture(File(QStringLiteral("run-%1.png").arg(page, 3, 10, QChar('0'))));
        const QImage pdf = Grey(RasterisePage(File("run.pdf"), page, 300, Scratch.Path()));
        ASSERT_FALSE(ours.isNull());
        ASSERT_FALSE(pdf.isNull());
        // The same paper at the same resolution (poppler rounds the page up to whole pixels).
        EXPECT_LE(std::abs(ours.width() - pdf.width()), 1);
        EXPECT_LE(std::abs(ours.height() - pdf.height()), 1);

        // Every label's bars read as the order of its record, in the same places.
        const std::vector<TFoundSymbol> symbols = FindSymbols(ours);
        const std::vector<TFoundSymbol> printed = FindSymbols(pdf);
        EXPECT_EQ(Texts(symbols), page == 1 ? Orders(1, 10) : Orders(11, 12));
        ASSERT_EQ(Texts(symbols), Texts(printed));
        for (size_t i = 0; i < symbols.size(); ++i) {
            const QRect found = symbols[i].Box.united(printed[i].Box);
            // The whole symbol lies where paper has it, and its bars are the very same pixels.
            const QRect around = found.adjusted(-30, -30, 30, 30);
            EXPECT_EQ(DarkBox(ours, around), DarkBox(pdf, around)) << i;
            const QRect bars(found.left() - 30, found.center().y() - 10, found.width() + 60, 20);
            EXPECT_GT(DarkPixels(ours, bars), 0) << i;
            EXPECT_EQ(DifferingPixels(ours, pdf, bars), 0) << i;
        }
        // Texts differ only where the two rasterisers place their edges a few pixels apart.
        const int dark = DarkPixels(pdf, pdf.rect());
        EXPECT_GT(dark, 50000);
        EXPECT_LT(UnmatchedDarkPixels(ours, pdf, 6), dark / 1000);
        EXPECT_LT(UnmatchedDarkPixels(pdf, ours, 6), dark / 1000);
    }
}

// What an SVG page holds: its texts, and the rectangles' corners and sizes.
struct TSvgPage {
    QStringList Texts;
    int Rects = 0;
    int RectsOffPixels = 0; // rectangles not on whole pixels
};
TSvgPage ReadSvg(const QString& file) {
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    QXmlStreamReader xml(&f);
    TSvgPage page;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("text")) {
            page.Texts << xml.readElementText();
        } else if (xml.name() == QLatin1String("rect")) {
            ++page.Rects;
            for (const char* a : {"x", "y", "width", "height"}) {
                bool whole = false;
                xml.attributes().value(QLatin1String(a)).toInt(&whole);
                page.RectsOffPixels += !whole;
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return page;
}

TEST_F(PictureRunTest, SvgPagesHoldTextsAsTextsAndBarsAsRectanglesAndLookLikeThePng) {
    ASSERT_EQ(Sample("run.png").Exit, 0);
    const TRun run = Sample("run.svg");
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains("run-001.svg to run-002.svg")) << run.Out.toStdString();

    const TSvgPage page = ReadSvg(File("run-001.svg"));
    for (const char* text : {"SHIP TO:", "Ada Okafor", "742 Birch St", "Jonas Nguyen", "1.2 kg"})
        EXPECT_TRUE(page.Texts.contains(text))
            << text << " in " << page.Texts.join('|').toStdString();
    // Ten symbols of some thirty bars each, all on whole pixels.
    EXPECT_GT(page.Rects, 10 * 25);
    EXPECT_EQ(page.RectsOffPixels, 0);

    QSvgRenderer svg(File("run-001.svg"));
    ASSERT_TRUE(svg.isValid());
    const QImage png = GreyPicture(File("run-001.png"));
    ASSERT_EQ(svg.viewBox().size(), png.size());
    QImage drawn(png.size(), QImage::Format_RGB32);
    drawn.fill(Qt::black); // the page brings its own white ground
    {
        QPainter painter(&drawn);
        svg.render(&painter);
    }
    const QImage rendered = Grey(drawn);
    const std::vector<TFoundSymbol> symbols = FindSymbols(rendered);
    EXPECT_EQ(Texts(symbols), Orders(1, 10));
    const int dark = DarkPixels(png, png.rect());
    EXPECT_LT(UnmatchedDarkPixels(rendered, png, 6), dark / 1000);
    EXPECT_LT(UnmatchedDarkPixels(png, rendered, 6), dark / 1000);
}

TEST_F(PictureRunTest, PicturesAreNamedByPageOrLabelAndReplaceOlderOnes) {
    // One page: the name as given.
    TRun run = Vellumtrace({Label, "-p", "-o", "one.png", "--no-save"}, Scratch.Path());
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(Entries(), QStringList{"one.png"});
    EXPECT_TRUE(run.Out.contains("printed 10 labels on 1 pages into one.png"))
        << run.Out.toStdString();
    QFile::remove(File("one.png"));

    // Pages: numbered, replacing a file of the same name.
    QFile old(File("run-001.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older picture");
    old.close();
    run = Sample("run.png");
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_EQ(Entries(), (QStringList{"run-001.png", "run-002.png"}));
    EXPECT_FALSE(GreyPicture(File("run-001.png")).isNull());
    EXPECT_TRUE(run.Out.contains("printed 12 labels on 2 pages into 2 pictures run-001.png to "
                                 "run-002.png"))
        << run.Out.toStdString();

    // Labels: one picture each, at the label's own size (3.9 by 2 inches).
    ASSERT_EQ(Sample("label.png", {"--one-label"}).Exit, 0);
    ASSERT_EQ(Sample("small.png", {"--one-label", "--dpi", "150"}).Exit, 0);
    for (int n = 1; n <= 12; ++n) {
        const QString number = QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        const QImage label = GreyPicture(File("label-" + number + ".png"));
        EXPECT_EQ(label.size(), QSize(1170, 600)) << n;
        EXPECT_EQ(GreyPicture(File("small-" + number + ".png")).size(), QSize(585, 300)) << n;
        const std::vector<TFoundSymbol> symbols = FindSymbols(label);
        EXPECT_EQ(Texts(symbols), Orders(n, n));
    }
    EXPECT_EQ(Entries().size(), 2 + 2 * 12) << Entries().join(' ').toStdString();
}

TEST_F(PictureRunTest, ResolutionsOutsideTheRangeAndPictureSwitchesWithoutPicturesAreRefused) {
    for (const char* dpi : {"71", "1201", "abc", "2.5", ""}) {
        const TRun run = Sample("run.png", {"--dpi", dpi});
        EXPECT_EQ(run.Exit, 1) << dpi;
        EXPECT_TRUE(run.Err.contains("--dpi needs a whole number from 72 to 1200"))
            << run.Err.toStdString();
    }
    for (const QStringList& more : {QStringList{"--dpi", "300"}, QStringList{"--one-label"}}) {
        const TRun run = Sample("run.pdf", more);
        EXPECT_EQ(run.Exit, 1);
        EXPECT_TRUE(run.Err.contains("go with pictures")) << run.Err.toStdString();
    }
    EXPECT_EQ(Entries(), QStringList());
    // The ends of the range are resolutions.
    EXPECT_EQ(Sample("low.png", {"--dpi", "72", "-r", "1", "PAGES"}).Exit, 0);
    EXPECT_EQ(Sample("high.png", {"--dpi", "1200", "--one-label", "-r", "1", "LABELS"}).Exit, 0);
    EXPECT_EQ(GreyPicture(File("high.png")).size(), QSize(4680, 2400));
}

TEST_F(PictureRunTest, ARunThatCannotDeliverEveryPictureLeavesNone) {
    // A folder stands where the second page would go.
    ASSERT_TRUE(QDir(Scratch.Path()).mkdir("run-002.png"));
    const TRun run = Sample("run.png");
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.contains("run-002.png could not be put in place")) << run.Err.toStdString();
    EXPECT_EQ(Entries(), QStringList{"run-002.png"});

    const TRun nowhere = Sample("no-such-folder/run.png");
    EXPECT_EQ(nowhere.Exit, 1);
    EXPECT_TRUE(nowhere.Err.contains("cannot be written into the folder"))
        << nowhere.Err.toStdString();
    EXPECT_EQ(Entries(), QStringList{"run-002.png"});
}

TEST_F(PictureRunTest, CountersAreSavedBackAsByAPdfRun) {
    const QByteArray original = FileBytes(Label);
    for (const char* name : {"pdf.lbl", "png.lbl"}) {
        QFile f(File(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(original);
    }
    ASSERT_EQ(
        Vellumtrace({File("pdf.lbl"), "-p", "-i", Data, "-o", "run.pdf"}, Scratch.Path()).Exit, 0);
    ASSERT_EQ(
        Vellumtrace({File("png.lbl"), "-p", "-i", Data, "-o", "run.png"}, Scratch.Path()).Exit, 0);
    EXPECT_NE(FileBytes(File("png.lbl")), original) << "the counters went on";
    // The counters are those of the PDF run; the PDF run alone used up part of a sheet.
    const auto withoutSheetUse = [](QByteArray bytes) {
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeIf([](const QByteArray& line) {
            return line.startsWith("NEXTLABEL=") || line.startsWith("NEXTSHEET=");
        });
        return lines.join('\n');
    };
    EXPECT_TRUE(FileBytes(File("pdf.lbl")).contains("NEXTLABEL="));
    EXPECT_FALSE(FileBytes(File("png.lbl")).contains("NEXTLABEL="));
    EXPECT_EQ(withoutSheetUse(FileBytes(File("png.lbl"))),
              withoutSheetUse(FileBytes(File("pdf.lbl"))));
}
} // namespace
