// Runs that write pictures: the same pictures on any number of threads, nothing left behind by
// a run that does not finish, the switches that ask for them, and one label exported alone.

#include "print/PicturePages.h"
#include "PictureProbe.h"
#include "PlaceControl.h"
#include "StopAfter.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "document/ShownData.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"
#include "merge/TextImportSettings.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>

namespace {
std::unique_ptr<TImportedField> Imported(int32_t field) {
    auto f = std::make_unique<TImportedField>();
    f->FieldNumber = field;
    return f;
}

// Orders: a text of the order and a counter, and a Code 128 of the parcel; 36 orders, twice each.
struct TOrders {
    TSheetSettings Sheet;
    TControlList Controls;
    TPrintSettings Settings;
    TSequenceField* Counter = nullptr;

    explicit TOrders(const TScratchFolder& scratch) {
        auto& text = Add<TTextLabel>(Controls, 6, 4, 150, 24);
        text.Fields.push_back(Imported(1));
        auto counter = std::make_unique<TSequenceField>();
        counter->CurrentValue = counter->MinValue = 1;
        Counter = counter.get();
        text.Fields.push_back(std::move(counter));
        text.SetAdvanced(true);
        text.SetLoading(false);
        auto& code = Add<TBarcodeLabel>(Controls, 6, 32, 170, 56);
        code.SetBarcodeType(btCode128);
        code.SetInterpret(true);
        code.Fields.push_back(Imported(2));
        code.SetAdvanced(true);
        code.SetLoading(false);
        QFile data(scratch.File("orders.csv"));
        EXPECT_TRUE(data.open(QIODevice::WriteOnly));
        data.write("Order,Parcel\r\n");
        for (int i = 1; i <= 36; ++i)
            data.write(QStringLiteral("A%1,PARCEL%2\r\n").arg(i).arg(1000 + i).toUtf8());
        Settings.DataFile = data.fileName();
        FormatFromExtension(Settings.Import, Settings.DataFile, {});
        Settings.Duplicates = 2;
    }
};

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

const TPaperChoice Letter = PaperFromPageSize(QPageSize(QPageSize::Letter));
} // namespace

TEST(PicturePagesTest, PicturesDrawnOnSeveralThreadsAreThoseDrawnOnOne) {
    TScratchFolder scratch;
    for (const bool oneLabel : {false, true}) {
        SCOPED_TRACE(oneLabel);
        std::vector<QStringList> files;
        for (const int32_t threads : {1, 3}) {
            TOrders orders(scratch);
            orders.Settings.Threads = threads;
            // Pictures are no printer's: a calibration changes nothing in them.
            if (threads > 1)
                orders.Settings.Calibration = {0.1, -0.05, 1.02, 0.98};
            const QString folder = scratch.File(QStringLiteral("%1-%2").arg(oneLabel).arg(threads));
            QDir().mkpath(folder);
            const TPictureOptions options{folder + "/orders.png", TPictureFormat::Png, 300,
                                          oneLabel};
            const TPictureRun run = PrintPictures(orders.Sheet, orders.Controls, orders.Settings,
                                                  Letter, options, QString(), nullptr);
            EXPECT_EQ(run.Result.Labels, 72);
            EXPECT_EQ(orders.Counter->CurrentValue, 37) << "one step an order, in order";
            EXPECT_EQ(run.Files.size(), oneLabel ? 72 : run.Result.Pages);
            EXPECT_EQ(Entries(folder).size(), run.Files.size()) << "nothing else is left";
            files.push_back(run.Files);
        }
        ASSERT_EQ(files[0].size(), files[1].size());
        for (qsizetype i = 0; i < files[0].size(); ++i) {
            QFile a(files[0][i]), b(files[1][i]);
            ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            EXPECT_EQ(a.readAll(), b.readAll()) << files[1][i].toStdString();
        }
        // Label by label, the records in order.
        if (oneLabel)
            for (int n : {1, 2, 71, 72}) {
                const std::vector<TFoundSymbol> read = FindSymbols(GreyPicture(files[1][n - 1]));
                ASSERT_EQ(read.size(), 1u) << n;
                EXPECT_EQ(read[0].Text, QStringLiteral("PARCEL%1").arg(1000 + (n + 1) / 2));
            }
    }
}

TEST(PicturePagesTest, PagesInBlackAndWhiteAreGreyPicturesAndColourStays) {
    TScratchFolder scratch;
    for (const bool red : {false, true}) {
        TOrders orders(scratch);
        orders.Settings.Range = TPrintRange::Labels;
        orders.Settings.LabelCount = 1;
        if (red)
            orders.Controls[0]->SetFontColor(0x0000FF);
        const QString path = scratch.File(red ? "red.png" : "black.png");
        PrintPictures(orders.Sheet, orders.Controls, orders.Settings, Letter,
                      {path, TPictureFormat::Png, 150, false}, QString(), nullptr);
        const QImage picture(path);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.format() == QImage::Format_Grayscale8, !red);
        // The text's ink, as drawn.
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        int inked = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x) {
                const QRgb p = rgb.pixel(x, y);
                inked += red ? qRed(p) > 200 && qGreen(p) < 60 : qGray(p) < 60;
            }
        EXPECT_GT(inked, 50) << red;
    }
}

