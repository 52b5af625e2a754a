#include "platform/PaperChoice.h"
#include "platform/Printer.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace {
TPaperChoice Parsed(const QString& text) {
    TPaperChoice paper;
    QString reason;
    EXPECT_TRUE(ParsePaper(text, paper, &reason)) << reason.toStdString();
    return paper;
}

QString Refused(const QString& text) {
    TPaperChoice paper;
    QString reason;
    EXPECT_FALSE(ParsePaper(text, paper, &reason)) << text.toStdString();
    return reason;
}

// Sets an environment variable for the length of a scope.
class TEnv {
public:
    TEnv(const char* name, const QByteArray& value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name))
            m_old = qgetenv(name);
        qputenv(name, value);
    }
    ~TEnv() {
        if (m_old)
            qputenv(m_name, *m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};
} // namespace

TEST(PaperChoice, NamesAnyLetterCaseAndSizesWithUnits) {
    const TPaperChoice letter = Parsed("letter");
    EXPECT_EQ(letter.Name, "Letter");
    EXPECT_DOUBLE_EQ(letter.Width, 8.5);
    EXPECT_DOUBLE_EQ(letter.Height, 11.0);
    EXPECT_FALSE(letter.Landscape);
    EXPECT_EQ(Parsed("A4").Name, "A4");
    EXPECT_EQ(Parsed("LEGAL").Name, "Legal");
    EXPECT_EQ(Parsed("a5").Text(), "A5");

    const TPaperChoice four = Parsed("4x6in");
    EXPECT_TRUE(four.Name.isEmpty());
    EXPECT_DOUBLE_EQ(four.Width, 4.0);
    EXPECT_DOUBLE_EQ(four.Height, 6.0);
    EXPECT_EQ(four.Text(), "4 \u00d7 6 in");
    EXPECT_EQ(Parsed("288 x 432 pt"), four);
    EXPECT_EQ(Parsed("10,16X15,24CM"), four);
    const TPaperChoice mm = Parsed("100x150mm");
    EXPECT_NEAR(mm.Width, 100 / 25.4, 1e-6);
    EXPECT_NEAR(mm.Height, 150 / 25.4, 1e-6);
    // A size that is a standard paper is that paper; wider than tall lies across.
    EXPECT_EQ(Parsed("8.5x11in"), letter);
    EXPECT_EQ(Parsed("297x210mm").Text(), "A4 landscape");
    const TPaperChoice across = Parsed("6x4in");
    EXPECT_TRUE(across.Landscape);
    EXPECT_DOUBLE_EQ(across.Width, 4.0);
    EXPECT_EQ(across.Text(), "6 \u00d7 4 in");
}

TEST(PaperChoice, TextThatIsNoPaperIsRefusedWithTheReason) {
    EXPECT_TRUE(Refused("Napkin").contains("\"Napkin\" is not a paper"));
    EXPECT_TRUE(Refused("4x6").contains("4x6in or 100x150mm")) << "a size needs its unit";
    EXPECT_TRUE(Refused("").contains("is not a paper"));
    EXPECT_TRUE(Refused("0x6in").contains("out of bounds"));
    EXPECT_TRUE(Refused("4x101in").contains("from 0.25 to 100 inches"));
}

TEST(PdfPrinter, TakesAnyChosenPaperAndFallsBackToItsOwn) {
    TPdfPrinter pdf;
    pdf.SetPaperSize(QPageSize::A4);
    EXPECT_TRUE(pdf.SetPaper(Parsed("Letter")));
    EXPECT_EQ(pdf.Facts().PhysicalWidth, 5100);
    EXPECT_EQ(pdf.Paper().Name, "Letter");
    TPaperChoice across = Parsed("letter");
    across.Landscape = true;
    EXPECT_TRUE(pdf.SetPaper(across));
    EXPECT_EQ(pdf.Facts().PhysicalWidth, 6600);
    EXPECT_EQ(pdf.Facts().PhysicalHeight, 5100);
    EXPECT_TRUE(pdf.SetPaper(Parsed("4x6in")));
    EXPECT_EQ(pdf.Facts().PhysicalWidth, 2400);
    EXPECT_EQ(pdf.Facts().PrintableHeight, 3600);
    EXPECT_TRUE(pdf.SetPaper({})); // no choice: its own paper
    EXPECT_EQ(pdf.Facts().PhysicalWidth, 4958);
    EXPECT_EQ(pdf.Paper().Name, "A4");
}

TEST(SystemPaper, PaperSizeVariableThenPaperFileThenLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTemporaryDir folder;
    const QString conf = folder.filePath("papersize");
    QFile file(conf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# the system's paper\n\n  a5   \n");
    file.close();
    {
        const TEnv size("PAPERSIZE", "a4");
        const TEnv paperConf("PAPERCONF", conf.toLocal8Bit());
        EXPECT_EQ(SystemPaperSize(), QPageSize::A4);
        EXPECT_EQ(TPdfPrinter().Facts().PhysicalWidth, 4958) << "the PDF printer's own paper";
    }
    {
        const TEnv size("PAPERSIZE", "");
        const TEnv paperConf("PAPERCONF", conf.toLocal8Bit());
        EXPECT_EQ(SystemPaperSize(), QPageSize::A5);
    }
    {
        const TEnv size("PAPERSIZE", "no-such-paper");
        const TEnv paperConf("PAPERCONF", folder.filePath("missing").toLocal8Bit());
        EXPECT_EQ(SystemPaperSize(), QPageSize::Letter) << "the locale's";
    }
    QLocale::setDefault(saved);
}
