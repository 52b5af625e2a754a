#include "app/BatchCheck.h"

#include "app/BatchPrint.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"
#include "print/Preflight.h"

#include <cstdio>

namespace {
void PrintLine(const QString& line) {
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
}
} // namespace

int RunCheck(const TCommandLineOptions& o) {
    try {
        TLabelDocument label;
        const TRunLabel run = LoadRunLabel(o, label);
        // The label file is never saved here, so the counters stepped by the check stay in
        // memory; the next print run starts where the file says.
        TPreflightOptions options;
        options.ReadBack = !o.NoReadBack;
        TPrintSettings settings = LabelRunSettings(o, label.Sheet(), TPrinters::Current());
        settings.Import = run.Import;
        const TPreflightResult r = CheckLabels(
            label.Sheet(), label.Controls(), settings, TPrinters::Current(),
            [](const TPreflightProblem& p) { PrintLine(ProblemLine(p)); }, nullptr, options);
        PrintLine(PreflightSummary(r));
        std::fflush(stdout);
        return r.Problems > 0 ? CheckFoundProblems : 0;
    } catch (const TUserError& e) {
        ReportRunError(e.Message());
        return 1;
    } catch (const std::exception& e) {
        ReportRunError(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
