#include "print/PrintU.h"

#include "document/KindRegistry.h"
#include "document/LabelFields.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/TextRendering.h"
#include "merge/DataFileReader.h"
#include "platform/Errors.h"
#include "platform/PrintJob.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "print/NextLabel.h"
#include "print/ParallelPages.h"
#include "print/PrintControls.h"
#include "print/SheetFit.h"

#include <QFileInfo>
#include <QPainter>

#include <functional>
#include <new>

TPrintScale PagePrintScale(const TPrinterPage& page) {
    TPrintScale s;
    s.PrinterX = page.PixelsPerInchX;
    s.PrinterY = page.PixelsPerInchY;
    s.X = double(page.PixelsPerInchX) / ScreenPixelsPerInchX();
    s.Y = double(page.PixelsPerInchY) / ScreenPixelsPerInchY();
    return s;
}

TPrintLayout FitPrintLayout(const TSheetSettings& sheet, const TPrinterFacts& facts,
                            const TCalibration& calibration) {
    TPrintLayout layout;
    layout.Sheet = sheet;
    RefreshPrinterPage(layout.Sheet, layout.Page, facts);
    layout.Scale = PagePrintScale(layout.Page);
    layout.Scale.X *= calibration.ScaleX;
    layout.Scale.Y *= calibration.ScaleY;
    layout.Calibration = calibration;
    return layout;
}

int32_t CalibratedPosition(int32_t paper, double offsetInches, double scale, int32_t resolution) {
    // Exact for the identity: 0 + 1 x p is p, so an uncalibrated page is as it always was.
    return RoundHalfEven(offsetInches * resolution + scale * paper);
}

namespace {
// Closes the data file and the progress window however the run ends.
struct TRunGuard {
    TDataFileReader* reader = nullptr;
    TPrintProgress* progress = nullptr;
    ~TRunGuard() {
        if (progress)
            progress->Close();
        if (reader)
            reader->CloseDataFile();
    }
};
} // namespace

QString JobTitle(const QString& documentFileName) {
    if (documentFileName.isEmpty())
        return QString::fromLatin1(PrintText::DefaultTitle);
    return QFileInfo(documentFileName).fileName();
}

QRect LabelRect(const TPrintLayout& layout, int32_t column, int32_t row) {
    const TSheetSettings& sheet = layout.Sheet;
    const TPrinterPage& page = layout.Page;
    const TCalibration& k = layout.Calibration;
    const int32_t ppiX = page.PixelsPerInchX, ppiY = page.PixelsPerInchY;
    // Origins are measured from the paper's edge, where the calibration's offset starts too.
    const int32_t left =
        CalibratedPosition(ColumnOrigin(sheet, column, ppiX), k.OffsetX, k.ScaleX, ppiX) -
        page.OffsetX;
    const int32_t top =
        CalibratedPosition(RowOrigin(sheet, row, ppiY), k.OffsetY, k.ScaleY, ppiY) - page.OffsetY;
    const int32_t width =
        RoundHalfEven(k.ScaleX * SheetLengthToPixels(sheet.LabelWidth, sheet.Metric, ppiX));
    const int32_t height =
        RoundHalfEven(k.ScaleY * SheetLengthToPixels(sheet.LabelHeight, sheet.Metric, ppiY));
    return QRect(left, top, width, height);
}

void PrintLabelBorder(QPainter& canvas, const TPrintLayout& layout, const QRect& rect) {
    const TSheetSettings& sheet = layout.Sheet;
    if (sheet.BorderStyle <= 0 || sheet.BorderStyle >= BorderStyleCount)
        return;
    const TPrintScale& s = layout.Scale;
    const int32_t width = sheet.BorderStyle == 1 ? RoundHalfEven((sheet.BorderSize + 1) * s.X) : 1;
    canvas.save();
    canvas.setClipRect(rect);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(Qt::black, width, Qt::PenStyle(BorderPenStyle(sheet.BorderStyle)),
                       Qt::SquareCap, Qt::MiterJoin));
    canvas.setBrush(Qt::NoBrush);
    const int32_t g = RoundHalfEven(width / 2.0);
    const QRectF frame = PenFrame(rect.left() + g, rect.top() + g, rect.left() + rect.width() - g,
                                  rect.top() + rect.height() - g);
    if (sheet.BorderShape == 1) {
        const int32_t k =
            RoundHalfEven(std::min(rect.width(), rect.height()) * sheet.BorderPct / 100.0);
        canvas.drawRoundedRect(frame, k / 2.0, k / 2.0);
    } else {
        canvas.drawRect(frame);
    }
    canvas.restore();
}

