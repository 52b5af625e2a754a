#include "merge/TextImport.h"

namespace {
TDataImport& Session() {
    static TDataImport session;
    return session;
}
} // namespace

TTextImportSettings& TextImportSettings() {
    return Session().TextImportSettings();
}

QStringList& PreviewLines() {
    return Session().PreviewLines();
}

TDataFileReader& DataFileReader() {
    return Session().DataFileReader();
}

void SetTextImportDialog(TTextImportDialog* dialog) {
    Session().SetTextImportDialog(dialog);
}

void FormatFromExtension(const QString& fileName) {
    Session().FormatFromExtension(fileName);
}

TImportRecord ParseLine(QStringView line) {
    return Session().ParseLine(line);
}

bool ExecuteImportDialog(const QString& fileName) {
    return Session().ExecuteImportDialog(fileName);
}

const QString& ChosenDataFile() {
    return Session().ChosenDataFile();
}

bool ChooseDataFile(const QString& fileName, TSameDataFile same) {
    return Session().ChooseDataFile(fileName, same);
}

void ForgetDataFile() {
    Session().ForgetDataFile();
}

void OpenDataFile(const QString& fileName) {
    Session().OpenDataFile(fileName);
}

void ReadNextRecord() {
    Session().ReadNextRecord();
}

bool AtEndOfData() {
    return Session().AtEndOfData();
}

void CloseDataFile() {
    Session().CloseDataFile();
}

const TImportRecord& ImportRecord() {
    return Session().ImportRecord();
}
