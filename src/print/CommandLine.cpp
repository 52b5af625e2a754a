#include "print/CommandLine.h"

#include "document/Sheet.h"
#include "document/StockLibrary.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/PaperChoice.h"
#include "platform/Rounding.h"
#include "print/ParallelPages.h"
#include "print/PrintU.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {
// A parameter position past the last reads as an empty string.
QString Param(const QStringList& params, int32_t i) {
    return i >= 0 && i < params.size() ? params[i] : QString();
}

int32_t RoundedNumber(const QString& text) {
    return RoundHalfEven(ParseDecimal(text));
}

bool IsFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// A database server named by its address (postgresql://…) rather than a file.
bool IsServerAddress(const QString& source) {
    return source.contains(QLatin1String("://"));
}

std::optional<QString> SwitchValue(const QStringList& params, const char* sw) {
    if (const int32_t i = FindSwitch(params, QLatin1String(sw)); i > 0)
        return Param(params, i + 1);
    return std::nullopt;
}

TImportOverrides ParseImportOverrides(const QStringList& params) {
    TImportOverrides o;
    o.Delimiter = SwitchValue(params, "--delimiter");
    o.Quote = SwitchValue(params, "--quote");
    o.Encoding = SwitchValue(params, "--encoding");
    o.Fixed = SwitchValue(params, "--fixed");
    o.Table = SwitchValue(params, "--table");
    o.Query = SwitchValue(params, "--query");
    // Given both, the later one counts, as when a script appends a switch to a stored line.
    const int32_t header = FindSwitch(params, "--header");
    const int32_t noHeader = FindSwitch(params, "--no-header");
    if (header > 0 || noHeader > 0)
        o.Header = header > noHeader;
    return o;
}
} // namespace

int32_t FindSwitch(const QStringList& params, const QString& sw) {
    const QString wanted = sw.toUpper();
    for (int32_t i = 1; i < params.size(); ++i)
        if (params[i].toUpper() == wanted)
            return i;
    return 0;
}

TCommandLineOptions ParseCommandLine(const QStringList& params) {
    TCommandLineOptions o;
    if (params.size() <= 1)
        return o;
    const QString first = params[1];
    if (IsFile(first))
        o.StartFile = first;
    else if (!first.startsWith('-'))
        o.MissingStartFile = first;
    o.Unattended = FindSwitch(params, "-p") > 0;

    if (const int32_t i = FindSwitch(params, "-i"); i > 0) {
        const QString data = Param(params, i + 1);
        if (IsFile(data) || IsServerAddress(data))
            o.DataFile = data;
        else
            o.MissingDataFile = data.isEmpty() ? QStringLiteral("-i") : data;
    }
    if (!o.DataFile.isEmpty())
        o.Range = TPrintRange::All;

    if (const int32_t r = FindSwitch(params, "-r"); r > 0) {
        const QString a = Param(params, r + 1).toUpper();
        if (a == "ALL") {
            o.Range = TPrintRange::All;
        } else {
            const QString b = Param(params, r + 2).toUpper();
            if (b == "PAGES" || b == "LABELS") {
                o.Range = b == "PAGES" ? TPrintRange::Pages : TPrintRange::Labels;
                o.Count = std::max(1, RoundedNumber(Param(params, r + 1)));
            }
        }
    }
    if (const int32_t k = FindSwitch(params, "-c"); k > 0)
        o.Copies = std::max(1, RoundedNumber(Param(params, k + 1)));
    if (const int32_t s = FindSwitch(params, "-s"); s > 0) {
        o.SkipNext = Param(params, s + 1).compare(QLatin1String("next"), Qt::CaseInsensitive) == 0;
        o.Skip = std::max(0, RoundedNumber(Param(params, s + 1)));
    }
    o.CopiesField = SwitchValue(params, "--copies-field");

    if (const int32_t out = FindSwitch(params, "-o"); out > 0)
        o.OutputPdf = Param(params, out + 1);
    if (const int32_t d = FindSwitch(params, "-d"); d > 0)
        o.PrinterName = Param(params, d + 1);
    if (const int32_t paper = FindSwitch(params, "--paper"); paper > 0)
        o.Paper = Param(params, paper + 1);
    if (const int32_t t = FindSwitch(params, "--threads"); t > 0)
        o.Threads = Param(params, t + 1);
    o.Import = ParseImportOverrides(params);
    o.Stock = SwitchValue(params, "--stock");
    if (const int32_t l = FindSwitch(params, "--list-stocks"); l > 0) {
        QStringList words;
        for (int32_t i = l + 1; i < params.size() && !params[i].startsWith(u'-'); ++i)
            words << params[i];
        o.ListStocks = words;
    }
    o.NoSave = FindSwitch(params, "--no-save") > 0;
    o.Check = FindSwitch(params, "--check") > 0;
    o.NoReadBack = FindSwitch(params, "--no-read-back") > 0;
    o.Help = FindSwitch(params, "--help") > 0 || FindSwitch(params, "-h") > 0;
    o.Version = FindSwitch(params, "--version") > 0;
    o.Offset = SwitchValue(params, "--offset");
    o.Scale = SwitchValue(params, "--scale");
    o.CalibrationPage = FindSwitch(params, "--calibration-page") > 0;
    o.Dpi = SwitchValue(params, "--dpi");
    o.OneLabel = FindSwitch(params, "--one-label") > 0;
    return o;
}

