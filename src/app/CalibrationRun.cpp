#include "app/CalibrationRun.h"

#include "app/BatchPrint.h"
#include "platform/Errors.h"
#include "platform/Preferences.h"
#include "platform/Printer.h"
#include "print/CalibrationPage.h"
#include "print/CalibrationSwitches.h"
#include "print/CommandLine.h"

#include <QFileInfo>

#include <cstdio>

namespace {
bool IsPicture(const QString& output) {
    const QString suffix = QFileInfo(output).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg");
}
} // namespace

TCalibration UnattendedCalibration(const TCommandLineOptions& o, const TPrinter& printer,
                                   const QString& output) {
    // The switches are checked whatever the output, so that a bad value is always reported.
    const TCalibration c =
        RunCalibration(o.Offset, o.Scale, ReadCalibration(TPreferenceStore(), printer.Name()));
    return IsPicture(output) ? TCalibration() : c;
}

int RunCalibrationPage(const TCommandLineOptions& o) {
    try {
        if (o.OutputPdf.isEmpty() && o.PrinterName.isEmpty())
            throw TUserError(QStringLiteral("--calibration-page needs the printer to print it "
                                            "on (-d PRINTER) or a PDF file (-o FILE.pdf)."));
        if (!o.PrinterName.isEmpty() && !TPrinters::Select(o.PrinterName))
            throw TUserError(QStringLiteral("There is no printer named \"%1\". Printers: %2.")
                                 .arg(o.PrinterName, TPrinters::Names().join(", ")));
        if (o.PrinterName.isEmpty())
            TPrinters::Select(TPdfPrinter::DefaultName());
        TPrinter& printer = TPrinters::Current();
        const TPaperChoice paper = RunPaper(o, TPaperChoice());
        if (!printer.SetPaper(paper))
            throw TUserError(PaperFallbackWarning(printer.Name(), paper, printer.Paper()));
        const TCalibration stored = ReadCalibration(TPreferenceStore(), printer.Name());
        const QString job = PrintCalibrationPage(printer, stored, o.OutputPdf);
        QString line = o.OutputPdf.isEmpty()
                           ? QStringLiteral("sent the calibration page to %1").arg(printer.Name())
                           : QStringLiteral("printed the calibration page of %1 into %2")
                                 .arg(printer.Name(), o.OutputPdf);
        if (!job.isEmpty())
            line += QStringLiteral(" as job %1").arg(job);
        std::fprintf(stdout, "vellumtrace: %s\n", line.toLocal8Bit().constData());
        return 0;
    } catch (const TUserError& e) {
        ReportRunError(e.Message());
        return 1;
    }
}