TPrintBox ControlPrintBox(const TLabelControl& c, const QRect& labelRect, const TPrintScale& s) {
    TPrintBox box{labelRect.left() + RoundHalfEven(c.Left() * s.X),
                  labelRect.top() + RoundHalfEven(c.Top() * s.Y), RoundHalfEven(c.Width() * s.X),
                  RoundHalfEven(c.Height() * s.Y), labelRect};
    if (!c.AutoSize()) {
        box.clip = QRect(box.x, box.y, box.w, box.h).intersected(labelRect);
        box.clip.setWidth(box.clip.width() + RoundHalfEven(s.X));
        box.clip.setHeight(box.clip.height() + RoundHalfEven(s.Y));
    }
    return box;
}

namespace {
// Image controls that take their picture from the record get it decoded now, on the run's
// thread, so that drawing needs nothing but the planned label.
void PlanRecordPictures(const TControlList& controls, const TLabelPlace& place,
                        TPlannedLabel& label) {
    std::optional<TRecordPictures> own;
    for (size_t i = 0; i < controls.size(); ++i) {
        const TLabelControl& c = *controls[i];
        if (!TakesRecordPicture(c))
            continue;
        if (!place.Pictures && !own)
            own.emplace(QString());
        TRecordPictures& pictures = place.Pictures ? *place.Pictures : *own;
        label.Pictures.resize(controls.size());
        label.Pictures[i] =
            pictures.Picture(c.GetPrintText(place.Record, place.LastCopy, place.Header),
                             place.RecordNumber, place.RecordLine);
    }
}
} // namespace

TPlannedLabel PlanLabel(const TControlList& controls, const TLabelPlace& place) {
    TPlannedLabel label;
    label.Column = place.Column;
    label.Row = place.Row;
    label.Texts.reserve(controls.size());
    for (const auto& control : controls) {
        const TLabelControl& c = *control;
        // Only the kinds that carry a text evaluate it, so counters step for those alone.
        const bool carries = KindPrinter(c.Kind()) && KindTraits(c.Kind()).CarriesText;
        label.Texts.push_back(
            carries ? TextForDrawing(c.GetPrintText(place.Record, place.LastCopy, place.Header))
                    : QString());
    }
    PlanRecordPictures(controls, place, label);
    return label;
}

void DrawPlannedLabel(QPainter& canvas, const TPrintLayout& layout, const TControlList& controls,
                      const TPlannedLabel& label) {
    const QRect labelRect = LabelRect(layout, label.Column, label.Row);
    PrintLabelBorder(canvas, layout, labelRect);
    const TPrintScale& s = layout.Scale;
    for (size_t i = 0; i < controls.size(); ++i) {
        const TLabelControl& c = *controls[i];
        const TKindPrinter* printer = KindPrinter(c.Kind());
        if (!printer)
            continue;
        const QString& text = i < label.Texts.size() ? label.Texts[i] : QString();
        if (i < label.Pictures.size() && label.Pictures[i])
            PrintImagePicture(canvas, c, label.Pictures[i]->Pixels, label.Pictures[i]->Vectors,
                              ControlPrintBox(c, labelRect, s));
        else
            printer->Print(canvas, c, text, ControlPrintBox(c, labelRect, s), s);
    }
}

void PrintOneLabel(QPainter& canvas, const TPrintLayout& layout, const TControlList& controls,
                   const TLabelPlace& place) {
    DrawPlannedLabel(canvas, layout, controls, PlanLabel(controls, place));
}

