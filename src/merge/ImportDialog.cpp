#include "merge/ImportDialog.h"

#include "merge/TextLineReader.h"

QStringList ReadPreviewLines(const QString& fileName, int maxLines) {
    TTextLineReader lines(fileName);
    QStringList preview;
    while (preview.size() < maxLines && !lines.AtEnd())
        preview.append(lines.ReadDecodedLine());
    return preview;
}

bool ExecuteImportDialog(const QString& fileName, TTextImportSettings& settings,
                         QStringList& previewLines, TTextImportDialog& dialog) {
    previewLines = ReadPreviewLines(fileName);
    FormatFromExtension(settings, fileName, previewLines);
    // Showing the dialog applies the chosen format's side effects once more.
    ChooseImportFormat(settings, settings.ImportFormat, previewLines);
    return dialog.Execute(fileName, settings, previewLines);
}

bool ReviewImportDialog(const QString& fileName, TTextImportSettings& settings,
                        QStringList& previewLines, TTextImportDialog& dialog) {
    previewLines = ReadPreviewLines(fileName);
    return dialog.Execute(fileName, settings, previewLines);
}
