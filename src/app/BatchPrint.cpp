#include "app/BatchPrint.h"

#include "document/Sheet.h"
#include "files/FileOperations.h"
#include "merge/TextImport.h"
#include "platform/Errors.h"
#include "platform/Printer.h"
#include "print/CommandLine.h"
#include "print/PrintU.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t g_interrupted = 0;

void OnSignal(int) {
    g_interrupted = 1;
}

// Reports pages on stderr when someone is watching, and cancels on Ctrl-C or a termination
// signal, so an interrupted run is discarded instead of leaving half a job.
class TConsoleProgress : public TPrintProgress {
public:
    TConsoleProgress() {
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
    }
    ~TConsoleProgress() override {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    }
    void Start(const QString&, const QString&) override {}
    void Page(int32_t page) override {
        if (m_verbose && page % 100 == 0)
            std::fprintf(stderr, "vellumtrace: page %d\n", int(page));
    }
    bool Cancelled() override { return g_interrupted != 0; }
    void Close() override {}

private:
    const bool m_verbose = isatty(fileno(stderr));
};

void Fail(const QString& message) {
    std::fprintf(stderr, "vellumtrace: %s\n", message.toLocal8Bit().constData());
}

TPrintSettings SettingsFrom(const TCommandLineOptions& o) {
    TPrintSettings s;
    if (o.Range == "ALL")
        s.Range = TPrintRange::All;
    else if (o.Range == "LABELS")
        s.Range = TPrintRange::Labels;
    else
        s.Range = TPrintRange::Pages;
    s.PageCount = s.LabelCount = o.Count;
    s.Duplicates = o.Copies;
    s.DataFile = o.DataFile;
    s.Skip = o.Skip;
    return s;
}

// Where the output goes when the current printer is the PDF printer and -o was not given:
// the label's name with ".pdf", in the working folder.
QString DefaultPdfPath(const QString& startFile) {
    return QDir::current().filePath(QFileInfo(startFile).completeBaseName() + ".pdf");
}
} // namespace

int RunUnattended(const TCommandLineOptions& o) {
    try {
        if (!o.MissingStartFile.isEmpty())
            throw TUserError(
                QStringLiteral("The label file %1 does not exist.").arg(o.MissingStartFile));
        if (o.StartFile.isEmpty())
            throw TUserError(QStringLiteral("Nothing to print: give the label file first, as in "
                                            "\"vellumtrace label.lbl -p\"."));
        if (!o.MissingDataFile.isEmpty())
            throw TUserError(
                QStringLiteral("The data file %1 does not exist.").arg(o.MissingDataFile));

        if (!o.PrinterName.isEmpty() && !TPrinters::Select(o.PrinterName))
            throw TUserError(QStringLiteral("There is no printer named \"%1\". Printers: %2.")
                                 .arg(o.PrinterName, TPrinters::Names().join(", ")));
        if (o.PrinterName.isEmpty() && !o.OutputPdf.isEmpty())
            TPrinters::Select(TPdfPrinter::DefaultName());
        const TPrinter& printer = TPrinters::Current();
        QString output = o.OutputPdf;
        if (output.isEmpty() && printer.IsPdf())
            output = DefaultPdfPath(o.StartFile);

        TCanvasLabel label;
        if (QFileInfo(o.StartFile).suffix().compare("lbf", Qt::CaseInsensitive) == 0) {
            ReadTemplate(o.StartFile, SheetSettings());
        } else {
            TLabelDocument doc = ReadLabelDocument(o.StartFile);
            SheetSettings() = doc.Sheet;
            label.SetLabelSize(LabelPixelWidth(doc.Sheet), LabelPixelHeight(doc.Sheet));
            label.ReplaceControls(std::move(doc.Controls));
            for (const auto& c : label.Controls())
                c->SetLoading(false);
        }
        if (!o.DataFile.isEmpty())
            FormatFromExtension(o.DataFile);

        TConsoleProgress progress;
        const TPrintResult r =
            PrintLabels(label.Controls(), SettingsFrom(o), printer, output, o.StartFile, &progress);
        if (r.Cancelled) {
            Fail(QStringLiteral("printing was interrupted; nothing was printed."));
            return 1;
        }
        const QString where = output.isEmpty() ? QStringLiteral("on %1").arg(printer.Name())
                                               : QStringLiteral("into %1").arg(output);
        std::fprintf(stdout, "vellumtrace: printed %d labels on %d pages %s\n", int(r.Labels),
                     int(r.Pages), where.toLocal8Bit().constData());
        return 0;
    } catch (const TUserError& e) {
        Fail(e.Message());
        return 1;
    } catch (const std::exception& e) {
        Fail(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
