#include "app/BatchPrint.h"

#include "app/CalibrationRun.h"
#include "app/RunCounters.h"

#include "document/LabelFields.h"
#include "document/Sheet.h"
#include "document/StockLibrary.h"
#include "files/FileOperations.h"
#include "files/LabelWriteBack.h"
#include "merge/ImportDialog.h"
#include "merge/SeparatorHints.h"
#include "merge/TextImportSettings.h"
#include "platform/Errors.h"
#include "platform/Preferences.h"
#include "platform/PrintJob.h"
#include "platform/Printer.h"
#include "print/CommandLine.h"
#include "print/NextLabel.h"
#include "print/PicturePages.h"
#include "print/PrintU.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t g_interrupted = 0;

void OnSignal(int) {
    g_interrupted = 1;
}

// Shows the page on one line of stderr when someone is watching, and cancels on Ctrl-C or a
// termination signal, so an interrupted run is discarded instead of leaving half a job.
class TConsoleProgress : public TPrintProgress {
public:
    explicit TConsoleProgress(int32_t total) : m_total(total) {
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
    }
    ~TConsoleProgress() override {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    }
    void Start(const QString&, const QString&) override {}
    void Page(int32_t page) override {
        if (!m_verbose)
            return;
        std::fprintf(stderr, "\r%s", ProgressLine(page, m_total).toLocal8Bit().constData());
        std::fflush(stderr);
        m_shown = true;
    }
    bool Cancelled() override { return g_interrupted != 0; }
    void Close() override {
        if (m_shown)
            std::fputc('\n', stderr);
        m_shown = false;
    }

private:
    const bool m_verbose = isatty(fileno(stderr));
    const int32_t m_total;
    bool m_shown = false;
};

} // namespace

void ReportRunError(const QString& message) {
    std::fprintf(stderr, "vellumtrace: %s\n", message.toLocal8Bit().constData());
}

void ReportUnclosedQuote(const TPrintResult& r, const QString& dataFile) {
    if (r.UnclosedQuoteLine > 0)
        ReportRunError(QStringLiteral("warning: in the data file %1 the quoted field that opens "
                                      "on line %2 is never closed; it runs to the end of the "
                                      "file.")
                           .arg(dataFile)
                           .arg(r.UnclosedQuoteLine));
}

TPrintSettings RunSettings(const TCommandLineOptions& o) {
    TPrintSettings s;
    s.Range = o.Range;
    s.PageCount = s.LabelCount = o.Count;
    s.Duplicates = o.Copies;
    s.DataFile = o.DataFile;
    s.Skip = o.Skip;
    s.Threads = RunThreads(o);
    return s;
}

TPrintSettings LabelRunSettings(const TCommandLineOptions& o, const TSheetSettings& label,
                                const TPrinter& printer) {
    TPrintSettings s = RunSettings(o);
    UseCopiesField(s, o, label);
    if (o.SkipNext) {
        const TPrintLayout layout = FitPrintLayout(label, printer.Facts());
        s.Skip = ContinueSkip(label, layout);
        if (const QString problem = ContinueProblem(label, layout); !problem.isEmpty())
            ReportRunError(QStringLiteral("note: ") + problem.left(1).toLower() + problem.mid(1));
    }
    return s;
}