TPaperChoice RunPaper(const TCommandLineOptions& o, const TPaperChoice& labelPaper) {
    if (!o.Paper)
        return labelPaper;
    if (o.Paper->isEmpty())
        throw TUserError(
            QStringLiteral("--paper needs a paper, as in --paper A4 or --paper 4x6in."));
    TPaperChoice paper;
    QString reason;
    if (!ParsePaper(*o.Paper, paper, &reason))
        throw TUserError(reason);
    if (StandardPaperId(*o.Paper) != QPageSize::Custom)
        paper.Landscape = labelPaper.Landscape;
    return paper;
}

int32_t RunThreads(const TCommandLineOptions& o) {
    if (!o.Threads)
        return 0;
    bool ok = false;
    const int32_t n = o.Threads->toInt(&ok);
    if (!ok || n < 1)
        throw TUserError(QStringLiteral("--threads needs a whole number from 1, as in --threads 2; "
                                        "\"%1\" is not one.")
                             .arg(*o.Threads));
    return std::min(n, MaxPrintThreads);
}

QStringList StockListLines(const TStockLibrary& library, const QStringList& words) {
    if (library.Empty())
        throw TUserError(QStringLiteral(
            "No library of label stocks is installed (the glabels-data package, or template "
            "files in ~/.config/libglabels/templates)."));
    QStringList lines;
    for (const TStock* s : library.Search(words.join(u' '))) {
        const TStockLayout layout = s->Layouts.isEmpty() ? TStockLayout() : s->Layouts.first();
        const QString paper = s->PaperName.isEmpty()
                                  ? QStringLiteral("%1 x %2 in")
                                        .arg(QString::number(s->PaperWidth, 'g', 4),
                                             QString::number(s->PaperHeight, 'g', 4))
                                  : s->PaperName;
        QStringList fields{
            s->Name(), s->Description,
            QStringLiteral("%1 x %2 in")
                .arg(QString::number(s->Width, 'g', 4), QString::number(s->Height, 'g', 4)),
            QStringLiteral("%1 x %2").arg(layout.Columns).arg(layout.Rows), paper};
        const QString why = s->NotApplicable();
        if (!why.isEmpty())
            fields << why;
        lines << fields.join(u'\t');
    }
    return lines;
}

