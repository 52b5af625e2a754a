#pragma once

#include "document/CanvasLabel.h"
#include "platform/Printer.h"
#include "print/PrintU.h"
#include "print/SymbolDecode.h"

#include <QString>

#include <cstdint>
#include <functional>

// The preflight check: the labels a print run would print, evaluated one by one exactly as the
// run would (same records, counters, dates, copies and range), each barcode and text verified,
// nothing printed.

struct TPreflightProblem {
    int32_t Label = 0;  // from 1, in the order of the run
    int64_t Record = 0; // from 1; 0 without data
    int64_t Line = 0;   // the record's line of the data file
    QString Control;    // barcode "Order" (EAN 13)
    QString Problem;    // data "40123455" has 8 digits; EAN 13 takes 12 or 13
};
using TProblemSink = std::function<void(const TPreflightProblem&)>;

struct TPreflightOptions {
    // Read every distinct symbol back with an independent decoder.
    bool ReadBack = true;
    // How symbols are drawn for reading back; empty: the engine's own drawing.
    TBarsDrawer Drawer;
};

struct TPreflightResult {
    int32_t Labels = 0;
    int64_t Records = 0;
    int64_t Problems = 0;
    int64_t RecordsWithProblems = 0; // labels with problems when the run has no data
    bool HasData = false;
    bool Cancelled = false;
};

// Checks the run these settings describe, reporting each problem to sink as it is found. Throws
// TUserError for a run that could not be printed either (PrintLabels' refusals, an unreadable
// data file). Counters step during the check as in the run, and are back at their values when
// it ends, so the run that follows prints what was checked.
TPreflightResult CheckLabels(const TCanvasLabel::TControlList& controls,
                             const TPrintSettings& settings, const TPrinter& printer,
                             const TProblemSink& sink, TPrintProgress* progress = nullptr,
                             const TPreflightOptions& options = {});

// "record 17 (line 18), label 17: barcode "Order" (EAN 13): data ..."; "label 3: ..." without
// data.
QString ProblemLine(const TPreflightProblem& problem);
// "checked 5,000 labels from 5,000 records: 3 problems in 2 records"
QString PreflightSummary(const TPreflightResult& result);
