// Two-dimensional symbols on a PDF page as one 1-bit picture each. Ghostscript rasterises the
// picture to the very pixels of the same symbols drawn as rectangles, in every rotation and
// module size, opaque or transparent. Where the picture stays sharp poppler gives those exact
// pixels too; its own rectangles differ from them only by the slivers its anti-aliasing greys
// past their far edges. A printed label carries one picture per symbol and scans.

#include "../barcode/MatrixSupport.h"
#include "PdfProbe.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "barcode/MatrixPainter.h"
#include "barcode/MatrixPicture.h"
#include "document/Sheet.h"
#include "print/PrintU.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>

namespace {
const TSymbolCase kSymbols[] = {
    {btQrCode, "https://example.com/p?id=42"},
    {btDataMatrix, "Lot 42 / Serial A-0007"},
    {btAztec, "Aztec on paper"},
    {btPdf417, "PDF417 on paper"},
};
constexpr int Dpi = 600;
constexpr int Cell = 750; // page pixels for each symbol and rotation
constexpr int Rotations = 4;
constexpr int Rows = int(std::size(kSymbols));
constexpr int32_t kModules[] = {1, 3, 4, 5}; // device pixels per module, taken in turn
const QPoint PrinterOffset(13, 7);           // as a printer's margins shift the whole page

struct TPlaced {
    TModuleMatrix matrix;
    TMatrixGeometry geometry; // on the page
    QRect cell;
};

// Every symbol in every rotation at odd positions; a transparent page lays a grey ground and a
// black stripe under each symbol.
std::vector<TPlaced> WriteSymbolPage(const QString& file, TModulePaint modules, bool transparent) {
    QPdfWriter writer(file);
    writer.setResolution(Dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(5.5, 5.5), QPageSize::Inch),
                                     QPageLayout::Portrait, QMarginsF()));
    QPainter p(&writer);
    p.translate(PrinterOffset);
    std::vector<TPlaced> placed;
    for (int t = 0; t < Rows; ++t)
        for (int r = 0; r < Rotations; ++r) {
            const TMatrixEncoding e =
                EncodeMatrix(kSymbols[t].type, QString::fromUtf8(kSymbols[t].data), {});
            const QPoint at(r * Cell + 31 + 3 * t + r, t * Cell + 17 + 5 * r + t);
            const int32_t m = kModules[(t + r) % 4];
            const TMatrixGeometry g = MatrixGeometry(e.matrix, at.x(), at.y(), m, 0, r);
            if (transparent) {
                p.fillRect(g.box, QColor(128, 128, 128));
                p.fillRect(QRect(g.box.x(), g.box.center().y() - 20, g.box.width(), 40), Qt::black);
            }
            DrawMatrixBarcode(p, e.matrix, g, TMatrixText(), QFont(), transparent, modules);
            placed.push_back(
                {e.matrix,
                 MatrixGeometry(e.matrix, at.x() + PrinterOffset.x(), at.y() + PrinterOffset.y(), m,
                                0, r),
                 QRect(PrinterOffset + QPoint(r * Cell, t * Cell), QSize(Cell, Cell))});
        }
    return placed;
}

bool HasProgram(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

// Black, white, or the ground laid under transparent symbols: what a pixel wholly inside or
// outside a module shows.
bool IsSolid(int grey) {
    return grey == 0 || grey == 128 || grey == 255;
}

// How two renderings of a cell differ.
struct TDifference {
    int pixels = 0;
    int unlikeSolid = 0; // differing where both are solid
    int greyPicture = 0; // differing where the picture is not
    QPoint first;
};

TDifference Compare(const QImage& picture, const QImage& rects, const QRect& cell) {
    TDifference d;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const int p = qGray(picture.pixel(x, y)), r = qGray(rects.pixel(x, y));
            if (p == r)
                continue;
            if (d.pixels++ == 0)
                d.first = QPoint(x, y);
            d.unlikeSolid += IsSolid(p) && IsSolid(r);
            d.greyPicture += !IsSolid(p);
        }
    return d;
}

// The modules whose centre pixel is not as dark as the module, on an opaque symbol.
int MisreadModules(const QImage& page, const TPlaced& s) {
    int wrong = 0;
    const int32_t m = s.geometry.m, q = s.matrix.quietModules * m;
    const int32_t depth = s.matrix.rowModules * m;
    for (int32_t r = 0; r < s.matrix.rows; ++r)
        for (int32_t c = 0; c < s.matrix.columns; ++c) {
            const QRect module = MapBoxRect(s.geometry, q + c * m, q + r * depth, m, depth);
            const bool dark = qGray(page.pixel(module.center())) < 128;
            wrong += dark != s.matrix.Dark(r, c);
        }
    return wrong;
}

