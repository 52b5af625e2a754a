// Parts of a print job as its threads write them, joined into one document: every page in
// order with its text and pictures, in a file that another PDF library reads without a
// complaint; parts that are not of the engine's kind are refused with a message.

#include "platform/PdfJoin.h"
#include "../print/PdfProbe.h"
#include "TestSupport.h"
#include "platform/Errors.h"
#include "platform/PdfPages.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <memory>

namespace {
TPrinterFacts Letter() {
    TPrinterFacts f;
    f.PhysicalWidth = f.PrintableWidth = 5100;
    f.PhysicalHeight = f.PrintableHeight = 6600;
    return f;
}

// A part of pages pages, each with a line of words naming the part and the page, and a
// one-bit picture, as a print run's thread draws them.
std::unique_ptr<TPdfPart> Part(const QString& folder, const QString& title, int part, int pages) {
    auto p = std::make_unique<TPdfPart>(Letter(), title, folder);
    QImage modules(5, 5, QImage::Format_Mono);
    modules.setColor(0, qRgb(0, 0, 0));
    modules.setColor(1, qRgb(255, 255, 255));
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            p->NewPage();
        QPainter& painter = p->Painter();
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(80);
        painter.setFont(font);
        painter.drawText(300, 300, QStringLiteral("part%1 page%2").arg(part).arg(page));
        modules.fill(page % 2);
        modules.setPixel(part % 5, page % 5, (page + 1) % 2);
        painter.drawImage(QRect(300, 600, 200, 200), modules);
    }
    p->Finish();
    return p;
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(PdfJoin, PartsJoinInOrderIntoOneSoundDocument) {
    TScratchFolder scratch;
    const QString out = scratch.File("joined.pdf");
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    TPdfJoin join(file, out);
    // A title that looks like a reference and a stream, which the join must leave alone.
    const QString title = QStringLiteral("orders (1 0 R) stream endobj");
    int expected = 0;
    for (const int pages : {2, 1, 3}) {
        const auto part = Part(scratch.Path(), title, expected, pages);
        join.Append(part->FileName());
        expected += pages;
        EXPECT_EQ(join.PageCount(), expected);
    }
    join.Finish();
    file.close();

    // qpdf reads it strictly: every object where the table says, the pages in one tree.
    QPDF pdf;
    pdf.setAttemptRecovery(false);
    ASSERT_NO_THROW(pdf.processFile(QFile::encodeName(out).constData()));
    EXPECT_EQ(QPDFPageDocumentHelper(pdf).getAllPages().size(), 6u);
    for (QPDFObjectHandle& o : pdf.getAllObjects())
        if (o.isStream())
            EXPECT_NO_THROW(o.getStreamData(qpdf_dl_generalized));
    EXPECT_FALSE(pdf.anyWarnings());

    // Poppler finds the pages in the parts' order, and the first part's title.
    const std::vector<TPdfWord> words = PdfWords(out);
    const QStringList pages[] = {{"part0", "page1"}, {"part0", "page2"}, {"part2", "page1"},
                                 {"part3", "page1"}, {"part3", "page2"}, {"part3", "page3"}};
    ASSERT_EQ(PdfPageCount(out), 6);
    for (int page = 1; page <= 6; ++page)
        EXPECT_EQ(PageWords(words, page), pages[page - 1]) << "page " << page;
    const QString info = PdfInfo(out).simplified();
    EXPECT_TRUE(info.contains("Title: " + title)) << info.toStdString();
    EXPECT_TRUE(info.contains("Page size: 612 x 792 pts (letter)")) << info.toStdString();
}

TEST(PdfJoin, APartNotOfTheEnginesKindIsRefused) {
    TScratchFolder scratch;
    const auto good = Part(scratch.Path(), "good", 1, 1);
    const QByteArray whole = Bytes(good->FileName());
    QByteArray noTable = whole;
    noTable.replace("xref", "xxxx");
    QByteArray cut = whole.left(whole.size() / 2);
    // The table sends the reader of object 1 into the middle of another.
    QByteArray misplaced = whole;
    const qsizetype table = misplaced.lastIndexOf("\nxref\n");
    const qsizetype first = misplaced.indexOf(" 65535 f", table) + 10;
    misplaced.replace(first, 10, "0000000003");
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"text", "just some words"},
        {"no table", noTable},
        {"cut short", cut},
        {"table damaged", whole.left(whole.lastIndexOf("\nxref\n") + 12) + "garbage trailer"},
        {"object misplaced", misplaced},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray output;
        QBuffer buffer(&output);
        buffer.open(QIODevice::WriteOnly);
        TPdfJoin join(buffer, "out.pdf");
        try {
            join.AppendBytes(c.bytes, "part.pdf");
            ADD_FAILURE() << "joined";
        } catch (const TUserError& e) {
            EXPECT_TRUE(e.Message().startsWith("Cannot join the part part.pdf of the print job"))
                << e.Message().toStdString();
        }
        EXPECT_EQ(join.PageCount(), 0);
    }
    QByteArray output;
    QBuffer buffer(&output);
    buffer.open(QIODevice::WriteOnly);
    TPdfJoin join(buffer, "out.pdf");
    EXPECT_THROW(join.Finish(), TUserError); // a document needs a page
    EXPECT_THROW(join.Append(scratch.File("missing.pdf")), TUserError);
}
