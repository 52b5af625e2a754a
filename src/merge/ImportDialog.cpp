#include "merge/ImportDialog.h"

#include "merge/SeparatorHints.h"
#include "merge/SheetRows.h"
#include "merge/TextLineReader.h"

QStringList ReadPreviewLines(const QString& fileName, int maxLines, TDataEncoding encoding) {
    TTextLineReader lines(fileName, encoding);
    QStringList preview;
    while (preview.size() < maxLines && !lines.AtEnd())
        preview.append(lines.ReadDecodedLine());
    return preview;
}

namespace {
// The preview without a "sep=" first line, which the reader skips too; the separator it names.
std::optional<QChar> TakeNamedSeparator(QStringList& previewLines) {
    const auto named = previewLines.isEmpty() ? std::nullopt : NamedSeparator(previewLines.first());
    if (named)
        previewLines.removeFirst();
    return named;
}

// A spreadsheet has no lines to show: the wizard reads its sheets itself. Reading the sheet
// names first reports a file that is no spreadsheet before the wizard shows.
bool ExecuteSheetDialog(const QString& fileName, TTextImportSettings& settings,
                        QStringList& previewLines, TTextImportDialog& dialog) {
    SpreadsheetSheetNames(fileName);
    previewLines.clear();
    return dialog.Execute(fileName, settings, previewLines);
}
} // namespace

bool ExecuteImportDialog(const QString& fileName, TTextImportSettings& settings,
                         QStringList& previewLines, TTextImportDialog& dialog) {
    if (IsSpreadsheetFile(fileName))
        return ExecuteSheetDialog(fileName, settings, previewLines, dialog);
    previewLines = ReadPreviewLines(fileName, MaxPreviewLines + 1, settings.Encoding);
    const auto named = TakeNamedSeparator(previewLines);
    if (previewLines.size() > MaxPreviewLines)
        previewLines.removeLast();
    FormatFromExtension(settings, fileName, previewLines);
    if (named)
        UseSeparator(settings, *named);
    // Showing the dialog applies the chosen format's side effects once more.
    ChooseImportFormat(settings, settings.ImportFormat, previewLines);
    return dialog.Execute(fileName, settings, previewLines);
}

bool ReviewImportDialog(const QString& fileName, TTextImportSettings& settings,
                        QStringList& previewLines, TTextImportDialog& dialog) {
    if (IsSpreadsheetFile(fileName))
        return ExecuteSheetDialog(fileName, settings, previewLines, dialog);
    previewLines = ReadPreviewLines(fileName, MaxPreviewLines + 1, settings.Encoding);
    TakeNamedSeparator(previewLines);
    if (previewLines.size() > MaxPreviewLines)
        previewLines.removeLast();
    return dialog.Execute(fileName, settings, previewLines);
}