namespace {
class TJobTarget : public TPageTarget {
public:
    explicit TJobTarget(std::unique_ptr<TPrintJob> job) : m_job(std::move(job)) {}
    QPainter& Painter() override { return m_job->Painter(); }
    void NewPage() override { m_job->NewPage(); }
    void End() override { m_job->End(); }
    void Abort() override { m_job->Abort(); }
    void Finish() { m_job->Finish(); }
    const QString& JobId() const { return m_job->JobId(); }

private:
    std::unique_ptr<TPrintJob> m_job;
};

// Opens the run's target on its layout once the checks passed and the data file opened; a walk
// has none.
using TOpenTarget = std::function<TPageSink*(const TPrintLayout&)>;
// What the run does at each label: draws it on the target, plans it, or visits it.
using TDoLabel = std::function<void(TPageSink*, const TLabelPlace&)>;

// What a run that delivers does once its pages are drawn and before its target ends.
struct TDelivery {
    bool VerifyData = false; // refuse a data file that changed while it was read
    TBeforeDelivery Before;
};

TPrintResult RunLabels(const TSheetSettings& sheetSettings, const TControlList& controls,
                       const TPrintSettings& settings, const TPrinter& printer,
                       const QString& title, const TOpenTarget& open, const TDoLabel& doLabel,
                       TPrintProgress* progress, const TDelivery& delivery = {},
                       const TCopiesProblemSink& copiesProblems = {}) {
    // Rows and columns are fitted to this printer's paper on the run's own copy of the sheet.
    const TPrintLayout layout =
        FitPrintLayout(sheetSettings, printer.Facts(), settings.Calibration);
    const TSheetSettings& sheet = layout.Sheet;
    const bool dataActive = UsesImportedFields(controls) && !settings.DataFile.isEmpty();
    // Runs the layout loop could never finish are refused before anything starts.
    if (sheet.Rows <= 0 || sheet.Columns <= 0)
        throw TUserError(QString::fromLatin1(PrintText::NoRoom));
    // Positions beyond the paper's edge would take records and print nothing; refusing them
    // also keeps every page's walk to positions that can be printed.
    const QString misfit = SheetFitProblem(sheet, layout.Page);
    if (!misfit.isEmpty())
        throw TUserError(misfit);
    if (settings.Range == TPrintRange::All && !dataActive)
        throw TUserError(QString::fromLatin1(PrintText::NoEnd));

    ResetSequences(controls);
    TDataFileReader reader(settings.Import);
    TRunGuard guard;
    if (dataActive) {
        reader.OpenDataFile(settings.DataFile);
        guard.reader = &reader;
        // A file with no data line would print its header (or nothing) as a label.
        if (!reader.HasRecord())
            throw TUserError(QString::fromLatin1(PrintText::NoRecords).arg(settings.DataFile));
    }
    TPrintResult result;
    TRecordPictures pictures(PictureFolder(settings.DataFile));
    const int32_t duplicates = std::max(1, settings.Duplicates);
    const bool copiesByField =
        dataActive && (settings.CopiesField > 0 || !settings.CopiesName.isEmpty());
    const int32_t copiesColumn = copiesByField
                                     ? CopiesColumn(settings.CopiesField, settings.CopiesName,
                                                    reader.HeaderRecord(), settings.DataFile)
                                     : 0;
    // The copies the current record asks for.
    int32_t wanted = duplicates;
    const auto readCopies = [&]() -> int32_t {
        const TRecordCopies r = RecordCopies(reader.ImportRecord(), copiesColumn);
        if (r.Problem.isEmpty())
            return r.Copies;
        TCopiesProblem problem{result.Labels + 1, reader.RecordNumber(), reader.RecordLine(),
                               copiesColumn, r.Problem};
        if (!copiesProblems)
            throw TUserError(CopiesRefusal(problem, settings.DataFile));
        copiesProblems(problem);
        return 0;
    };
    // Moves past the records that ask for no copies; false when the data ends among them.
    const auto settleRecord = [&]() -> bool {
        if (!copiesByField)
            return true;
        while ((wanted = readCopies()) == 0) {
            if (reader.AtEndOfData())
                return false;
            reader.ReadNextRecord();
        }
        return true;
    };
    if (!settleRecord()) {
        // A check reports the records it could not read instead of refusing.
        if (copiesProblems)
            return result;
        throw TUserError(QString::fromLatin1(PrintText::NoCopies).arg(settings.DataFile));
    }
    TPageSink* job = open(layout);
    if (progress) {
        progress->Start(title, printer.Name());
        if (settings.Range == TPrintRange::Pages)
            progress->Total(TPrintRange::Pages, settings.PageCount);
        else if (settings.Range == TPrintRange::Labels)
            progress->Total(TPrintRange::Labels, settings.LabelCount);
        progress->Page(1);
        guard.progress = progress;
    }

    const int32_t rows = sheet.Rows, columns = sheet.Columns;
    const int32_t skip = std::max(0, settings.Skip);
    const int32_t perPage = rows * columns;
    int32_t lastPosition = std::min(skip, perPage) - 1;
    int32_t copies = 0;
    bool done = false;
    while (!done) {
        const bool firstPage = result.Pages == 0;
        const int32_t r0 = firstPage && skip > 0 ? skip / columns : 0;
        for (int32_t r = r0; !done && r < rows; ++r) {
            const int32_t c0 =
                firstPage && skip > 0 && r == skip / columns ? skip - columns * r : 0;
            for (int32_t c = c0; !done && c < columns; ++c) {
                TLabelPlace place;
                place.LastCopy = copies + 1 == wanted;
                place.Layout = &layout;
                place.Pictures = &pictures;
                place.Label = result.Labels + 1;
                place.Page = result.Pages + 1;
                place.Column = c;
                place.Row = r;
                if (dataActive) {
                    place.Record = &reader.ImportRecord();
                    place.Header = &reader.HeaderRecord();
                    place.RecordNumber = reader.RecordNumber();
                    place.RecordLine = reader.RecordLine();
                }
                doLabel(job, place);
                lastPosition = r * columns + c;
                ++result.Labels;
                if (progress)
                    progress->Labels(result.Labels);
                ++copies;
                if (copies == wanted) {
                    copies = 0;
                    if (dataActive) {
                        if (reader.AtEndOfData()) {
                            done = true;
                        } else {
                            reader.ReadNextRecord();
                            done = !settleRecord();
                        }
                    }
                }
                if (settings.Range == TPrintRange::Labels && result.Labels >= settings.LabelCount)
                    done = true;
                if (progress && progress->Cancelled()) {
                    done = true;
                    result.Cancelled = true;
                }
            }
        }
        ++result.Pages;
        if (settings.Range == TPrintRange::Pages && result.Pages >= settings.PageCount)
            done = true;
        if (!done) {
            if (job)
                job->NewPage();
            if (progress)
                progress->Page(result.Pages + 1);
        }
    }
    if (dataActive)
        result.UnclosedQuoteLine = reader.UnclosedQuoteLine();
    result.NextLabel = (lastPosition + 1) % perPage;
    result.PictureTroubles = pictures.Troubles();
    result.NextSheet = NextLabelSheet(layout);
    if (job && !result.Cancelled && !job->Drain(progress))
        result.Cancelled = true;
    if (job && result.Cancelled) {
        job->Abort();
    } else if (job) {
        // A file truncated or rewritten in place mid-run has given a mixture of two files; one
        // renamed over it has not, as the run reads the file it opened.
        if (delivery.VerifyData && dataActive && !reader.DataFileUnchanged())
            throw TUserError(QString::fromLatin1(PrintText::DataChanged).arg(settings.DataFile));
        if (delivery.Before)
            delivery.Before(result);
        job->End();
    }
    return result;
}

TDoLabel DrawOn(const TControlList& controls) {
    return [&controls](TPageSink* job, const TLabelPlace& place) {
        PrintOneLabel(static_cast<TPageTarget*>(job)->Painter(), *place.Layout, controls, place);
    };
}

TPrintResult GuardedRun(const std::function<TPrintResult()>& run) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        // Whatever data made the run need more memory than there is, it ends with a message;
        // the job is discarded with everything else the run held.
        throw TUserError(QString::fromLatin1(PrintText::NoMemory));
    }
}
} // namespace