// What a scanner aimed at the symbol sees: the symbol and a margin of white.
QRect ScannerView(const TPlaced& s) {
    return s.geometry.box.adjusted(-24, -24, 24, 24);
}

QImage Poppler(const QString& pdf, const QString& scratch) {
    return RasterisePage(pdf, 1, Dpi, scratch);
}

QImage Ghostscript(const QString& pdf, const QString& scratch) {
    return RasteriseWithGhostscript(pdf, 1, Dpi, scratch);
}

std::string CaseName(const char* rasteriser, bool transparent, int index) {
    return std::string(rasteriser) + (transparent ? " transparent" : " opaque") + " type " +
           std::to_string(int(kSymbols[index / Rotations].type)) + " rotation " +
           std::to_string(index % Rotations) + " module " +
           std::to_string(kModules[(index / Rotations + index % Rotations) % 4]);
}
} // namespace

class PrintMatrixPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"pdftoppm", "gs", "pdfimages"})
            if (!HasProgram(program))
                GTEST_SKIP() << program << " is not installed (scripts/install-deps.sh)";
    }
    // The same page written with rectangles and with pictures, each rasterised.
    struct TPages {
        std::vector<TPlaced> placed;
        QImage rects, picture;
    };
    TPages Render(bool transparent, QImage (*rasterise)(const QString&, const QString&)) {
        TPages pages;
        pages.placed =
            WriteSymbolPage(scratch.File("rects.pdf"), TModulePaint::Rectangles, transparent);
        WriteSymbolPage(scratch.File("picture.pdf"), TModulePaint::Picture, transparent);
        pages.rects = rasterise(scratch.File("rects.pdf"), scratch.Path());
        pages.picture = rasterise(scratch.File("picture.pdf"), scratch.Path());
        return pages;
    }
    TScratchFolder scratch;
};

TEST_F(PrintMatrixPictureTest, GhostscriptRastersThePictureToTheRectanglesPixels) {
    for (const bool transparent : {false, true}) {
        const TPages pages = Render(transparent, Ghostscript);
        ASSERT_FALSE(pages.rects.isNull());
        ASSERT_EQ(pages.picture.size(), pages.rects.size());
        for (size_t i = 0; i < pages.placed.size(); ++i) {
            const TPlaced& s = pages.placed[i];
            const std::string name = CaseName("gs", transparent, int(i));
            if (!transparent) {
                ASSERT_EQ(MisreadModules(pages.rects, s), 0) << name << ": the reference itself";
            }
            const TDifference d = Compare(pages.picture, pages.rects, s.cell);
            EXPECT_EQ(d.pixels, 0) << name << ", first at " << d.first.x() << "," << d.first.y();
            if (!transparent) {
                EXPECT_EQ(
                    DecodedText(pages.picture.copy(ScannerView(s)), kSymbols[i / Rotations].type),
                    kSymbols[i / Rotations].data)
                    << name;
            }
        }
    }
}

TEST_F(PrintMatrixPictureTest, PopplerRastersThePictureToTheExactPixelsWhereItStaysSharp) {
    int sharp = 0;
    for (const bool transparent : {false, true}) {
        const TPages poppler = Render(transparent, Poppler);
        const TPages exact = Render(transparent, Ghostscript);
        ASSERT_FALSE(poppler.rects.isNull());
        ASSERT_EQ(poppler.picture.size(), exact.rects.size());
        for (size_t i = 0; i < poppler.placed.size(); ++i) {
            const TPlaced& s = poppler.placed[i];
            if (!PictureStaysSharp(s.matrix, s.geometry.m))
                continue; // printing draws these as rectangles
            ++sharp;
            const std::string name = CaseName("poppler", transparent, int(i));
            const TDifference d = Compare(poppler.picture, exact.rects, s.cell);
            EXPECT_EQ(d.pixels, 0) << name << ", first at " << d.first.x() << "," << d.first.y();
            // poppler's own rectangles differ only by the slivers its anti-aliasing greys
            const TDifference own = Compare(poppler.picture, poppler.rects, s.cell);
            EXPECT_EQ(own.unlikeSolid, 0)
                << name << ", first at " << own.first.x() << "," << own.first.y();
            if (!transparent) {
                EXPECT_EQ(MisreadModules(poppler.rects, s), 0) << name << ": its rectangles";
                EXPECT_EQ(
                    DecodedText(poppler.picture.copy(ScannerView(s)), kSymbols[i / Rotations].type),
                    kSymbols[i / Rotations].data)
                    << name;
            }
        }
    }
    EXPECT_GE(sharp, 2 * 9);
}

