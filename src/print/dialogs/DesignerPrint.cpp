#include "print/dialogs/DesignerPrint.h"

#include "platform/Errors.h"
#include "platform/Printer.h"
#include "print/CommandLine.h"
#include "print/dialogs/PrintDialogServices.h"
#include "print/dialogs/PrintDialogTexts.h"

#include <QDir>
#include <QFileInfo>

QString ProposedPdfPath(const QString& documentFileName) {
    if (documentFileName.isEmpty())
        return QDir::current().filePath(QString::fromLatin1(PrintDialogText::UnsavedPdfName));
    const QFileInfo label(documentFileName);
    return label.dir().filePath(label.completeBaseName() + QStringLiteral(".pdf"));
}

bool PrintFromDesigner(const TSheetSettings& sheet, const TControlList& controls,
                       const TPrintSettings& settings, const QString& documentFileName,
                       TPrintProgress* progress, const TPrintDialogServices& services,
                       QWidget* parent, TPrintResult* result) {
    try {
        TPrinter& printer = TPrinters::Current();
        // The label's paper; a printer without it prints on its own, as unattended runs do, and
        // the user is told before the job starts, since nobody reads the designer's stderr.
        if (!printer.SetPaper(sheet.Paper))
            services.Message(parent,
                             PaperFallbackWarning(printer.Name(), sheet.Paper, printer.Paper()));
        QString output;
        if (printer.IsPdf()) {
            output = services.PdfFileName(parent, ProposedPdfPath(documentFileName));
            if (output.isEmpty())
                return false;
        }
        const TPrintResult r =
            PrintLabels(sheet, controls, settings, printer, output, documentFileName, progress);
        if (result)
            *result = r;
        return !r.Cancelled;
    } catch (const TUserError& e) {
        services.Error(parent, e.Message());
    } catch (const std::exception& e) {
        services.Error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
