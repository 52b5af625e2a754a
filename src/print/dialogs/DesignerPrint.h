#pragma once

#include "document/LabelDocument.h"
#include "print/PrintU.h"
#include "print/dialogs/PrintDialogServices.h"

#include <QString>

class QWidget;

// The PDF a designer print on the PDF printer proposes: the label's name with ".pdf" beside the
// label, or "Vellumtrace.pdf" in the working folder for a label never saved.
QString ProposedPdfPath(const QString& documentFileName);

// A print run started from the designer: on the current printer, asking for the PDF's file name
// (services.PdfFileName) when that is the PDF printer, with progress shown and Cancel read
// through progress. A refused or failed run is reported through services.Error. True when the run
// finished and was delivered, so counters may have advanced; false when it was cancelled, refused,
// failed or the file name was not given. result, when given, receives the finished run's outcome.
bool PrintFromDesigner(const TSheetSettings& sheet, const TControlList& controls,
                       const TPrintSettings& settings, const QString& documentFileName,
                       TPrintProgress* progress, const TPrintDialogServices& services,
                       QWidget* parent = nullptr, TPrintResult* result = nullptr);
