#pragma once

#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "merge/ImportRecord.h"
#include "merge/TextImportSettings.h"
#include "platform/Calibration.h"
#include "platform/Printer.h"
#include "print/PrintControls.h"
#include "print/PrintRange.h"
#include "print/RecordCopies.h"
#include "print/RecordPictures.h"

#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

// What a print run is asked to do; the print dialog and the command line fill it.
struct TPrintSettings {
    TPrintRange Range = TPrintRange::All;
    int32_t PageCount = 1;
    int32_t LabelCount = 1;
    int32_t Duplicates = 1;
    QString DataFile;
    int32_t Skip = 0;
    // How the data file's lines split into fields; whoever chose the file fills it.
    TTextImportSettings Import;
    // Threads that draw the pages of a printed run (PrintThreads); 0 for the machine's cores.
    int32_t Threads = 0;
    // Labels to a chunk of pages drawn by one thread; 0 for the engine's own choice.
    int32_t ChunkLabels = 0;

    // Calibration of the printer the run prints on; the identity leaves every mark in place.
    TCalibration Calibration;

    // Copies of each record from a field of the data instead of Duplicates (RecordCopies.h):
    // the field's number from 1, and its header name, which wins when the data has that column.
    // Neither set, or no data: Duplicates.
    int32_t CopiesField = 0;
    QString CopiesName;
};

// The page a run lays its labels out on: the run's own copy of the sheet with its rows and
// columns fitted to the paper (unless forced), the printer's page facts, and the scale of one
// screen pixel on that page.
struct TPrintLayout {
    TSheetSettings Sheet;
    TPrinterPage Page;
    TPrintScale Scale; // calibrated: boxes, fonts and pens stretch with the calibration's scale
    TCalibration Calibration;
};
// The layout of sheet on a printer with facts; sheet itself is left as it is. The calibration
// moves and stretches labels and controls; it leaves the printer's resolution, and so the
// whole pixels of a barcode's modules, as they are.
TPrintLayout FitPrintLayout(const TSheetSettings& sheet, const TPrinterFacts& facts,
                            const TCalibration& calibration = {});
// Where a mark meant for paper position paper (printer pixels from the paper's edge) lands
// with the calibration's offset (inches) and scale along one axis, in printer pixels from the
// paper's edge.
int32_t CalibratedPosition(int32_t paper, double offsetInches, double scale, int32_t resolution);
// The scale of a screen pixel on page.
TPrintScale PagePrintScale(const TPrinterPage& page);

// Where a run reports its progress and learns of a cancel.
class TPrintProgress {
public:
    virtual ~TPrintProgress() = default;
    virtual void Start(const QString& documentName, const QString& printerName) = 0;
    // Page number now being printed, from 1; called at the start and after each new page.
    virtual void Page(int32_t page) = 0;
    virtual bool Cancelled() = 0;
    virtual void Close() = 0;
    // The run's length when the settings fix it, before the first page: pages for a page range,
    // labels for a label range. Not called for runs that end with the data.
    virtual void Total(TPrintRange /*unit*/, int32_t /*count*/) {}
    // Labels drawn so far; called after each label.
    virtual void Labels(int32_t /*labels*/) {}
};

// Where a run's pages go, one after the other.
class TPageSink {
public:
    virtual ~TPageSink() = default;
    virtual void NewPage() = 0;
    // After the last label: draws whatever is still to draw, watching progress for a cancel;
    // false when the run was cancelled meanwhile.
    virtual bool Drain(TPrintProgress* /*progress*/) { return true; }
    virtual void End() {}
    virtual void Abort() {}
};

// Where a run draws its pages: a print job, or a preview's page pictures.
class TPageTarget : public TPageSink {
public:
    // Device pixels of the printer, origin at the top-left of the printable area.
    virtual QPainter& Painter() = 0;
};

struct TPrintResult {
    int32_t Labels = 0;
    int32_t Pages = 0;
    bool Cancelled = false;
    QString JobId; // the printer queue's name for the job; empty for a PDF file
    // The data file's line where a quoted field opened that no quote closed (it ran to the end
    // of the file); 0 when there was none.
    int64_t UnclosedQuoteLine = 0;

    // Where the next free label of the run's last page is, from 0 (0 when the run filled it),
    // and the fingerprint of the page it was counted on (NextLabelSheet).
    int32_t NextLabel = 0;
    QString NextSheet;

    // The pictures image controls took from records that could not be read (those controls
    // printed empty), once per file name.
    std::vector<TPictureTrouble> PictureTroubles;
};

// Called once every page of a run is rendered, before anything is delivered, with the run's
// outcome so far; throwing TUserError from it discards the run (nothing is delivered).
using TBeforeDelivery = std::function<void(const TPrintResult&)>;

// The whole run: lays the label out on the printer's pages with the sheet settings, merging one
// record of the data file into each label. The run fits rows and columns on its own copy of the
// sheet; the caller's sheet and controls list are the only inputs, and runs of different labels
// may go on in different threads at once. Output goes to outputPdf when given, else to the
// printer. Throws TUserError (nothing printed) for a run that could never end, a sheet whose rows
// or columns do not all start on the paper (SheetFitProblem), an unreadable data file or one that
// changed while the run read it (PrintText::DataChanged), a job that cannot start or be
// delivered, or memory running out; a cancelled run is discarded. Texts are drawn cut to
// MaxDrawnTextLength characters, however long the data's fields. beforeDelivery, when given, runs
// between rendering and delivery.
TPrintResult PrintLabels(const TSheetSettings& sheet, const TControlList& controls,
                         const TPrintSettings& settings, const TPrinter& printer,
                         const QString& outputPdf, const QString& documentFileName,
                         TPrintProgress* progress, const TBeforeDelivery& beforeDelivery = {});

