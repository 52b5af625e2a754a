#include "merge/TextImport.h"

namespace {
TTextImportDialog* g_dialog = nullptr;

// Stands in when no window is registered: the settings are prepared, nothing is confirmed.
class TNoImportDialog : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings&, const QStringList&) override {
        return false;
    }
};
} // namespace

TTextImportSettings& TextImportSettings() {
    static TTextImportSettings settings;
    return settings;
}

QStringList& PreviewLines() {
    static QStringList lines;
    return lines;
}

TDataFileReader& DataFileReader() {
    static TDataFileReader reader(TextImportSettings());
    return reader;
}

void SetTextImportDialog(TTextImportDialog* dialog) {
    g_dialog = dialog;
}

void FormatFromExtension(const QString& fileName) {
    FormatFromExtension(TextImportSettings(), fileName, PreviewLines());
}

TImportRecord ParseLine(QStringView line) {
    return ParseLine(TextImportSettings(), line);
}

bool ExecuteImportDialog(const QString& fileName) {
    DataFileReader().CloseDataFile();
    TNoImportDialog none;
    TTextImportDialog& dialog = g_dialog ? *g_dialog : none;
    return ExecuteImportDialog(fileName, TextImportSettings(), PreviewLines(), dialog);
}

void OpenDataFile(const QString& fileName) {
    DataFileReader().OpenDataFile(fileName);
}

void ReadNextRecord() {
    DataFileReader().ReadNextRecord();
}

bool AtEndOfData() {
    return DataFileReader().AtEndOfData();
}

void CloseDataFile() {
    DataFileReader().CloseDataFile();
}

const TImportRecord& ImportRecord() {
    return DataFileReader().ImportRecord();
}