TPrintResult PrintLabels(const TSheetSettings& sheet, const TControlList& controls,
                         const TPrintSettings& settings, const TPrinter& printer,
                         const QString& outputPdf, const QString& documentFileName,
                         TPrintProgress* progress, const TBeforeDelivery& beforeDelivery) {
    const QString title = JobTitle(documentFileName);
    const int32_t threads = PrintThreads(settings.Threads);
    // One thread draws on the job itself; more plan each label here, in order, and draw its
    // pages on workers.
    std::unique_ptr<TJobTarget> job;
    std::unique_ptr<TParallelPages> parallel;
    const TOpenTarget open = [&](const TPrintLayout& layout) -> TPageSink* {
        if (threads <= 1) {
            job = std::make_unique<TJobTarget>(TPrintJob::Begin(printer, title, outputPdf));
            return job.get();
        }
        parallel = std::make_unique<TParallelPages>(
            TPrintJob::Begin(printer, title, outputPdf, TJobPages::Parts), layout, controls,
            threads, settings.ChunkLabels, progress);
        return parallel.get();
    };
    const TDoLabel plan = [&controls](TPageSink* sink, const TLabelPlace& place) {
        static_cast<TParallelPages*>(sink)->Add(PlanLabel(controls, place));
    };
    TDelivery delivery;
    delivery.VerifyData = true;
    delivery.Before = [&](const TPrintResult& result) {
        // The whole document is written before anything relies on it.
        if (job)
            job->Finish();
        else
            parallel->Finish();
        if (beforeDelivery)
            beforeDelivery(result);
    };
    TPrintResult result = GuardedRun([&] {
        return RunLabels(sheet, controls, settings, printer, title, open,
                         threads <= 1 ? DrawOn(controls) : plan, progress, delivery);
    });
    if (job)
        result.JobId = job->JobId();
    else if (parallel)
        result.JobId = parallel->JobId();
    return result;
}