namespace {
// Where the output goes when the current printer is the PDF printer and -o was not given:
// the label's name with ".pdf", in the working folder.
QString DefaultPdfPath(const QString& startFile) {
    return QDir::current().filePath(QFileInfo(startFile).completeBaseName() + ".pdf");
}

// "printed ... into FILE" for a PDF file; for a printer, what its queue took, and a warning
// when the queue is stopped, since the job then waits there and nothing comes out.
void ReportDelivery(const TPrintResult& r, const TPrinter& printer, const QString& output) {
    QString line;
    if (!output.isEmpty()) {
        line = QStringLiteral("printed %1 labels on %2 pages into %3")
                   .arg(r.Labels)
                   .arg(r.Pages)
                   .arg(output);
    } else {
        line = QStringLiteral("sent %1 labels on %2 pages to %3")
                   .arg(r.Labels)
                   .arg(r.Pages)
                   .arg(printer.Name());
        if (!r.JobId.isEmpty())
            line += QStringLiteral(" as job %1").arg(r.JobId);
    }
    std::fprintf(stdout, "vellumtrace: %s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
    if (output.isEmpty() && PrinterQueueStopped(printer.Name()))
        ReportRunError(QStringLiteral("warning: the printer %1 is stopped; the job waits in its "
                                      "queue until the printer is started.")
                           .arg(printer.Name()));
}

bool IsTemplate(const QString& path) {
    return QFileInfo(path).suffix().compare("lbf", Qt::CaseInsensitive) == 0;
}
} // namespace

TTextImportSettings RunImportSettings(const TCommandLineOptions& o,
                                      const std::optional<TTextImportSettings>& stored) {
    TTextImportSettings settings;
    if (stored)
        settings = *stored;
    else
        FormatFromExtension(settings, o.DataFile, QStringList());
    ApplyImportOverrides(settings, o.Import);
    const bool csv = QFileInfo(o.DataFile).suffix().compare("csv", Qt::CaseInsensitive) == 0;
    if (stored || o.Import.ChoosesFormat() || !csv)
        return settings;
    // A comma file that has no comma in its first line is most likely what a spreadsheet
    // writes where the comma is the decimal sign; read as commas it would print whole lines.
    const QStringList first = ReadPreviewLines(o.DataFile, 1, settings.Encoding);
    if (first.isEmpty() || NamedSeparator(first.first()))
        return settings;
    if (const auto separator = SniffedSeparator(first.first())) {
        UseSeparator(settings, *separator);
        const bool tab = *separator == u'\t';
        ReportRunError(QStringLiteral("note: the first line of the data file %1 has %2 but no "
                                      "comma; reading it with %3 as the separator "
                                      "(--delimiter , reads it with commas).")
                           .arg(o.DataFile,
                                tab ? QStringLiteral("tabs") : QStringLiteral("semicolons"),
                                tab ? QStringLiteral("the tab") : QStringLiteral("the semicolon")));
    }
    return settings;
}

int32_t KnownPageTotal(const TCommandLineOptions& o, const TSheetSettings& sheet) {
    if (!o.DataFile.isEmpty() || o.Count < 1)
        return 0;
    if (o.Range == TPrintRange::Pages)
        return o.Count;
    if (o.Range != TPrintRange::Labels)
        return 0;
    const int64_t perSheet = int64_t(std::max(1, sheet.Rows)) * std::max(1, sheet.Columns);
    // The skipped positions only take room on the first page.
    const int64_t first = std::max<int64_t>(0, perSheet - o.Skip);
    if (o.Count <= first)
        return 1;
    const int64_t pages = 1 + (o.Count - first + perSheet - 1) / perSheet;
    return int32_t(std::min<int64_t>(pages, INT32_MAX));
}

QString ProgressLine(int32_t page, int32_t total) {
    return total > 0 ? QStringLiteral("page %1 of %2").arg(page).arg(total)
                     : QStringLiteral("page %1").arg(page);
}

TRunLabel LoadRunLabel(const TCommandLineOptions& o, TLabelDocument& label) {
    if (!o.MissingStartFile.isEmpty())
        throw TUserError(
            QStringLiteral("The label file %1 does not exist.").arg(o.MissingStartFile));
    if (o.StartFile.isEmpty())
        throw TUserError(QStringLiteral("Nothing to print: give the label file first, as in "
                                        "\"vellumtrace label.lbl -p\"."));
    if (!o.MissingDataFile.isEmpty())
        throw TUserError(QStringLiteral("The data file %1 does not exist.").arg(o.MissingDataFile));

    if (!o.PrinterName.isEmpty() && !TPrinters::Select(o.PrinterName))
        throw TUserError(QStringLiteral("There is no printer named \"%1\". Printers: %2.")
                             .arg(o.PrinterName, TPrinters::Names().join(", ")));
    if (o.PrinterName.isEmpty() && !o.OutputPdf.isEmpty())
        TPrinters::Select(TPdfPrinter::DefaultName());
    TRunLabel run;
    if (IsTemplate(o.StartFile)) {
        run.Template = true;
        // A template is the stored default sheet with the template's values over it.
        TSheetSettings sheet;
        LoadSheetDefaults(TPreferenceStore(), sheet);
        ReadTemplate(o.StartFile, sheet);
        label.SetSheet(sheet);
    } else {
        TLabelContents doc = ReadLabelDocument(o.StartFile);
        label.SetSheet(doc.Sheet);
        run.ShowGrid = doc.ShowGrid;
        label.SetLabelSize(LabelPixelWidth(doc.Sheet), LabelPixelHeight(doc.Sheet));
        label.ReplaceControls(std::move(doc.Controls));
        for (const auto& c : label.Controls())
            c->SetLoading(false);
    }
    run.FileSheet = label.Sheet();
    if (o.Stock) {
        // The stock is this run's sheet only; the label file keeps its own.
        const TStockLibrary& library = TStockLibrary::Installed();
        for (const QString& problem : library.LoadProblems())
            ReportRunError(QStringLiteral("warning: stock library: ") + problem);
        QStringList warnings;
        TSheetSettings sheet = label.Sheet();
        ApplyRunStock(o, library, sheet, warnings);
        label.SetSheet(sheet);
        for (const QString& warning : warnings)
            ReportRunError(QStringLiteral("warning: ") + warning);
    }
    // The paper goes into the printer only: the sheet, and so the label file, keeps its own.
    const TPaperChoice paper = RunPaper(o, label.Sheet().Paper);
    TPrinter& printer = TPrinters::Current();
    if (!printer.SetPaper(paper)) {
        // The sentence a message box shows, as a warning line among the run's others.
        QString sentence = PaperFallbackWarning(printer.Name(), paper, printer.Paper());
        sentence[0] = sentence[0].toLower();
        ReportRunError(QStringLiteral("warning: ") + sentence);
    }
    if (!o.DataFile.isEmpty())
        run.Import = RunImportSettings(o, label.Sheet().DataImport);
    return run;
}

int RunUnattended(const TCommandLineOptions& o) {
    try {
        const std::optional<TPictureOptions> pictures = RunPictureOptions(o);
        TLabelDocument label;
        const TRunLabel run = LoadRunLabel(o, label);
        const TPrinter& printer = TPrinters::Current();
        QString output = o.OutputPdf;
        if (output.isEmpty() && printer.IsPdf())
            output = DefaultPdfPath(o.StartFile);

        // The counters continue in the next run, as closing the label in the designer saves them;
        // so does the next free label of a partly used sheet.
        const bool counters = HasSequences(label.Controls());
        const bool saveBack = !o.NoSave && !run.Template;
        TLabelFileForm form;
        if (saveBack)
            form = ReadLabelFileForm(o.StartFile);

        TConsoleProgress progress(KnownPageTotal(o, label.Sheet()));
        // The counters as the run starts them (some go back to their first value).
        ResetSequences(label.Controls());
        const std::vector<int32_t> firstValues = CounterValues(label.Controls());
        // The counters are saved as they stand after the run before anything is delivered: a run
        // that cannot save them prints nothing, and one whose delivery fails afterwards leaves a
        // gap in the numbers, never numbers printed twice.
        bool saved = false;
        // The file keeps the rows and columns fitted to this printer's paper, as the run
        // fits them on its own copy of the sheet.
        TSheetSettings written = label.Sheet();
        TPrinterPage page;
        RefreshPrinterPage(written, page, printer.Facts());
        if (o.Stock)
            written = run.FileSheet; // printed on a stock for this run only
        const TBeforeDelivery reserve = [&](const TPrintResult& result) {
            if (!saveBack)
                return;
            // Pictures use up no sheet, so the label's next free label stays where it was.
            if (!pictures) {
                written.NextLabel = result.NextLabel;
                written.NextSheet = result.NextLabel > 0 ? result.NextSheet : QString();
            }
            // A label without counters is written only when the position moved.
            const bool moved = written.NextLabel != run.FileSheet.NextLabel ||
                               written.NextSheet != run.FileSheet.NextSheet;
            if (!counters && !moved)
                return;
            try {
                WriteLabelBack(o.StartFile, form, written, run.ShowGrid, label.Controls());
            } catch (const TUserError& e) {
                throw TUserError(QStringLiteral("the %1 could not be saved, so nothing was "
                                                "printed: %2")
                                     .arg(counters ? QStringLiteral("counters")
                                                   : QStringLiteral("next free label"),
                                          e.Message()));
            }
            saved = true;
        };
        TPrintSettings settings = LabelRunSettings(o, label.Sheet(), printer);
        settings.Import = run.Import;
        settings.Calibration = UnattendedCalibration(o, printer, output);
        TPrintResult r;
        try {
            if (pictures) {
                // Delivered like a PDF, on the run's paper; pictures take no printer's facts.
                const TPictureRun drawn = PrintPictures(label.Sheet(), label.Controls(), settings,
                                                        RunPaper(o, label.Sheet().Paper), *pictures,
                                                        o.StartFile, &progress, reserve);
                r = drawn.Result;
                output = PicturesWritten(drawn.Files);
            } else {
                r = PrintLabels(label.Sheet(), label.Controls(), settings, printer, output,
                                o.StartFile, &progress, reserve);
            }
        } catch (const TUserError& e) {
            if (!saved)
                throw;
            // Nothing reached the sheet, so its free labels are where they were; the counters
            // written with them stay as saved, so no number is handed out twice.
            written.NextLabel = run.FileSheet.NextLabel;
            written.NextSheet = run.FileSheet.NextSheet;
            try {
                WriteLabelBack(o.StartFile, form, written, run.ShowGrid, label.Controls());
            } catch (const TUserError&) {
            }
            if (!counters)
                throw;
            ReportRunError(e.Message());
            ReportRunError(QStringLiteral("nothing was printed, but the counters were already "
                                          "saved: the numbers %1 were not printed and are skipped.")
                               .arg(TakenNumbers(label.Controls(), firstValues)));
            return 1;
        }
        if (r.Cancelled) {
            ReportRunError(QStringLiteral("printing was interrupted; nothing was printed."));
            return 1;
        }
        ReportUnclosedQuote(r, settings.DataFile);
        for (const TPictureTrouble& trouble : r.PictureTroubles)
            ReportRunError(QStringLiteral("warning: ") + PictureTroubleText(trouble));
        ReportDelivery(r, printer, output);
        return 0;
    } catch (const TUserError& e) {
        ReportRunError(e.Message());
        return 1;
    } catch (const std::exception& e) {
        ReportRunError(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