TEST(PicturePagesTest, ARunThatIsCancelledFailsOrSeesItsDataChangeLeavesNoPicture) {
    TScratchFolder scratch;
    const QString folder = scratch.File("out");
    QDir().mkpath(folder);
    const TPictureOptions options{folder + "/orders.svg", TPictureFormat::Svg, 150, false};
    for (const int32_t threads : {1, 2}) {
        SCOPED_TRACE(threads);
        TOrders orders(scratch);
        orders.Settings.Threads = threads;
        TStopAfter stop(40);
        const TPictureRun cancelled = PrintPictures(orders.Sheet, orders.Controls, orders.Settings,
                                                    Letter, options, QString(), &stop);
        EXPECT_TRUE(cancelled.Result.Cancelled);
        EXPECT_TRUE(cancelled.Files.isEmpty());
        EXPECT_EQ(Entries(folder), QStringList());

        TOrders refused(scratch);
        refused.Settings.Threads = threads;
        EXPECT_THROW(PrintPictures(refused.Sheet, refused.Controls, refused.Settings, Letter,
                                   options, QString(), nullptr,
                                   [](const TPrintResult&) { throw TUserError("no"); }),
                     TUserError);
        EXPECT_EQ(Entries(folder), QStringList());

        TOrders changed(scratch);
        changed.Settings.Threads = threads;
        TStopAfter rewrite(10, [&] {
            QFile data(changed.Settings.DataFile);
            ASSERT_TRUE(data.open(QIODevice::Append));
            data.write("A99,PARCEL9999\r\n");
        });
        EXPECT_THROW(PrintPictures(changed.Sheet, changed.Controls, changed.Settings, Letter,
                                   options, QString(), &rewrite),
                     TUserError);
        EXPECT_EQ(Entries(folder), QStringList());
    }
}

TEST(PicturePagesTest, PictureSwitchesGiveTheFormatResolutionAndKind) {
    const auto options = [](QStringList more) {
        return RunPictureOptions(ParseCommandLine(QStringList{"vellumtrace"} + more));
    };
    EXPECT_EQ(options({"-o", "out.pdf"}), std::nullopt);
    EXPECT_EQ(options({}), std::nullopt);
    const auto png = options({"-o", "Out.PNG"});
    ASSERT_TRUE(png);
    EXPECT_EQ(png->Format, TPictureFormat::Png);
    EXPECT_EQ(png->Dpi, 300);
    EXPECT_FALSE(png->OneLabel);
    const auto svg = options({"-o", "dir/out.svg", "--DPI", "1200", "--one-label"});
    ASSERT_TRUE(svg);
    EXPECT_EQ(svg->Format, TPictureFormat::Svg);
    EXPECT_EQ(svg->Path, "dir/out.svg");
    EXPECT_EQ(svg->Dpi, 1200);
    EXPECT_TRUE(svg->OneLabel);
    EXPECT_EQ(options({"-o", "out.png", "--dpi", "72"})->Dpi, 72);
    for (const char* bad : {"71", "1201", "0", "-300", "300dpi", "2.5", ""})
        EXPECT_THROW(options({"-o", "out.png", "--dpi", bad}), TUserError) << bad;
    EXPECT_THROW(options({"-o", "out.png", "--dpi"}), TUserError);
    EXPECT_THROW(options({"-o", "out.pdf", "--dpi", "300"}), TUserError);
    EXPECT_THROW(options({"--one-label"}), TUserError);
}

TEST(PicturePagesTest, AnExportedLabelShowsTheRecordShownWithoutSteppingCounters) {
    TScratchFolder scratch;
    TOrders orders(scratch);
    orders.Sheet.LabelWidth = 2.5;
    orders.Sheet.LabelHeight = 1;
    orders.Sheet.Metric = false;
    TShownData shown;
    shown.Record = {"A7", "PARCEL1007"};
    ExportLabelPicture(orders.Sheet, orders.Controls, &shown, scratch.File("shown.png"), 200);
    const QImage picture = GreyPicture(scratch.File("shown.png"));
    EXPECT_EQ(picture.size(), QSize(500, 200));
    const std::vector<TFoundSymbol> read = FindSymbols(picture);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Text, "PARCEL1007");
    EXPECT_EQ(orders.Counter->CurrentValue, 1);

    // Without a record, the placeholders the surface shows; another kind of file is refused and
    // nothing written.
    ExportLabelPicture(orders.Sheet, orders.Controls, nullptr, scratch.File("design.svg"));
    QFile design(scratch.File("design.svg"));
    ASSERT_TRUE(design.open(QIODevice::ReadOnly));
    const QByteArray svg = design.readAll();
    EXPECT_TRUE(svg.contains(">F_1") && svg.contains(">F_2")) << svg.toStdString();
    EXPECT_THROW(
        ExportLabelPicture(orders.Sheet, orders.Controls, nullptr, scratch.File("label.jpg")),
        TUserError);
    EXPECT_EQ(Entries(scratch.Path()), (QStringList{"design.svg", "orders.csv", "shown.png"}));
}