void ApplyRunStock(const TCommandLineOptions& o, const TStockLibrary& library,
                   TSheetSettings& sheet, QStringList& warnings) {
    if (!o.Stock)
        return;
    const TStock* stock = library.Find(*o.Stock);
    if (!stock) {
        if (library.Empty())
            throw TUserError(QStringLiteral("There is no stock \"%1\": no library of label stocks "
                                            "is installed (the glabels-data package).")
                                 .arg(*o.Stock));
        const QStringList close = library.ClosestNames(*o.Stock);
        throw TUserError(QStringLiteral("There is no stock \"%1\" in the library%2")
                             .arg(*o.Stock, close.isEmpty()
                                                ? QStringLiteral(".")
                                                : QStringLiteral("; did you mean %1?")
                                                      .arg(close.join(QStringLiteral(", ")))));
    }
    const double labelWidth = SheetLengthInInches(sheet.LabelWidth, sheet.Metric);
    const double labelHeight = SheetLengthInInches(sheet.LabelHeight, sheet.Metric);
    QString why;
    if (!ApplyStock(*stock, sheet, &why))
        throw TUserError(why + u'.');
    // The controls stay as they are: a label made for another size still prints, but the user
    // should know it may not fit.
    if (std::abs(labelWidth - stock->Width) > 0.01 || std::abs(labelHeight - stock->Height) > 0.01)
        warnings << QStringLiteral("the label is %1 x %2 in but the labels of %3 are %4 x %5 in.")
                        .arg(QString::number(labelWidth, 'g', 4),
                             QString::number(labelHeight, 'g', 4), stock->Name(),
                             QString::number(stock->Width, 'g', 4),
                             QString::number(stock->Height, 'g', 4));
}

void UseCopiesField(TPrintSettings& settings, const TCommandLineOptions& o,
                    const TSheetSettings& label) {
    settings.CopiesField = label.CopiesField;
    settings.CopiesName = label.CopiesName;
    if (!o.CopiesField)
        return;
    const QString value = o.CopiesField->trimmed();
    if (value.isEmpty())
        throw TUserError(QStringLiteral("--copies-field needs a field's number or a column's name, "
                                        "as in --copies-field 3 or --copies-field Quantity."));
    bool number = false;
    const int32_t n = value.toInt(&number);
    if (number && n < 1)
        throw TUserError(
            QStringLiteral("--copies-field counts fields from 1; \"%1\" is no field.").arg(value));
    settings.CopiesField = number ? n : 0;
    settings.CopiesName = number ? QString() : value;
}

QString PaperFallbackWarning(const QString& printerName, const TPaperChoice& wanted,
                             const TPaperChoice& own) {
    const QString warning =
        QStringLiteral("The printer %1 has no %2 paper; printing on its own paper")
            .arg(printerName, wanted.Text());
    return own.IsSet() ? warning + QStringLiteral(", %1.").arg(own.Text())
                       : warning + QStringLiteral(".");
}

