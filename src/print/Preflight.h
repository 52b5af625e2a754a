#pragma once

#include "document/LabelDocument.h"
#include "platform/Printer.h"
#include "print/ControlCheck.h"
#include "print/PrintU.h"
#include "print/ProblemGroups.h"

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
    // A problem of a control whose text is the same on every label is reported once, after the
    // labels were checked: the labels it was found on (Label is the first, Record 0) out of the
    // labels checked. Empty for a problem of one label.
    TLabelSet Labels;
    int32_t Checked = 0;

    bool Grouped() const { return !Labels.Empty(); }
};
using TProblemSink = std::function<void(const TPreflightProblem&)>;

struct TPreflightResult {
    int32_t Labels = 0;
    int64_t Records = 0;
    int64_t Problems = 0;
    int64_t RecordsWithProblems = 0; // labels with problems when the run has no data
    bool HasData = false;
    bool Cancelled = false;
};

// Checks the run these settings describe, reporting each problem of a control whose text varies
// by label (TextVariesByLabel) to sink as it is found, and every other problem once at the end
// with the labels it was found on. Throws
// TUserError for a run that could not be printed either (PrintLabels' refusals, an unreadable
// data file). Counters step during the check as in the run, and are back at their values when
// it ends, so the run that follows prints what was checked.
TPreflightResult CheckLabels(const TSheetSettings& sheet, const TControlList& controls,
                             const TPrintSettings& settings, const TPrinter& printer,
                             const TProblemSink& sink, TPrintProgress* progress = nullptr,
                             const TPreflightOptions& options = {});

// "record 17 (line 18), label 17: barcode "Order" (EAN 13): data ..."; "label 3: ..." without
// data; "barcode "VT-1" (Code 128): ... on all 176 labels" for a problem reported once.
QString ProblemLine(const TPreflightProblem& problem);
// "checked 5,000 labels from 5,000 records: 3 problems in 2 records"; a problem reported once
// counts once.
QString PreflightSummary(const TPreflightResult& result);
