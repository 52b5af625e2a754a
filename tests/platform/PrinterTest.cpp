#include "platform/Printer.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(PdfPrinter, LetterAndA4At600Dpi) {
    TPdfPrinter pdf;
    pdf.SetPaperSize(QPageSize::Letter);
    TPrinterFacts f = pdf.Facts();
    EXPECT_EQ(f.PixelsPerInchX, 600);
    EXPECT_EQ(f.PixelsPerInchY, 600);
    EXPECT_EQ(f.PhysicalWidth, 5100);
    EXPECT_EQ(f.PhysicalHeight, 6600);
    EXPECT_EQ(f.OffsetX, 0);
    EXPECT_EQ(f.OffsetY, 0);
    EXPECT_EQ(f.PrintableWidth, 5100);
    pdf.SetPaperSize(QPageSize::A4);
    f = pdf.Facts();
    EXPECT_EQ(f.PhysicalWidth, 4958);
    EXPECT_EQ(f.PhysicalHeight, 7017);
}

TEST(PdfPrinter, PaperFollowsTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(LocalePaperSize(), QPageSize::Letter);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_EQ(LocalePaperSize(), QPageSize::A4);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    EXPECT_EQ(LocalePaperSize(), QPageSize::Letter);
    QLocale::setDefault(saved);
}

TEST(Printers, PdfPrinterIsAlwaysOfferedAndSelectable) {
    EXPECT_TRUE(TPrinters::Names().contains(TPdfPrinter::DefaultName()));
    EXPECT_TRUE(TPrinters::Select(TPdfPrinter::DefaultName()));
    EXPECT_TRUE(TPrinters::Current().IsPdf());
    EXPECT_FALSE(TPrinters::Select("No Such Printer 42"));
    EXPECT_TRUE(TPrinters::Current().IsPdf()); // a failed choice changes nothing
}
