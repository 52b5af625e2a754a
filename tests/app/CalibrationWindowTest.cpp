// Calibrating a printer from Print Setup, and the designer's runs printing with it.
#include "MainWindowSupport.h"
#include "PdfProbe.h"

#include "app/FCalibration.h"
#include "app/PrinterSetup.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "platform/Calibration.h"
#include "platform/Printer.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/PrintDialogServices.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {
QDoubleSpinBox* Box(QDialog& d, const char* name) {
    auto* box = d.findChild<QDoubleSpinBox*>(name);
    EXPECT_NE(box, nullptr) << name;
    return box;
}

// Replaces the number in a box as a user types it.
void Type(QDoubleSpinBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

// Once Print Setup is up: presses "Calibration…" (the calibration dialog runs through the
// window's Run service), then OK.
void AnswerPrintSetupWithCalibration(int tries = 200) {
    QTimer::singleShot(tries == 200 ? 0 : 5, [=] {
        auto* setup = qobject_cast<TFPrinterSetup*>(QApplication::activeModalWidget());
        if (!setup) {
            if (tries > 0)
                AnswerPrintSetupWithCalibration(tries - 1);
            return;
        }
        auto* calibrate = setup->findChild<QPushButton*>("btnCalibration");
        ASSERT_NE(calibrate, nullptr);
        calibrate->click();
        setup->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
}

class CalibrationWindow : public ::testing::Test, public TMainWindowFixture {
protected:
    CalibrationWindow() {
        TPrinters::Select(TPdfPrinter::DefaultName());
        TPrinters::Pdf().SetPaperSize(QPageSize::Letter);
    }
    ~CalibrationWindow() override { TPrinters::Current().SetPaper({}); }

    // Print Setup → Calibration…, the calibration dialog handled by answer.
    void Calibrate(TFMain& w, const std::function<int(TFCalibration&)>& answer) {
        w.UiServices().Run = [answer](QDialog& d) {
            auto* dialog = qobject_cast<TFCalibration*>(&d);
            return dialog ? answer(*dialog) : int(QDialog::Rejected);
        };
        AnswerPrintSetupWithCalibration();
        w.Action("acPrintSetup")->trigger();
    }
};

TEST_F(CalibrationWindow, TypedValuesAreKeptForThePrinterAndShownNextTime) {
    auto w = Window();
    Calibrate(*w, [](TFCalibration& d) {
        EXPECT_EQ(d.findChild<QLabel*>("lPrinter")->text(), TPdfPrinter::DefaultName());
        EXPECT_EQ(Box(d, "eOffsetX")->value(), 0.0);
        EXPECT_EQ(Box(d, "eScaleY")->value(), 100.0);
        EXPECT_EQ(Box(d, "eOffsetX")->suffix(), " in");
        Type(Box(d, "eOffsetX"), "0.1");
        Type(Box(d, "eOffsetY"), "-0.05");
        Type(Box(d, "eScaleX"), "101");
        Type(Box(d, "eScaleY"), "99.5");
        return int(QDialog::Accepted);
    });
    const TCalibration kept = ReadCalibration(*Store(), TPdfPrinter::DefaultName());
    EXPECT_DOUBLE_EQ(kept.OffsetX, 0.1);
    EXPECT_DOUBLE_EQ(kept.OffsetY, -0.05);
    EXPECT_DOUBLE_EQ(kept.ScaleX, 1.01);
    EXPECT_DOUBLE_EQ(kept.ScaleY, 0.995);

    // A metric label shows the same offsets in centimetres; values past the limits are not taken.
    w->Document().ChangeSheet([](TSheetSettings& s) { s.Metric = true; });
    Calibrate(*w, [](TFCalibration& d) {
        EXPECT_EQ(Box(d, "eOffsetX")->suffix(), " cm");
        EXPECT_NEAR(Box(d, "eOffsetX")->value(), 0.254, 1e-9);
        EXPECT_NEAR(Box(d, "eScaleX")->value(), 101, 1e-9);
        Type(Box(d, "eOffsetX"), "0.508");
        Type(Box(d, "eOffsetY"), "9");  // beyond 2.54 cm
        Type(Box(d, "eScaleY"), "120"); // beyond 105 %
        return int(QDialog::Accepted);
    });
    const TCalibration metric = ReadCalibration(*Store(), TPdfPrinter::DefaultName());
    EXPECT_NEAR(metric.OffsetX, 0.2, 1e-9);
    EXPECT_LE(std::abs(metric.OffsetY), 1.0);
    EXPECT_LE(metric.ScaleY, 1.05);

    // Cancel keeps what was stored; Reset and OK takes the calibration away.
    Calibrate(*w, [](TFCalibration& d) {
        Type(Box(d, "eOffsetX"), "0");
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(ReadCalibration(*Store(), TPdfPrinter::DefaultName()), metric);
    Calibrate(*w, [](TFCalibration& d) {
        d.findChild<QPushButton*>("btnReset")->click();
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(ReadCalibration(*Store(), TPdfPrinter::DefaultName()).IsIdentity());
}

TEST_F(CalibrationWindow, PrintCalibrationPageAsksForThePdfFile) {
    auto w = Window();
    const QString page = Scratch.File("page.pdf");
    FileNames = {QString(), page}; // cancelled the first time
    w->UiServices().FileName = Services.FileName;
    Calibrate(*w, [](TFCalibration& d) {
        auto* print = d.findChild<QPushButton*>("btnPrintPage");
        EXPECT_TRUE(print->isEnabled());
        print->click();
        print->click();
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(FileDialogs, QStringList({"Print Calibration Page", "Print Calibration Page"}));
    ASSERT_EQ(PdfPageCount(page), 1);
    EXPECT_TRUE(PageWords(PdfWords(page), 1)
                    .join(' ')
                    .normalized(QString::NormalizationForm_KC)
                    .contains("Printer: PDF file"));
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("; ").toStdString();
}

TEST_F(CalibrationWindow, PrintAndPreviewTakeTheCurrentPrintersCalibration) {
    auto w = Window();
    auto text = std::make_unique<TTextLabel>();
    text->SetBox(TRect::FromBox(10, 10, 80, 20), false);
    text->SetText("MARK");
    w->Document().AddControl(std::move(text));
    TPrintDialogServices& services = w->PrintDialog().PrintDialogServices();
    QString pdf;
    services.PdfFileName = [&pdf](QWidget*, const QString&) { return pdf; };
    services.Error = [this](QWidget*, const QString& e) { Errors << e; };
    services.Preview = [&pdf](QWidget*, const std::function<void(QPrinter&)>& paint) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        paint(printer);
    };
    // File → Print, then the button named in the print dialog, into the file.
    const auto run = [&](const char* button, const QString& file) {
        pdf = file;
        QMetaObject::invokeMethod(
            w.get(),
            [&w, button] {
                w->PrintDialog().findChild<QPushButton*>(button)->click();
                if (w->PrintDialog().isVisible())
                    w->PrintDialog().reject();
            },
            Qt::QueuedConnection);
        w->Action("acPrint")->trigger();
        const auto words = PdfWords(file);
        const auto mark = std::find_if(words.begin(), words.end(),
                                       [](const TPdfWord& word) { return word.Text == "MARK"; });
        EXPECT_NE(mark, words.end()) << button;
        return mark == words.end() ? QPointF() : QPointF(mark->X, mark->Y);
    };
    const QPointF plain = run("OkayBtn", Scratch.File("plain.pdf"));
    const QPointF plainPreview = run("PreviewBtn", Scratch.File("plain-preview.pdf"));
    ASSERT_TRUE(
        WriteCalibration(w->PreferenceStore(), TPdfPrinter::DefaultName(), {0.1, 0.2, 1, 1}));
    const QPointF printed = run("OkayBtn", Scratch.File("calibrated.pdf"));
    const QPointF previewed = run("PreviewBtn", Scratch.File("calibrated-preview.pdf"));
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("; ").toStdString();
    EXPECT_NEAR(printed.x() - plain.x(), 60, 1) << "0.1 in at 600 dpi";
    EXPECT_NEAR(printed.y() - plain.y(), 120, 1);
    EXPECT_NEAR(previewed.x() - plainPreview.x(), 60, 1);
    EXPECT_NEAR(previewed.y() - plainPreview.y(), 120, 1);
}
} // namespace