// The same run drawn onto target instead of a job (nothing is written or queued); the same
// checks and errors apart from the job's. Counters advance as in a real run.
TPrintResult PaintLabels(const TSheetSettings& sheet, const TControlList& controls,
                         const TPrintSettings& settings, const TPrinter& printer,
                         TPageTarget& target, TPrintProgress* progress);

// Where a label of a run stands and what it merges.
struct TLabelPlace {
    int32_t Label = 0; // from 1, in the order of the run
    int32_t Page = 0;  // from 1
    int32_t Column = 0;
    int32_t Row = 0;
    const TImportRecord* Record = nullptr; // none without data
    const TImportRecord* Header = nullptr; // the data file's header fields, when it has them
    int64_t RecordNumber = 0;              // from 1; 0 without data
    int64_t RecordLine = 0;                // the record's line of the data file
    bool LastCopy = false;                 // the last of the duplicates of its record
    const TPrintLayout* Layout = nullptr;  // the run's page layout; set for every label of a run

    // The run's pictures taken from records; set for every label of a run.
    TRecordPictures* Pictures = nullptr;
};
using TLabelVisit = std::function<void(const TLabelPlace&)>;

// The run without pages: visit is called for every label a print run of the same settings
// would print, in the same order, with the same records and the same places (LastCopy tells
// whether the label is the last copy of its record). Nothing is drawn or queued; the same checks
// and errors as PrintLabels apart from the job's. Counters are reset at the start, as in a run.
// With copiesProblems, records whose copies field cannot be read are told there and skipped
// instead of stopping the walk.
TPrintResult WalkLabels(const TSheetSettings& sheet, const TControlList& controls,
                        const TPrintSettings& settings, const TPrinter& printer,
                        const TLabelVisit& visit, TPrintProgress* progress,
                        const TCopiesProblemSink& copiesProblems = {});

struct TPlannedLabel;
// A run delivered by a sink of the caller's instead of a print job: open gives the sink on the
// run's layout, and add gets each label planned in order (texts evaluated, counters stepped).
// The same checks, errors and delivery as PrintLabels: the sink's Drain, then beforeDelivery,
// then its End; a cancelled or failed run ends with its Abort or with the sink discarded.
using TOpenPlannedSink = std::function<TPageSink*(const TPrintLayout&)>;
using TAddPlannedLabel = std::function<void(TPageSink*, TPlannedLabel)>;
TPrintResult RunPlannedLabels(const TSheetSettings& sheet, const TControlList& controls,
                              const TPrintSettings& settings, const TPrinter& printer,
                              const QString& documentFileName, const TOpenPlannedSink& open,
                              const TAddPlannedLabel& add, TPrintProgress* progress,
                              const TBeforeDelivery& beforeDelivery = {});

// The title of a job: the label file's name without folder, or the program's name.
QString JobTitle(const QString& documentFileName);

// One label at grid position (column, row) of the layout's page, in printer pixels.
QRect LabelRect(const TPrintLayout& layout, int32_t column, int32_t row);
// A control's box on a label placed at labelRect: a control without auto size is confined to
// its box within the label.
TPrintBox ControlPrintBox(const TLabelControl& c, const QRect& labelRect, const TPrintScale& s);
// A label of a run with what its record and copy make of it: its place on the page and the text
// of each control (empty for the kinds that carry none), evaluated in the run's order. Drawing
// it needs nothing else, so labels can be drawn on any thread once planned.
struct TPlannedLabel {
    int32_t Column = 0;
    int32_t Row = 0;
    std::vector<QString> Texts; // one per control, in the controls' order

    // One per control: the picture an image control takes from the record (a null picture
    // when it could not be read: the control prints empty); none for the other controls.
    std::vector<std::optional<TRecordPicture>> Pictures;
};
// Evaluates the texts of the label at place; counters step as they do when it is drawn.
TPlannedLabel PlanLabel(const TControlList& controls, const TLabelPlace& place);
// Draws a planned label on the layout's page. Reads the controls only.
void DrawPlannedLabel(QPainter& canvas, const TPrintLayout& layout, const TControlList& controls,
                      const TPlannedLabel& label);
// Draws the label at place (its position, record and copy) on the layout's page.
void PrintOneLabel(QPainter& canvas, const TPrintLayout& layout, const TControlList& controls,
                   const TLabelPlace& place);
void PrintLabelBorder(QPainter& canvas, const TPrintLayout& layout, const QRect& rect);

// Messages of refused runs.
namespace PrintText {
inline constexpr const char* NoEnd =
    "Nothing to print: printing all records needs a data file and a label with imported fields.";
inline constexpr const char* NoRoom =
    "The label does not fit on the page: the sheet has no rows or no columns.";
inline constexpr const char* NoRecords = "The data file %1 holds no records to print.";
inline constexpr const char* NoCopies =
    "Every record of the data file %1 asks for 0 copies; there is nothing to print.";
inline constexpr const char* NoMemory =
    "There is not enough memory to print this label with this data; nothing was printed.";
inline constexpr const char* DefaultTitle = "Vellumtrace";
inline constexpr const char* DataChanged =
    "The data file %1 changed while it was being printed; nothing was printed.";
} // namespace PrintText
