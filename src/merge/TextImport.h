#pragma once

// The application's one data import: its settings, preview lines, record reader and import
// dialog. The operations here work on those process-wide instances; the classes and functions
// they forward to (TextImportSettings.h, LineParsers.h, DataFileReader.h, ImportDialog.h) take
// their state explicitly, for tests and for any second reader.

#include "merge/DataFileReader.h"
#include "merge/DataImport.h"
#include "merge/ImportDialog.h"
#include "merge/ImportRecord.h"
#include "merge/LineParsers.h"
#include "merge/TextImportSettings.h"

#include <QString>
#include <QStringList>
#include <QStringView>

TTextImportSettings& TextImportSettings();
QStringList& PreviewLines();
TDataFileReader& DataFileReader();

// The window ExecuteImportDialog shows; the application registers it at start-up (nullptr
// unregisters). The caller keeps ownership.
void SetTextImportDialog(TTextImportDialog* dialog);

void FormatFromExtension(const QString& fileName);
TImportRecord ParseLine(QStringView line);

// Reads the preview lines, chooses the format by extension and shows the import dialog; true
// on Ok. Always leaves the record reader closed. Without a registered dialog the file is still
// read (so a bad file is reported) and the result is false, as if cancelled.
bool ExecuteImportDialog(const QString& fileName);

// The data file chosen for merging in this session, empty until the user chose one: the field
// editor's preview and the print dialog share it, and the import settings are its settings.
const QString& ChosenDataFile();
// The user picked fileName (in the field editor or the print dialog). The file already chosen
// keeps its settings, or with Review goes through the wizard again starting from them; another
// file goes through ExecuteImportDialog and is the choice from its Ok on. A Cancel leaves the
// choice and its settings as they were. True when fileName is the choice now. Throws TUserError
// as ExecuteImportDialog does.
bool ChooseDataFile(const QString& fileName, TSameDataFile same = TSameDataFile::Keep);
// Forgets the choice (tests, and a session that starts again).
void ForgetDataFile();

void OpenDataFile(const QString& fileName);
void ReadNextRecord();
bool AtEndOfData();
void CloseDataFile();
// The current record of the process-wide reader.
const TImportRecord& ImportRecord();