TPrintResult PaintLabels(const TSheetSettings& sheet, const TControlList& controls,
                         const TPrintSettings& settings, const TPrinter& printer,
                         TPageTarget& target, TPrintProgress* progress) {
    const TOpenTarget open = [&](const TPrintLayout&) -> TPageSink* { return &target; };
    return GuardedRun([&] {
        return RunLabels(sheet, controls, settings, printer, JobTitle(QString()), open,
                         DrawOn(controls), progress);
    });
}

TPrintResult WalkLabels(const TSheetSettings& sheet, const TControlList& controls,
                        const TPrintSettings& settings, const TPrinter& printer,
                        const TLabelVisit& visit, TPrintProgress* progress,
                        const TCopiesProblemSink& copiesProblems) {
    const TOpenTarget none = [](const TPrintLayout&) -> TPageSink* { return nullptr; };
    const TDoLabel doLabel = [&](TPageSink*, const TLabelPlace& place) { visit(place); };
    return GuardedRun([&] {
        return RunLabels(sheet, controls, settings, printer, JobTitle(QString()), none, doLabel,
                         progress, {}, copiesProblems);
    });
}

TPrintResult RunPlannedLabels(const TSheetSettings& sheet, const TControlList& controls,
                              const TPrintSettings& settings, const TPrinter& printer,
                              const QString& documentFileName, const TOpenPlannedSink& open,
                              const TAddPlannedLabel& add, TPrintProgress* progress,
                              const TBeforeDelivery& beforeDelivery) {
    const TDoLabel plan = [&](TPageSink* sink, const TLabelPlace& place) {
        add(sink, PlanLabel(controls, place));
    };
    TDelivery delivery;
    delivery.VerifyData = true;
    delivery.Before = beforeDelivery;
    return GuardedRun([&] {
        return RunLabels(sheet, controls, settings, printer, JobTitle(documentFileName), open, plan,
                         progress, delivery);
    });
}
