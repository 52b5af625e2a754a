// File > Export Label as Picture: the label on screen, with the record it shows, as a picture.
#include "MainWindowSupport.h"
#include "PictureProbe.h"
#include "merge/DataImport.h"
#include "merge/ImportDialog.h"
#include "platform/Printer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {
// Takes every data file as it comes (the format its extension gives).
class TAcceptingWizard : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings&, const QStringList&) override { return true; }
};

QStringList SvgTexts(const QString& file) {
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    QXmlStreamReader xml(&f);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText();
    return texts;
}

class ExportPicture : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        W = Window();
        W->show();
        W->DataImport().SetTextImportDialog(&wizard);
        W->OpenLabelFile(QStringLiteral(VT_EXAMPLES "/shipping.lbl"));
    }
    void TearDown() override { TPrinters::Select(TPdfPrinter::DefaultName()); }
    QAction* A(TActionName name) { return W->Action(name); }

    TAcceptingWizard wizard;
    std::unique_ptr<TFMain> W;
};

TEST_F(ExportPicture, WritesTheLabelOnScreenWithTheRecordItShows) {
    const QMenu* file = W->findChild<QMenu*>("mnFile");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->actions().contains(A("acExportPicture")));
    EXPECT_EQ(A("acExportPicture")->text(), QStringLiteral("Export Label as Picture\u2026"));

    ASSERT_TRUE(W->DataImport().ChooseDataFile(QStringLiteral(VT_EXAMPLES "/shipping.csv")));
    A("acShowData")->trigger();
    ASSERT_TRUE(A("acShowData")->isChecked());
    A("acNextRecord")->trigger();

    const bool modified = W->Modified();
    FileNames = {Scratch.File("label.png"), Scratch.File("label.svg")};
    A("acExportPicture")->trigger();
    A("acExportPicture")->trigger();
    EXPECT_EQ(FileDialogs, QStringList(2, "Export Label as Picture"));
    EXPECT_EQ(Errors, QStringList());

    // The label alone, 3.9 by 2 inches at 300 dpi, its bars those of the second order.
    const QImage png = GreyPicture(Scratch.File("label.png"));
    EXPECT_EQ(png.size(), QSize(1170, 600));
    const std::vector<TFoundSymbol> read = FindSymbols(png);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Text, "ORD0001002");
    const QStringList texts = SvgTexts(Scratch.File("label.svg"));
    EXPECT_TRUE(texts.contains("Bruno Brennan")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("137 Cedar Ave, Unit 4")) << texts.join('|').toStdString();
    EXPECT_EQ(W->Modified(), modified) << "an export changes nothing in the label";
}

TEST_F(ExportPicture, ACancelledDialogWritesNothingAndAnotherKindIsRefused) {
    A("acExportPicture")->trigger(); // no name given
    FileNames = {Scratch.File("label.gif")};
    A("acExportPicture")->trigger();
    ASSERT_EQ(Errors.size(), 1);
    EXPECT_TRUE(Errors[0].contains("PNG or SVG")) << Errors[0].toStdString();
    EXPECT_FALSE(QFile::exists(Scratch.File("label.gif")));
    EXPECT_EQ(QDir(Scratch.Path())
                  .entryList({"*.png", "*.svg", "*.gif", ".vellumtrace*"},
                             QDir::AllEntries | QDir::Hidden),
              QStringList());
}
} // namespace
