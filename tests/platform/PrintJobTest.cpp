#include "platform/PrintJob.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Renders page 1 of a PDF at 600 dpi, in grey.
QImage Rasterise(const QString& pdf, const QString& scratch) {
    RunTool("pdftoppm", {"-r", "600", "-gray", "-png", "-f", "1", "-l", "1", "-singlefile", pdf,
                         scratch + "/page"});
    return QImage(scratch + "/page.png");
}

class TLetterPrinter : public TPdfPrinter {
public:
    TLetterPrinter() { SetPaperSize(QPageSize::Letter); }
};
} // namespace

TEST(PrintJob, PdfPagesAreLetterAt600Dpi) {
    TScratchFolder scratch;
    const QString out = scratch.File("out.pdf");
    TLetterPrinter printer;
    auto job = TPrintJob::Begin(printer, "Test job", out);
    QPainter& p = job->Painter();
    EXPECT_EQ(p.device()->width(), 5100);
    p.fillRect(QRect(600, 1200, 300, 150), Qt::black);
    job->NewPage();
    job->Painter().fillRect(QRect(0, 0, 10, 10), Qt::black);
    job->End();
    EXPECT_EQ(job->PageCount(), 2);
    const QString info = RunTool("pdfinfo", {out});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792 pts")) << info.toStdString();
    EXPECT_TRUE(info.contains("Test job"));
    const QImage page = Rasterise(out, scratch.Path());
    ASSERT_EQ(page.size(), QSize(5100, 6600));
    // The rectangle covers exactly its device pixels.
    EXPECT_LT(qGray(page.pixel(600, 1200)), 64);
    EXPECT_LT(qGray(page.pixel(899, 1349)), 64);
    EXPECT_GT(qGray(page.pixel(900, 1300)), 192);
    EXPECT_GT(qGray(page.pixel(599, 1300)), 192);
    EXPECT_GT(qGray(page.pixel(700, 1350)), 192);
}

TEST(PrintJob, AbortLeavesTheOutputAsItWas) {
    TScratchFolder scratch;
    const QString out = scratch.File("keep.pdf");
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("previous contents");
    }
    TLetterPrinter printer;
    auto job = TPrintJob::Begin(printer, "Cancelled", out);
    job->Painter().fillRect(QRect(0, 0, 100, 100), Qt::black);
    job->Abort();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("previous contents"));
    EXPECT_EQ(QDir(scratch.Path()).entryList(QDir::Files), QStringList{"keep.pdf"});
}

TEST(PrintJob, DestroyedWithoutEndIsAnAbort) {
    TScratchFolder scratch;
    const QString out = scratch.File("never.pdf");
    {
        TLetterPrinter printer;
        auto job = TPrintJob::Begin(printer, "Dropped", out);
        job->Painter().fillRect(QRect(0, 0, 100, 100), Qt::black);
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST(PrintJob, UnwritableOutputIsAClearError) {
    TLetterPrinter printer;
    try {
        TPrintJob::Begin(printer, "x", "/nonexistent-folder/out.pdf");
        FAIL() << "expected an error";
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().contains("/nonexistent-folder/out.pdf"));
    }
    EXPECT_THROW(TPrintJob::Begin(printer, "x", QString()), TUserError);
}

TEST(PrintJob, FinishWritesEverythingAndDeliverMovesItIntoPlace) {
    TScratchFolder scratch;
    const QString out = scratch.File("out.pdf");
    TLetterPrinter printer;
    auto job = TPrintJob::Begin(printer, "Two steps", out);
    job->Painter().fillRect(QRect(0, 0, 100, 100), Qt::black);
    job->Finish();
    EXPECT_FALSE(QFile::exists(out)); // finished, not yet delivered
    job->Deliver();
    EXPECT_TRUE(RunTool("pdfinfo", {out}).contains("Two steps"));
    EXPECT_TRUE(job->JobId().isEmpty()); // a file is no job of a queue

    // Finished but never delivered: dropped with the job, leaving nothing behind.
    const QString never = scratch.File("never.pdf");
    TPrintJob::Begin(printer, "Dropped", never)->Finish();
    EXPECT_EQ(QDir(scratch.Path()).entryList(QDir::Files), QStringList{"out.pdf"});
}

TEST(PrintJob, JobNameFromTheQueuesAnswer) {
    EXPECT_EQ(JobIdFromLpOutput("request id is VT_Test_Printer-2 (1 file(s))\n"),
              QString("VT_Test_Printer-2"));
    EXPECT_EQ(JobIdFromLpOutput("request id is Office-117 (0 file(s))"), QString("Office-117"));
    EXPECT_EQ(JobIdFromLpOutput(""), QString());
    EXPECT_EQ(JobIdFromLpOutput("lp: something else\n"), QString());
}