QString CommandLineHelp() {
    return QStringLiteral(
        "Usage: vellumtrace [LABEL.lbl | TEMPLATE.lbf] [switches]\n"
        "\n"
        "Opens the label designer, or with -p prints the label unattended and exits.\n"
        "\n"
        "  -p              print without dialogs and exit (needs a label file first)\n"
        "  -i DATA         data to merge; the range becomes ALL. A text file (.txt tab,\n"
        "                  .csv comma, .prn fixed columns, .dat custom separator, unless\n"
        "                  the label keeps settings of its own), a spreadsheet (.xlsx,\n"
        "                  .ods), a SQLite database file, or a server as\n"
        "                  postgresql://USER@HOST:PORT/DATABASE (the password from\n"
        "                  PGPASSWORD or ~/.pgpass, never on the command line)\n"
        "  --delimiter C   cut the text file's lines at C: one character, or tab\n"
        "  --quote C       the quote character of the text file, or none\n"
        "  --header        the first line (row) is a header and is not printed\n"
        "  --no-header     the first line (row) is a record\n"
        "  --encoding E    the text file is utf-8, utf-16 or windows-1252\n"
        "  --fixed W,W,... cut the text file's lines into columns this many characters wide\n"
        "  --table NAME    the spreadsheet's sheet, or the database table, to read\n"
        "  --query SQL     the database query whose rows are the records\n"
        "  -r ALL          print every record of the data file\n"
        "  -r N PAGES      print N pages\n"
        "  -r N LABELS     print N labels\n"
        "  -c N            copies of each record or counter value (at least 1)\n"
        "  -s N            label positions to leave empty on the first page\n"
        "  -s next         start where the last run on this sheet and paper stopped (the\n"
        "                  label file keeps the next free position of a partly used sheet)\n"
        "  --copies-field N|NAME\n"
        "                  print each record as many times as its field N (or the column\n"
        "                  NAME of the header) says, 0 to 9999, instead of -c\n"
        "  -o FILE.pdf     print into a PDF file\n"
        "  -o FILE.png     print into PNG pictures, one per page: FILE.png for one page,\n"
        "                  else FILE-001.png, FILE-002.png, ...; -o FILE.svg likewise SVG\n"
        "  --dpi N         the pictures' pixels per inch, 72 to 1200 (default 300)\n"
        "  --one-label     with a picture output: one picture per label, at its own size\n"
        "  -d PRINTER      print on the named printer\n"
        "  --paper PAPER   print this run on PAPER instead of the paper chosen for the label\n"
        "                  in Print Setup: a name (Letter, A4, Legal, A5, ...) keeps the\n"
        "                  label's orientation; a size WxH with a unit of in, mm, cm or pt\n"
        "                  (4x6in, 100x150mm) lies as given; the label file keeps its paper\n"
        "  --stock NAME    print this run on a stock from the library (\"Avery 5160\"): its\n"
        "                  label size, margins, gutters, rows, columns and paper\n"
        "  --list-stocks [WORDS...]\n"
        "                  list the library's stocks (matching every word), one per line\n"
        "  --threads N     draw the pages on N threads (default: one per core, at most 8,\n"
        "                  or the environment's VELLUMTRACE_THREADS); 1 draws them in turn\n"
        "  --offset X,Y    move this run's print by X across and Y down (inches, or each\n"
        "                  with mm, cm or in: 0.5mm,-1mm; at most 1 in either way), instead\n"
        "                  of the printer's calibration from Print Setup\n"
        "  --scale X,Y     stretch this run's print by X and Y percent (95 to 105: 101,99.5)\n"
        "  --calibration-page\n"
        "                  with -o FILE.pdf or -d PRINTER: print the printer's calibration\n"
        "                  page (a cross 1 in from the paper's corner, rulers) and exit\n"
        "  --no-save       leave the label file as it was (after a run the counters of a\n"
        "                  label with sequence fields, and the next free label of a partly\n"
        "                  used sheet, are saved, so the next run goes on)\n"
        "  --check         check the labels the same switches would print, print nothing:\n"
        "                  one line per problem (barcode data a symbol cannot carry, pads or\n"
        "                  cuts, a wrong check digit, a symbol or text its box would cut, a\n"
        "                  symbol that does not read back), then a summary; the label file\n"
        "                  is left as it was\n"
        "  --no-read-back  with --check: skip reading each symbol back with a decoder\n"
        "  --help          show this text\n"
        "  --version       show the version\n"
        "\n"
        "Without -o or -d the run prints on the system's default printer, or, when the system\n"
        "has no printer, into a PDF file named after the label (LABEL.pdf) in the working\n"
        "folder.\n"
        "Exit status: 0 when every label was printed, 1 on any error (reported on stderr).\n"
        "With --check: 0 when no label has a problem, 3 when some have, 1 when the run\n"
        "could not be checked.\n"
        "2 when there is no display (DISPLAY, WAYLAND_DISPLAY) to open the label designer on.\n");
}
