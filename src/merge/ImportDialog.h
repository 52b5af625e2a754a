#pragma once

#include "merge/TextImportSettings.h"

#include <QString>
#include <QStringList>

// The dialog in which the user adjusts the import format while looking at the file. The
// application supplies the real window; tests supply stand-ins.
class TTextImportDialog {
public:
    virtual ~TTextImportDialog() = default;
    // Shows the dialog for fileName over previewLines, editing settings directly (changes
    // stay even when cancelled). True when the user confirms with Ok.
    virtual bool Execute(const QString& fileName, TTextImportSettings& settings,
                         const QStringList& previewLines) = 0;
};

// The first lines of a data file as shown by the import dialog.
inline constexpr int MaxPreviewLines = 10;

// Reads up to maxLines decoded lines from the file's start. Throws TUserError when the file
// cannot be opened or read.
QStringList ReadPreviewLines(const QString& fileName, int maxLines = MaxPreviewLines,
                             TDataEncoding encoding = TDataEncoding::Automatic);

// Reads the preview lines (replacing previewLines; a "sep=" first line is left out and its
// separator chosen after the extension's format), chooses the format by the extension, applies
// the format's side effects again as the dialog does on every showing, and runs the dialog.
// True when the user confirms. When the file cannot be read, throws TUserError before anything
// changes and the dialog is not shown. A spreadsheet file (.xlsx, .ods) has no lines: the
// preview lines are left empty, the format as it was, and the dialog reads the sheets itself.
bool ExecuteImportDialog(const QString& fileName, TTextImportSettings& settings,
                         QStringList& previewLines, TTextImportDialog& dialog);
// Shows the dialog again for the file already chosen, starting from the settings it has instead
// of the ones its extension suggests, so that the user adjusts them rather than starts over.
bool ReviewImportDialog(const QString& fileName, TTextImportSettings& settings,
                        QStringList& previewLines, TTextImportDialog& dialog);