TEST_F(PrintMatrixPictureTest, PrintedLabelCarriesOneOneBitPicturePerSymbol) {
    TLabelDocument label;
    label.SetLabelSize(480, 192); // 5 x 2 inches
    TSheetSettings sheet;
    sheet.ForcedCount = true;
    sheet.LabelWidth = 5;
    sheet.LabelHeight = 2;
    sheet.Rows = 1;
    sheet.Columns = 1;
    struct TControlCase {
        TBarcodeType type;
        const char* data;
        int rotation;
        bool transparent;
        double mils; // 0: the module fits the box
    };
    const TControlCase cases[] = {
        {btQrCode, "QR picture", 0, false, 0},
        {btDataMatrix, "DM picture", 1, false, 0},
        {btAztec, "AZ picture", 2, false, 0},
        {btPdf417, "PDF417 picture", 3, false, 0},
        {btQrCode, "QR transparent", 0, true, 0},
        {btQrCode, "QR small", 0, false, 4}, // 2 printer pixels a module: drawn as rectangles
    };
    std::vector<TBarcodeLabel*> controls;
    for (size_t i = 0; i < std::size(cases); ++i) {
        auto c = std::make_unique<TBarcodeLabel>();
        c->SetBarcodeType(cases[i].type);
        c->SetAutoSizing(false);
        c->SetRotation(uint8_t(cases[i].rotation));
        c->SetBox(TRect::FromBox(8 + 78 * int(i), 20, 72, 72), false);
        c->SetInterpret(false);
        c->SetTransparency(cases[i].transparent);
        if (cases[i].mils > 0) {
            c->SetAutoScale(false);
            c->SetNarrowBarWidth(cases[i].mils);
        }
        c->SetText(QString::fromLatin1(cases[i].data));
        controls.push_back(c.get());
        label.AddControl(std::move(c));
        controls.back()->SetLoading(false);
    }
    TPdfPrinter printer;
    TPrintSettings settings;
    settings.Range = TPrintRange::Pages;
    const QString out = scratch.File("label.pdf");
    PrintLabels(sheet, label.Controls(), settings, printer, out, QString(), nullptr);

    // the opaque symbols: a grey image one sample a module; the transparent one: a 1-bit mask
    // over its black; no soft masks, nothing for the small one
    std::vector<QSize> gray, masks;
    int colour = 0;
    for (const TPdfImage& image : PdfImages(out)) {
        EXPECT_NE(image.Type, "smask");
        if (image.Type == "mask" || image.Type == "stencil")
            masks.push_back({image.Width, image.Height});
        else if (image.Color == "gray" && image.Bits == 1)
            gray.push_back({image.Width, image.Height});
        else
            ++colour;
    }
    auto modules = [&](size_t i) {
        const TModuleMatrix m =
            EncodeMatrix(cases[i].type, QString::fromLatin1(cases[i].data), {}).matrix;
        return IsVertical(cases[i].rotation) ? QSize(m.rows, m.columns) : QSize(m.columns, m.rows);
    };
    EXPECT_EQ(gray, (std::vector<QSize>{modules(0), modules(1), modules(2), modules(3)}));
    EXPECT_EQ(masks, std::vector<QSize>{modules(4)});
    EXPECT_EQ(colour, 1); // the black under the mask

    const QImage page = RasterisePage(out, 1, Dpi, scratch.Path());
    ASSERT_FALSE(page.isNull());
    for (size_t i = 0; i < std::size(cases); ++i) {
        // the label's page pixels: 6.25 a screen pixel, from (150, 150)
        const QRect view(150 + qRound((4 + 78 * int(i)) * 6.25), 150 + qRound(16 * 6.25),
                         qRound(80 * 6.25), qRound(80 * 6.25));
        EXPECT_EQ(DecodedText(page.copy(view), cases[i].type), cases[i].data) << i;
    }
}
